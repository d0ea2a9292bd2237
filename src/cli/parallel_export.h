// Rendering and writing an export's codes on several threads, with the
// reports, the progress and the stop checks kept in list order.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "batch/export_run.h"
#include "batch/run_host.h"
#include "image/file_output.h"

namespace glyphory::cli {

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

// The codes an export writes, each with its file, checked before anything is
// written: every entry must be integer text. Throws EUsageError with the
// conversion message, or for a code list that expands to nothing.
[[nodiscard]] std::vector<Job> PlanJobs(RunHost& host, ExportMode mode);

// Renders and writes jobs on `threads` workers, and hands each finished job,
// in list order, to `report`. Jobs that write the same file are written in
// list order, so the later code wins. Workers stay at most a window of jobs
// ahead of the reports, so memory stays bounded however long the list.
class ParallelExport {
 public:
  ParallelExport(RunHost& host, ExportMode mode, const LOGFONT& record, std::vector<Job>& jobs)
      : host_(host), mode_(mode), record_(record), jobs_(jobs) {}

  // `report` returns false to end the run: no further job is started.
  void Run(int threads, const std::function<bool(const Job&)>& report);

 private:
  void Work();
  std::string Render(Job& job);
  void WaitForPrevious(const Job& job);
  void Write(Job& job, std::string& bytes);

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

}  // namespace glyphory::cli
