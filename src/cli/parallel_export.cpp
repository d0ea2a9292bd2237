#include "cli/parallel_export.h"

#include <map>
#include <memory>
#include <thread>

#include "batch/code_list.h"
#include "batch/int_text.h"
#include "cli/cli_options.h"
#include "glyph/code_page.h"

namespace glyphory::cli {

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

void ParallelExport::Run(int threads, const std::function<bool(const Job&)>& report) {
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

void ParallelExport::Work() {
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

std::string ParallelExport::Render(Job& job) {
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

void ParallelExport::WaitForPrevious(const Job& job) {
  if (job.previousSamePath == Job::kNoJob) {
    return;
  }
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [&] { return jobs_[job.previousSamePath].done; });
}

void ParallelExport::Write(Job& job, std::string& bytes) {
  try {
    WriteEncoded({job.path, std::move(bytes)}, sync_);
  } catch (const std::exception& error) {
    job.error = error.what();
  }
}

}  // namespace glyphory::cli
