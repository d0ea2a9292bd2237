#include "settings/color_text.h"

#include <array>
#include <cstdint>
#include <cstdio>

#include "batch/int_text.h"
#include "settings/ini_text.h"

namespace glyphory {
namespace {

struct ColorName {
  const char* ident;
  TColor value;
};

// System colours: bit 31 set plus the system colour index.
constexpr TColor Sys(TColor index) { return 0xFF000000u | index; }

// In this order: the first identifier of a value is the one written.
constexpr std::array<ColorName, 52> kColorNames = {{
    {"clBlack", 0x00000000},      {"clMaroon", 0x00000080},
    {"clGreen", 0x00008000},      {"clOlive", 0x00008080},
    {"clNavy", 0x00800000},       {"clPurple", 0x00800080},
    {"clTeal", 0x00808000},       {"clGray", 0x00808080},
    {"clSilver", 0x00C0C0C0},     {"clRed", 0x000000FF},
    {"clLime", 0x0000FF00},       {"clYellow", 0x0000FFFF},
    {"clBlue", 0x00FF0000},       {"clFuchsia", 0x00FF00FF},
    {"clAqua", 0x00FFFF00},       {"clWhite", 0x00FFFFFF},
    {"clMoneyGreen", 0x00C0DCC0}, {"clSkyBlue", 0x00F0CAA6},
    {"clCream", 0x00F0FBFF},      {"clMedGray", 0x00A4A0A0},
    {"clActiveBorder", Sys(10)},  {"clActiveCaption", Sys(2)},
    {"clAppWorkSpace", Sys(12)},  {"clBackground", Sys(1)},
    {"clBtnFace", Sys(15)},       {"clBtnHighlight", Sys(20)},
    {"clBtnShadow", Sys(16)},     {"clBtnText", Sys(18)},
    {"clCaptionText", Sys(9)},    {"clDefault", 0x20000000},
    {"clGradientActiveCaption", Sys(27)},
    {"clGradientInactiveCaption", Sys(28)},
    {"clGrayText", Sys(17)},      {"clHighlight", Sys(13)},
    {"clHighlightText", Sys(14)}, {"clHotLight", Sys(26)},
    {"clInactiveBorder", Sys(11)}, {"clInactiveCaption", Sys(3)},
    {"clInactiveCaptionText", Sys(19)},
    {"clInfoBk", Sys(24)},        {"clInfoText", Sys(23)},
    {"clMenu", Sys(4)},           {"clMenuBar", Sys(30)},
    {"clMenuHighlight", Sys(29)}, {"clMenuText", Sys(7)},
    {"clNone", 0x1FFFFFFF},       {"clScrollBar", Sys(0)},
    {"cl3DDkShadow", Sys(21)},    {"cl3DLight", Sys(22)},
    {"clWindow", Sys(5)},         {"clWindowFrame", Sys(6)},
    {"clWindowText", Sys(8)},
}};

}  // namespace

std::optional<std::string> ColorToIdent(TColor color) {
  for (const ColorName& entry : kColorNames) {
    if (entry.value == color) {
      return std::string(entry.ident);
    }
  }
  return std::nullopt;
}

std::optional<TColor> IdentToColor(std::string_view ident) {
  for (const ColorName& entry : kColorNames) {
    if (SameIniName(entry.ident, ident)) {
      return entry.value;
    }
  }
  return std::nullopt;
}

std::string ColorToString(TColor color) {
  if (auto ident = ColorToIdent(color)) {
    return *ident;
  }
  std::array<char, 16> hex{};
  std::snprintf(hex.data(), hex.size(), "$%08X", static_cast<unsigned>(color));
  return hex.data();
}

TColor StringToColor(std::string_view text) {
  if (const auto color = IdentToColor(text)) {
    return *color;
  }
  return static_cast<TColor>(StrToInt(text));
}

}  // namespace glyphory
