#include "settings/settings_keys.h"

#include <algorithm>
#include <stdexcept>

#include "settings/color_text.h"

namespace glyphory {

namespace {

using K = SettingKind;
using R = SettingRange;

}  // namespace

const std::array<SettingKey, 28> kSettingKeys = {{
    {SettingId::OutputFolder, "save", "dir", K::Text, "", 0, R::None, 0, 0},
    {SettingId::FontSize, "font", "size", K::Integer, "", 10, R::Clamp, 0, 100},
    {SettingId::FontName, "font", "name", K::Text, "Verdana", 0, R::None, 0, 0},
    {SettingId::FontColor, "font", "color", K::Colour, "clBlack", 0, R::None, 0, 0},
    {SettingId::EdgeWidth, "edging", "width", K::Integer, "", 1, R::Clamp, 0, 50},
    {SettingId::EdgeColor, "edging", "color", K::Colour, "clWhite", 0, R::None, 0, 0},
    {SettingId::BgColor, "Background", "color", K::Colour, "clFuchsia", 0, R::None, 0, 0},
    {SettingId::Bold, "font", "Bold", K::Flag, "", 0, R::None, 0, 0},
    {SettingId::Italic, "font", "Italic", K::Flag, "", 0, R::None, 0, 0},
    {SettingId::Codes, "common", "codes", K::Text, "32-126,168,176,184,192-255", 0, R::None, 0, 0},
    {SettingId::FontAlpha, "save", "Font_HalfTrValue", K::Integer, "", 240, R::Clamp, 0, 255},
    {SettingId::BitDepth, "save", "BitDepth", K::Integer, "", 0, R::RadioIndex, 0, 1},
    {SettingId::CustomFont, "font", "CustomFont", K::Text, "", 0, R::None, 0, 0},
    {SettingId::BgAlpha, "save", "BG_HalfTrValue", K::Integer, "", 0, R::Clamp, 0, 255},
    {SettingId::EdgeAlpha, "save", "Edg_HalfTrValue", K::Integer, "", 240, R::Clamp, 0, 255},
    {SettingId::Filter, "save", "Filter", K::Integer, "", 5, R::ComboIndex, 0, 5},
    {SettingId::Compress, "save", "Compress", K::Integer, "", 9, R::Clamp, 0, 9},
    {SettingId::Charset, "font", "charset", K::Integer, "", 1, R::ComboIndex, 0, 17},
    {SettingId::Correction, "font", "correction", K::Integer, "", 40, R::Clamp, 0, 100},
    {SettingId::Smooth, "font", "Smooth", K::Flag, "", 0, R::None, 0, 0},
    {SettingId::ShowBmp, "common", "bmp", K::Flag, "", 1, R::None, 0, 0},
    {SettingId::AllChars, "bmp", "AllChars", K::Flag, "", 0, R::None, 0, 0},
    {SettingId::Log, "common", "log", K::Flag, "", 0, R::None, 0, 0},
    {SettingId::Language, "common", "lang", K::Text, "\xF0\xF3\xF1\xF1\xEA\xE8\xE9", 0, R::None, 0, 0},
    {SettingId::Preview, "common", "preview", K::Flag, "", 0, R::None, 0, 0},
    {SettingId::UseCustomFont, "font", "UseCustomFont", K::Flag, "", 0, R::None, 0, 0},
    {SettingId::NameNumberOffset, "save", "NameNumberOffset", K::Integer, "", 2048, R::None, 0, 0},
    {SettingId::NameFormat, "bmp", "nameformat", K::Text, "%0.4d", 0, R::None, 0, 0},
}};

const SettingKey& SettingKeyOf(SettingId id) {
  const auto found = std::find_if(kSettingKeys.begin(), kSettingKeys.end(),
                                  [id](const SettingKey& key) { return key.id == id; });
  if (found == kSettingKeys.end()) {
    throw std::logic_error("unknown settings key");
  }
  return *found;
}

namespace {

std::int32_t BringIntoRange(const SettingKey& key, std::int32_t value) {
  switch (key.range) {
    case SettingRange::Clamp:
      return std::clamp(value, key.minimum, key.maximum);
    case SettingRange::RadioIndex:
      return value > key.maximum ? key.maximum : (value < -1 ? -1 : value);
    case SettingRange::ComboIndex:
      return value < key.minimum || value > key.maximum ? -1 : value;
    case SettingRange::None:
      break;
  }
  return value;
}

}  // namespace

SettingValue ReadSetting(const TIniStore& store, const SettingKey& key, const std::string& programFolder) {
  SettingValue value;
  switch (key.kind) {
    case SettingKind::Text: {
      const std::string fallback = key.id == SettingId::OutputFolder ? programFolder + "out" : key.defaultText;
      value.text = store.ReadString(key.section, key.key, fallback);
      break;
    }
    case SettingKind::Integer:
      value.number = BringIntoRange(key, store.ReadInteger(key.section, key.key, key.defaultValue));
      break;
    case SettingKind::Flag:
      value.number = store.ReadBool(key.section, key.key, key.defaultValue != 0) ? 1 : 0;
      break;
    case SettingKind::Colour:
      value.number = static_cast<std::int32_t>(store.ReadColor(key.section, key.key, StringToColor(key.defaultText)));
      break;
  }
  return value;
}

StoredSettings ReadStoredSettings(const TIniStore& store, const std::string& programFolder) {
  StoredSettings s;
  const auto text = [&](SettingId id) { return ReadSetting(store, SettingKeyOf(id), programFolder).text; };
  const auto number = [&](SettingId id) { return ReadSetting(store, SettingKeyOf(id), programFolder).number; };
  const auto colour = [&](SettingId id) { return static_cast<TColor>(number(id)); };
  s.outputFolder = text(SettingId::OutputFolder);
  s.fontSize = number(SettingId::FontSize);
  s.fontName = text(SettingId::FontName);
  s.fontColor = colour(SettingId::FontColor);
  s.edgeWidth = number(SettingId::EdgeWidth);
  s.edgeColor = colour(SettingId::EdgeColor);
  s.bgColor = colour(SettingId::BgColor);
  s.bold = number(SettingId::Bold) != 0;
  s.italic = number(SettingId::Italic) != 0;
  s.codes = text(SettingId::Codes);
  s.fontAlpha = number(SettingId::FontAlpha);
  s.bitDepthIndex = number(SettingId::BitDepth);
  s.customFont = text(SettingId::CustomFont);
  s.bgAlpha = number(SettingId::BgAlpha);
  s.edgeAlpha = number(SettingId::EdgeAlpha);
  s.filterIndex = number(SettingId::Filter);
  s.compress = number(SettingId::Compress);
  s.charsetRow = number(SettingId::Charset);
  s.correction = number(SettingId::Correction);
  s.smooth = number(SettingId::Smooth) != 0;
  s.allChars = number(SettingId::AllChars) != 0;
  s.language = text(SettingId::Language);
  s.useCustomFont = number(SettingId::UseCustomFont) != 0;
  s.nameNumberOffset = number(SettingId::NameNumberOffset);
  s.nameFormat = text(SettingId::NameFormat);
  return s;
}

}  // namespace glyphory
