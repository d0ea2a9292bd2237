#include "cli/cli_run.h"

#include <unistd.h>

#include <filesystem>
#include <iomanip>
#include <ostream>
#include <thread>
#include <vector>

#include "batch/stop_flag.h"
#include "cli/cli_host.h"
#include "cli/parallel_export.h"
#include "cli/progress_line.h"
#include "glyph/code_page.h"
#include "glyph/font_registry.h"
#include "image/png_writer.h"
#include "settings/charset_table.h"
#include "settings/ini_store.h"
#include "settings/language_table.h"

namespace glyphory::cli {

namespace {

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

int RunExportJobs(const CliOptions& cli, const ResolvedRun& r, std::ostream& err) {
  const ScopedFontFile fontFile(r.fontFile);
  if (!fontFile.Usable(err)) {
    return kExitCodesFailed;
  }
  CliHost host(r, ComposeRecord(r));
  std::vector<Job> jobs = PlanJobs(host, cli.mode);
  EnsureFolder(r.folder);
  StopRequested = false;
  ProgressLine progress(err, jobs.size(), !cli.quiet && isatty(STDERR_FILENO) != 0);
  std::size_t written = 0;
  std::size_t failed = 0;
  std::size_t done = 0;
  ParallelExport exporter(host, cli.mode, host.FontRecord(), jobs);
  exporter.Run(ThreadCount(cli.jobs), [&](const Job& job) {
    if (job.error.empty()) {
      ++written;
    } else {
      progress.Finish();
      err << Cp1251ToUtf8(CodeFailureMessage(job.code)) << " " << MessageToUtf8(job.error) << "\n";
      ++failed;
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

int RunPreview(const CliOptions& cli, const ResolvedRun& r, const std::string& programFolder, std::ostream& err) {
  const ScopedFontFile fontFile(r.fontFile);
  if (!fontFile.Usable(err)) {
    return kExitCodesFailed;
  }
  const std::string text =
      cli.previewText ? *cli.previewText : ReadPreviewSample(TIniStore(LanguageFilePath(programFolder)), r.language);
  try {
    const auto glyph = RenderPreview(ComposeRecord(r), r.options, text);
    if (!glyph) {
      err << "The preview could not be drawn.\n";
      return kExitCodesFailed;
    }
    SavePNGToFile(*glyph, cli.previewPath);
  } catch (const std::exception& error) {
    err << MessageToUtf8(error.what()) << "\n";
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
    const ResolvedRun resolved = ResolveRun(cli, programFolder);
    return cli.action == Action::Preview ? RunPreview(cli, resolved, programFolder, err) : RunExportJobs(cli, resolved, err);
  } catch (const EUsageError& error) {
    err << error.what() << "\n";
    return kExitUsage;
  } catch (const std::exception& error) {
    err << MessageToUtf8(error.what()) << "\n";
    return kExitUsage;
  }
}

}  // namespace glyphory::cli
