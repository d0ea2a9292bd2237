#include "cli/cli_options.h"

#include <algorithm>
#include <functional>
#include <map>

#include "batch/int_text.h"
#include "glyph/code_page.h"
#include "settings/charset_table.h"
#include "settings/color_text.h"

namespace glyphory::cli {

namespace {

const char* const kFilterNames[] = {"None", "Sub", "Up", "Average", "Paeth", "All"};

int ParseInt(const std::string& option, const std::string& value, int minimum, int maximum) {
  const std::optional<std::int32_t> number = TryStrToInt(value);
  if (!number || *number < minimum || *number > maximum) {
    throw EUsageError(option + ": expected a whole number from " + std::to_string(minimum) + " to " +
                      std::to_string(maximum) + ", got '" + value + "'");
  }
  return *number;
}

TColor ParseColour(const std::string& option, const std::string& value) {
  try {
    return StringToColor(value);
  } catch (const std::exception&) {
    throw EUsageError(option + ": '" + value + "' is not a colour (e.g. clRed, $000000FF, 255)");
  }
}

int ParseChoice(const std::string& option, const std::string& value, const std::vector<std::string>& choices) {
  const auto found = std::find(choices.begin(), choices.end(), value);
  if (found == choices.end()) {
    std::string list;
    for (const auto& choice : choices) {
      list += (list.empty() ? "" : "|") + choice;
    }
    throw EUsageError(option + ": expected one of " + list + ", got '" + value + "'");
  }
  return static_cast<int>(found - choices.begin());
}

int ParseCharset(const std::string& option, const std::string& value) {
  for (std::size_t row = 0; row < CharsetTable.size(); ++row) {
    if (value == CharsetTable[row].name) {
      return static_cast<int>(row);
    }
  }
  throw EUsageError(option + ": unknown character set '" + value + "' (see --list-charsets)");
}

class ArgReader {
 public:
  explicit ArgReader(const std::vector<std::string>& args) : args_(args) {}
  bool Done() const { return pos_ >= args_.size(); }
  std::string Next() { return args_[pos_++]; }
  std::string Value(const std::string& option) {
    if (Done()) {
      throw EUsageError(option + ": a value is missing");
    }
    return Next();
  }

 private:
  const std::vector<std::string>& args_;
  std::size_t pos_ = 0;
};

using Handler = std::function<void(CliOptions&, ArgReader&, const std::string&)>;

const std::map<std::string, Handler>& Handlers() {
  static const std::map<std::string, Handler> handlers = {
      {"--settings", [](CliOptions& o, ArgReader& r, const std::string& n) { o.settingsPath = r.Value(n); }},
      {"--mode",
       [](CliOptions& o, ArgReader& r, const std::string& n) {
         o.mode = ParseChoice(n, r.Value(n), {"png", "bmp"}) == 0 ? ExportMode::Png : ExportMode::Bmp;
       }},
      {"--codes", [](CliOptions& o, ArgReader& r, const std::string& n) { o.codes = Utf8ToCp1251(r.Value(n)); }},
      {"--out", [](CliOptions& o, ArgReader& r, const std::string& n) { o.outputFolder = r.Value(n); }},
      {"--font", [](CliOptions& o, ArgReader& r, const std::string& n) { o.fontName = Utf8ToCp1251(r.Value(n)); }},
      {"--font-file", [](CliOptions& o, ArgReader& r, const std::string& n) { o.fontFile = r.Value(n); }},
      {"--size", [](CliOptions& o, ArgReader& r, const std::string& n) { o.size = ParseInt(n, r.Value(n), 0, 100); }},
      {"--unit",
       [](CliOptions& o, ArgReader& r, const std::string& n) {
         o.sizeInPixels = ParseChoice(n, r.Value(n), {"px", "pt"}) == 0;
       }},
      {"--bold", [](CliOptions& o, ArgReader&, const std::string&) { o.bold = true; }},
      {"--italic", [](CliOptions& o, ArgReader&, const std::string&) { o.italic = true; }},
      {"--charset",
       [](CliOptions& o, ArgReader& r, const std::string& n) { o.charsetRow = ParseCharset(n, r.Value(n)); }},
      {"--color", [](CliOptions& o, ArgReader& r, const std::string& n) { o.fontColor = ParseColour(n, r.Value(n)); }},
      {"--bg", [](CliOptions& o, ArgReader& r, const std::string& n) { o.bgColor = ParseColour(n, r.Value(n)); }},
      {"--edge-color",
       [](CliOptions& o, ArgReader& r, const std::string& n) { o.edgeColor = ParseColour(n, r.Value(n)); }},
      {"--edge-width",
       [](CliOptions& o, ArgReader& r, const std::string& n) { o.edgeWidth = ParseInt(n, r.Value(n), 0, 50); }},
      {"--font-alpha",
       [](CliOptions& o, ArgReader& r, const std::string& n) { o.fontAlpha = ParseInt(n, r.Value(n), 0, 255); }},
      {"--edge-alpha",
       [](CliOptions& o, ArgReader& r, const std::string& n) { o.edgeAlpha = ParseInt(n, r.Value(n), 0, 255); }},
      {"--bg-alpha",
       [](CliOptions& o, ArgReader& r, const std::string& n) { o.bgAlpha = ParseInt(n, r.Value(n), 0, 255); }},
      {"--smoothing", [](CliOptions& o, ArgReader&, const std::string&) { o.smoothing = true; }},
      {"--rigidity",
       [](CliOptions& o, ArgReader& r, const std::string& n) { o.correction = ParseInt(n, r.Value(n), 0, 100); }},
      {"--bit-depth",
       [](CliOptions& o, ArgReader& r, const std::string& n) {
         o.bitDepth = ParseChoice(n, r.Value(n), {"16", "8"}) == 0 ? 16 : 8;
       }},
      {"--filter",
       [](CliOptions& o, ArgReader& r, const std::string& n) {
         o.filterIndex = ParseChoice(n, r.Value(n), {std::begin(kFilterNames), std::end(kFilterNames)});
       }},
      {"--level", [](CliOptions& o, ArgReader& r, const std::string& n) { o.level = ParseInt(n, r.Value(n), 0, 9); }},
      {"--offset",
       [](CliOptions& o, ArgReader& r, const std::string& n) {
         o.offset = ParseInt(n, r.Value(n), INT32_MIN, INT32_MAX);
       }},
      {"--all-chars", [](CliOptions& o, ArgReader&, const std::string&) { o.allChars = true; }},
      {"--charmap", [](CliOptions& o, ArgReader& r, const std::string& n) { o.charMapPath = r.Value(n); }},
      {"--name-format", [](CliOptions& o, ArgReader& r, const std::string& n) { o.nameFormat = r.Value(n); }},
      {"--preview",
       [](CliOptions& o, ArgReader& r, const std::string& n) {
         o.action = Action::Preview;
         o.previewPath = r.Value(n);
       }},
      {"--text", [](CliOptions& o, ArgReader& r, const std::string& n) { o.previewText = Utf8ToCp1251(r.Value(n)); }},
      {"--jobs", [](CliOptions& o, ArgReader& r, const std::string& n) { o.jobs = ParseInt(n, r.Value(n), 1, 256); }},
      {"--list-fonts", [](CliOptions& o, ArgReader&, const std::string&) { o.action = Action::ListFonts; }},
      {"--list-charsets", [](CliOptions& o, ArgReader&, const std::string&) { o.action = Action::ListCharsets; }},
      {"--quiet", [](CliOptions& o, ArgReader&, const std::string&) { o.quiet = true; }},
      {"--version", [](CliOptions& o, ArgReader&, const std::string&) { o.action = Action::Version; }},
      {"--help", [](CliOptions& o, ArgReader&, const std::string&) { o.action = Action::Help; }},
  };
  return handlers;
}

}  // namespace

CliOptions ParseCommandLine(const std::vector<std::string>& args, const std::string& programFolder) {
  CliOptions options;
  options.settingsPath = programFolder + "Glyphory.ini";
  ArgReader reader(args);
  while (!reader.Done()) {
    const std::string name = reader.Next();
    const auto handler = Handlers().find(name);
    if (handler == Handlers().end()) {
      throw EUsageError(name + ": unknown option (see --help)");
    }
    handler->second(options, reader, name);
  }
  if (options.previewText && options.action != Action::Preview) {
    throw EUsageError("--text: goes with --preview");
  }
  return options;
}

std::string UsageText() {
  return R"(Usage: glyphory-cli [options]
Exports one image per character code of a font, as the Glyphory window does.

  --settings FILE        settings file to start from (default: Glyphory.ini next to
                         the program; a missing file means the built-in defaults)
  --mode png|bmp         export mode (default png)
  --codes TEXT           code list, e.g. 32-126,168,192-255 (default: common/codes)
  --out DIR              output folder (default: save/dir); created if missing
  --font NAME            installed face (default: font/name)
  --font-file PATH       take the face from this font file, registered for the run
  --size N               glyph size 0..100 (default: font/size)
  --unit px|pt           the size is in pixels or points (default px)
  --bold --italic        style
  --charset NAME         character set, e.g. RUSSIAN_CHARSET (see --list-charsets)
  --color C --bg C --edge-color C
                         glyph, background and edging colour: clRed, $000000FF, 255
  --edge-width N         edging width 0..50
  --font-alpha N --edge-alpha N --bg-alpha N
                         opacities 0..255
  --smoothing            glyph opacity follows the shade
  --rigidity N           shade rigidity 0..100 (per cent)
  --bit-depth 8|16       PNG bit depth
  --filter None|Sub|Up|Average|Paeth|All
  --level 0..9           deflate level
  --offset N             number added to the code in PNG names (default 2048)
  --all-chars            BMP: write every code, not only those in the character map
  --charmap FILE         BMP character map (default: charsmod.ini next to the program)
  --name-format FMT      BMP number format (default %0.4d)
  --preview FILE         render the preview sample into FILE (PNG) instead of exporting
  --text S               the preview sample (default: the language's sample)
  --jobs N               render in N threads (default: the number of cores)
  --list-fonts           list the installed scalable fonts
  --list-charsets        list the character set names
  --quiet                no progress and no summary
  --version --help

Exit status: 0 all written, 1 some codes failed, 2 usage error (nothing written).
)";
}

}  // namespace glyphory::cli
