#include "cli/cli_run.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <filesystem>
#include <iomanip>
#include <map>
#include <mutex>
#include <ostream>
#include <sstream>
#include <thread>
#include <vector>

#include "batch/code_list.h"
#include "batch/export_run.h"
#include "batch/int_text.h"
#include "batch/stop_flag.h"
#include "glyph/code_page.h"
#include "glyph/font_registry.h"
#include "image/png_writer.h"
#include "settings/charset_table.h"
#include "settings/font_files.h"

namespace glyphory::cli {

namespace {

constexpr char kDefaultPreviewSample[] = "As_\xC1\xB8 32 (*)";

// A run's options, resolved once from the settings file and the command line.
// Every read is constant, so worker threads may share it.
class CliHost final : public RunHost {
 public:
  CliHost(std::string codes, LOGFONT record, GlyphOptions options, std::string folder, std::int32_t offset,
          std::string nameFormat, bool allChars, std::string charset, std::string charMapPath)
      : codes_(std::move(codes)), record_(record), options_(options), folder_(std::move(folder)), offset_(offset),
        nameFormat_(std::move(nameFormat)), allChars_(allChars), charset_(std::move(charset)),
        charMapPath_(std::move(charMapPath)) {}

  std::string CodesText() override { return codes_; }
  LOGFONT FontRecord() override { return record_; }
  GlyphOptions Options() override { return options_; }
  std::string OutputFolder() override { return folder_; }
  std::int32_t NameNumberOffset() override { return offset_; }
  std::string NameFormat() override { return nameFormat_; }
  bool AllChars() override { return allChars_; }
  std::string CharsetName() override { return charset_; }
  std::string CharMapPath() override { return charMapPath_; }
  void ShowMessage(const std::string&) override {}
  void ReportCodeFailure(const std::string&, const std::string&) override {}
  void ProcessEvents() override {}
  void LockControls() override {}
  void UnlockControls() override {}
  void SetProgressRange(int) override {}
  void SetProgress(int) override {}

 private:
  std::string codes_;
  LOGFONT record_;
  GlyphOptions options_;
  std::string folder_;
  std::int32_t offset_;
  std::string nameFormat_;
  bool allChars_;
  std::string charset_;
  std::string charMapPath_;
};

// A font file registered for the time of a run.
class ScopedFontFile {
 public:
  explicit ScopedFontFile(std::string path) : path_(std::move(path)) { registered_ = RegisterFontFile(path_); }
  ~ScopedFontFile() {
    if (registered_) {
      UnregisterFontFile(path_);
    }
  }
  ScopedFontFile(const ScopedFontFile&) = delete;
  ScopedFontFile& operator=(const ScopedFontFile&) = delete;

  // False when a font file was asked for and holds no usable font: drawing
  // with some other face instead would pass a wrong result off as success.
  [[nodiscard]] bool Usable(std::ostream& err) const {
    if (path_.empty() || registered_) {
      return true;
    }
    err << "The font file '" << path_ << "' holds no usable font.\n";
    return false;
  }

 private:
  std::string path_;
  bool registered_ = false;
};

struct Resolved {
  std::string codes;
  std::string folder;
  std::string fontFile;  // empty: an installed face
  std::string faceName;
  bool bold = false;
  bool italic = false;
  int charsetRow = kDefaultCharsetRow;
  GlyphOptions options;
  std::int32_t offset = 2048;
  std::string nameFormat;
  bool allChars = false;
  std::string charMapPath;
  std::string language;
};

template <typename T, typename U>
T Pick(const std::optional<T>& option, U stored) {
  return option ? *option : static_cast<T>(stored);
}

Resolved Resolve(const CliOptions& cli, const std::string& programFolder) {
  const TIniStore store(cli.settingsPath);
  const StoredSettings s = ReadStoredSettings(store, programFolder);
  Resolved r;
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

// The face of the composed font: a font file's own face name (cut to what the
// record holds), else the chosen installed face.
LOGFONT ComposeRecord(const Resolved& r) {
  std::string face = r.faceName;
  if (!r.fontFile.empty()) {
    const std::string fileFace = GetFontFileFaceName(r.fontFile);
    if (!fileFace.empty()) {
      face = fileFace;
    }
  }
  const bool knownRow = r.charsetRow >= 0 && r.charsetRow < static_cast<int>(CharsetTable.size());
  const std::uint8_t charset = knownRow ? CharsetTable[static_cast<std::size_t>(r.charsetRow)].value : DEFAULT_CHARSET;
  return ComposeLogFont(face, r.bold, r.italic, charset);
}

std::string CharsetNameOf(int row) {
  const bool knownRow = row >= 0 && row < static_cast<int>(CharsetTable.size());
  return knownRow ? CharsetTable[static_cast<std::size_t>(row)].name : "";
}

// One code of the run: its entry and file, and once done, how it went.
struct Job {
  std::string entry;
  std::int32_t code = 0;
  std::string path;
  std::size_t previousSamePath = kNoJob;  // an earlier job writing the same file
  bool done = false;
  bool fatal = false;  // the glyph could not even be built: the run ends here
  std::string error;

  static constexpr std::size_t kNoJob = static_cast<std::size_t>(-1);
};

// Shows codes done / total, rate and time left on one terminal line.
class ProgressLine {
 public:
  ProgressLine(std::ostream& err, std::size_t total, bool enabled)
      : err_(err), total_(total), enabled_(enabled), start_(std::chrono::steady_clock::now()) {}

  void Update(std::size_t done) {
    if (!enabled_) {
      return;
    }
    const double seconds = Elapsed();
    const double rate = seconds > 0 ? static_cast<double>(done) / seconds : 0.0;
    const double left = rate > 0 ? static_cast<double>(total_ - done) / rate : 0.0;
    constexpr std::size_t kBarWidth = 30;
    const std::size_t filled = total_ == 0 ? kBarWidth : done * kBarWidth / total_;
    err_ << "\r[" << std::string(filled, '#') << std::string(kBarWidth - filled, ' ') << "] " << done << "/"
         << total_ << "  " << std::fixed << std::setprecision(0) << rate << " codes/s  " << std::setprecision(1)
         << left << " s left " << std::flush;
  }
  void Finish() {
    if (enabled_) {
      err_ << "\r" << std::string(72, ' ') << "\r" << std::flush;
    }
  }
  [[nodiscard]] double Elapsed() const {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
  }

 private:
  std::ostream& err_;
  std::size_t total_;
  bool enabled_;
  std::chrono::steady_clock::time_point start_;
};

// Renders and writes jobs on `threads` workers, and hands each finished job,
// in list order, to `report`. Jobs that write the same file are written in
// list order, so the later code wins. Workers stay at most a window of jobs
// ahead of the reports, so memory stays bounded however long the list.
class ParallelExport {
 public:
  ParallelExport(RunHost& host, ExportMode mode, const LOGFONT& record, std::vector<Job>& jobs)
      : host_(host), mode_(mode), record_(record), jobs_(jobs) {}

  // `report` returns false to end the run: no further job is started.
  template <typename Report>
  void Run(int threads, Report report) {
    window_ = static_cast<std::size_t>(threads) * 8;
    std::vector<std::thread> workers;
    for (int t = 0; t < threads; ++t) {
      workers.emplace_back([this] { Work(); });
    }
    for (std::size_t i = 0; i < jobs_.size(); ++i) {
      std::unique_lock lock(mutex_);
      changed_.wait(lock, [&] { return jobs_[i].done; });
      lock.unlock();
      const bool keepGoing = report(jobs_[i]);
      lock.lock();
      reported_ = i + 1;
      stopped_ = stopped_ || !keepGoing;
      lock.unlock();
      changed_.notify_all();
      if (!keepGoing) {
        break;
      }
    }
    {
      std::lock_guard lock(mutex_);
      stopped_ = true;
    }
    changed_.notify_all();
    for (auto& worker : workers) {
      worker.join();
    }
  }

 private:
  void Work() {
    for (;;) {
      std::size_t index = 0;
      {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return stopped_ || next_ >= jobs_.size() || next_ < reported_ + window_; });
        if (stopped_ || next_ >= jobs_.size()) {
          return;
        }
        index = next_++;
      }
      Job& job = jobs_[index];
      std::string bytes;
      if (job.error.empty()) {
        bytes = Render(job);
      }
      if (job.error.empty()) {
        WaitForPrevious(job);
        Write(job, bytes);
      }
      {
        std::lock_guard lock(mutex_);
        job.done = true;
      }
      changed_.notify_all();
    }
  }

  std::string Render(Job& job) {
    const GlyphOptions options = host_.Options();
    std::unique_ptr<TPNGFont> glyph;
    try {
      glyph = ConstructGlyph(record_, options, std::string(1, static_cast<char>(job.code)));
    } catch (const std::exception& error) {
      job.fatal = true;
      job.error = error.what();
      return {};
    }
    try {
      return EncodeGlyph(mode_, *glyph, options);
    } catch (const std::exception& error) {
      job.error = error.what();
      return {};
    }
  }

  void WaitForPrevious(const Job& job) {
    if (job.previousSamePath == Job::kNoJob) {
      return;
    }
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return jobs_[job.previousSamePath].done; });
  }

  void Write(Job& job, std::string& bytes) {
    try {
      WriteEncoded({job.path, std::move(bytes)}, sync_);
    } catch (const std::exception& error) {
      job.error = error.what();
    }
  }

  RunHost& host_;
  ExportMode mode_;
  LOGFONT record_;
  std::vector<Job>& jobs_;
  TDeferredSync sync_;  // the written files reach the disk when the export goes
  std::mutex mutex_;
  std::condition_variable changed_;
  std::size_t next_ = 0;
  std::size_t reported_ = 0;
  std::size_t window_ = 16;
  bool stopped_ = false;
};

// The entries that will be written, checked before anything is: every entry
// must be integer text. Throws EUsageError with the conversion message.
std::vector<Job> PlanJobs(RunHost& host, ExportMode mode) {
  std::string expansionError;
  const CodeList entries = ExpandCodes(host.CodesText(), [&](const std::string& text) { expansionError = text; });
  if (!expansionError.empty()) {
    throw EUsageError("--codes: " + Cp1251ToUtf8(expansionError));
  }
  for (const auto& entry : entries) {
    if (!TryStrToInt(entry)) {
      throw EUsageError(Cp1251ToUtf8(EConvertError::NotAnInteger(entry).what()));
    }
  }
  if (entries.empty()) {
    throw EUsageError("--codes: the code list holds no codes to export");
  }
  std::vector<Job> jobs;
  std::map<std::string, std::size_t> lastJobOfPath;
  for (const auto& entry : entries) {
    const auto code = SelectEntry(host, mode, entry);
    if (!code) {
      continue;
    }
    Job job;
    job.entry = entry;
    job.code = *code;
    try {
      job.path = OutputPath(host, mode, entry, *code);
    } catch (const std::exception& error) {
      job.error = error.what();
    }
    if (job.error.empty()) {
      const auto [last, inserted] = lastJobOfPath.try_emplace(job.path, jobs.size());
      if (!inserted) {
        job.previousSamePath = last->second;
        last->second = jobs.size();
      }
    }
    jobs.push_back(std::move(job));
  }
  return jobs;
}

int ThreadCount(int requested) {
  if (requested > 0) {
    return requested;
  }
  const unsigned cores = std::thread::hardware_concurrency();
  return cores == 0 ? 1 : static_cast<int>(cores);
}

void EnsureFolder(const std::string& folder) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) {
    throw EUsageError("--out: cannot create the folder '" + folder + "': " + error.message());
  }
}

int RunExportJobs(const CliOptions& cli, const Resolved& r, std::ostream& err) {
  const ScopedFontFile fontFile(r.fontFile);
  if (!fontFile.Usable(err)) {
    return kExitCodesFailed;
  }
  CliHost host(r.codes, ComposeRecord(r), r.options, r.folder, r.offset, r.nameFormat, r.allChars,
               CharsetNameOf(r.charsetRow), r.charMapPath);
  std::vector<Job> jobs = PlanJobs(host, cli.mode);
  EnsureFolder(r.folder);
  StopRequested = false;
  ProgressLine progress(err, jobs.size(), !cli.quiet && isatty(STDERR_FILENO) != 0);
  std::size_t written = 0;
  std::size_t failed = 0;
  std::size_t done = 0;
  const auto reportFailure = [&](const Job& job, const std::string& cause) {
    progress.Finish();
    err << Cp1251ToUtf8(CodeFailureMessage(job.code)) << " " << Cp1251ToUtf8(cause) << "\n";
    ++failed;
  };
  ParallelExport exporter(host, cli.mode, host.FontRecord(), jobs);
  exporter.Run(ThreadCount(cli.jobs), [&](const Job& job) {
    if (!job.error.empty()) {
      reportFailure(job, job.error);
    } else {
      ++written;
    }
    progress.Update(++done);
    return !job.fatal && !StopRequested.load();
  });
  progress.Finish();
  if (!cli.quiet) {
    err << "Wrote " << written << " of " << jobs.size() << " files to " << r.folder << " in " << std::fixed
        << std::setprecision(2) << progress.Elapsed() << " s";
    if (failed != 0) {
      err << "; " << failed << " failed";
    }
    err << "\n";
  }
  return failed == 0 && written == jobs.size() ? kExitOk : kExitCodesFailed;
}

int RunPreview(const CliOptions& cli, const Resolved& r, std::ostream& err) {
  const ScopedFontFile fontFile(r.fontFile);
  if (!fontFile.Usable(err)) {
    return kExitCodesFailed;
  }
  std::string text = kDefaultPreviewSample;
  if (cli.previewText) {
    text = *cli.previewText;
  } else {
    const TIniStore languages(std::string(std::filesystem::path(cli.settingsPath).parent_path() / "lang.ini"));
    text = languages.ReadString(r.language, "fontPrev", kDefaultPreviewSample);
  }
  try {
    const auto glyph = RenderPreview(ComposeRecord(r), r.options, text);
    if (!glyph) {
      err << "The preview could not be drawn.\n";
      return kExitCodesFailed;
    }
    SavePNGToFile(*glyph, cli.previewPath);
  } catch (const std::exception& error) {
    err << Cp1251ToUtf8(error.what()) << "\n";
    return kExitCodesFailed;
  }
  return kExitOk;
}

}  // namespace

int RunCommandLine(const CliOptions& cli, const std::string& programFolder, std::ostream& out, std::ostream& err) {
  switch (cli.action) {
    case Action::Help:
      out << UsageText();
      return kExitOk;
    case Action::Version:
      out << "glyphory-cli " << GLYPHORY_VERSION << "\n";
      return kExitOk;
    case Action::ListCharsets:
      for (const auto& row : CharsetTable) {
        out << row.name << "\n";
      }
      return kExitOk;
    case Action::ListFonts:
      for (const auto& family : FontRegistry::Instance().InstalledFamilies()) {
        out << family << "\n";
      }
      return kExitOk;
    case Action::Export:
    case Action::Preview:
      break;
  }
  try {
    const Resolved resolved = Resolve(cli, programFolder);
    return cli.action == Action::Preview ? RunPreview(cli, resolved, err) : RunExportJobs(cli, resolved, err);
  } catch (const EUsageError& error) {
    err << error.what() << "\n";
    return kExitUsage;
  } catch (const std::exception& error) {
    err << Cp1251ToUtf8(error.what()) << "\n";
    return kExitUsage;
  }
}

}  // namespace glyphory::cli
