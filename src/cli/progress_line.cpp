#include "cli/progress_line.h"

#include <iomanip>
#include <string>

namespace glyphory::cli {

namespace {

constexpr std::size_t kBarWidth = 30;
constexpr std::size_t kLineWidth = 72;

}  // namespace

ProgressLine::ProgressLine(std::ostream& err, std::size_t total, bool enabled)
    : err_(err), total_(total), enabled_(enabled), start_(std::chrono::steady_clock::now()) {}

void ProgressLine::Update(std::size_t done) {
  if (!enabled_) {
    return;
  }
  const double seconds = Elapsed();
  const double rate = seconds > 0 ? static_cast<double>(done) / seconds : 0.0;
  const double left = rate > 0 ? static_cast<double>(total_ - done) / rate : 0.0;
  const std::size_t filled = total_ == 0 ? kBarWidth : done * kBarWidth / total_;
  err_ << "\r[" << std::string(filled, '#') << std::string(kBarWidth - filled, ' ') << "] " << done << "/" << total_
       << "  " << std::fixed << std::setprecision(0) << rate << " codes/s  " << std::setprecision(1) << left
       << " s left " << std::flush;
}

void ProgressLine::Finish() {
  if (enabled_) {
    err_ << "\r" << std::string(kLineWidth, ' ') << "\r" << std::flush;
  }
}

double ProgressLine::Elapsed() const {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
}

}  // namespace glyphory::cli
