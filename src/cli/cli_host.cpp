#include "cli/cli_host.h"

#include "glyph/code_page.h"
#include "settings/charset_table.h"
#include "settings/font_files.h"
#include "settings/ini_store.h"
#include "settings/settings_keys.h"

namespace glyphory::cli {

namespace {

// The command line's value when it was given, else the stored one.
template <typename T, typename U>
T Pick(const std::optional<T>& option, U stored) {
  return option ? *option : static_cast<T>(stored);
}

}  // namespace

ResolvedRun ResolveRun(const CliOptions& cli, const std::string& programFolder) {
  const TIniStore store(cli.settingsPath);
  const StoredSettings s = ReadStoredSettings(store, programFolder);
  ResolvedRun r;
  r.codes = Pick(cli.codes, s.codes);
  r.folder = cli.outputFolder ? *cli.outputFolder : Cp1251ToUtf8(s.outputFolder);
  if (cli.fontFile) {
    r.fontFile = *cli.fontFile;
  } else if (s.useCustomFont && !cli.fontName) {
    r.fontFile = Cp1251ToUtf8(s.customFont);
  }
  r.faceName = Pick(cli.fontName, s.fontName);
  r.bold = Pick(cli.bold, s.bold);
  r.italic = Pick(cli.italic, s.italic);
  r.charsetRow = Pick(cli.charsetRow, s.charsetRow);
  GlyphOptions& o = r.options;
  o.bitDepth = cli.bitDepth ? *cli.bitDepth : (s.bitDepthIndex == 0 ? 16 : (s.bitDepthIndex == 1 ? 8 : -1));
  o.size = Pick(cli.size, s.fontSize);
  o.sizeInPixels = Pick(cli.sizeInPixels, true);
  o.fontColor = Pick(cli.fontColor, s.fontColor);
  o.bgColor = Pick(cli.bgColor, s.bgColor);
  o.edgeColor = Pick(cli.edgeColor, s.edgeColor);
  o.fontAlpha = static_cast<std::uint8_t>(Pick(cli.fontAlpha, s.fontAlpha));
  o.bgAlpha = static_cast<std::uint8_t>(Pick(cli.bgAlpha, s.bgAlpha));
  o.edgeAlpha = static_cast<std::uint8_t>(Pick(cli.edgeAlpha, s.edgeAlpha));
  o.edgeWidth = Pick(cli.edgeWidth, s.edgeWidth);
  o.smoothing = Pick(cli.smoothing, s.smooth);
  o.correction = Pick(cli.correction, s.correction);
  o.filterIndex = Pick(cli.filterIndex, s.filterIndex);
  o.deflateLevel = static_cast<std::uint8_t>(Pick(cli.level, s.compress));
  r.offset = Pick(cli.offset, s.nameNumberOffset);
  r.nameFormat = Pick(cli.nameFormat, s.nameFormat);
  r.allChars = Pick(cli.allChars, s.allChars);
  r.charMapPath = Pick(cli.charMapPath, programFolder + "charsmod.ini");
  r.language = s.language;
  return r;
}

LOGFONT ComposeRecord(const ResolvedRun& r) {
  std::string face = r.faceName;
  if (!r.fontFile.empty()) {
    const std::string fileFace = GetFontFileFaceName(r.fontFile);
    if (!fileFace.empty()) {
      face = fileFace;
    }
  }
  return ComposeLogFont(face, r.bold, r.italic, CharsetOfRow(r.charsetRow));
}

CliHost::CliHost(ResolvedRun run, LOGFONT record) : run_(std::move(run)), record_(record) {
  // The charset combo's text: the row's name, empty outside the table.
  const bool knownRow = run_.charsetRow >= 0 && run_.charsetRow < static_cast<int>(CharsetTable.size());
  charsetName_ = knownRow ? CharsetTable[static_cast<std::size_t>(run_.charsetRow)].name : "";
}

ScopedFontFile::ScopedFontFile(std::string path) : path_(std::move(path)) { registered_ = RegisterFontFile(path_); }

ScopedFontFile::~ScopedFontFile() {
  if (registered_) {
    UnregisterFontFile(path_);
  }
}

bool ScopedFontFile::Usable(std::ostream& err) const {
  if (path_.empty() || registered_) {
    return true;
  }
  err << "The font file '" << path_ << "' holds no usable font.\n";
  return false;
}

}  // namespace glyphory::cli
