// The one-line progress of an export on a terminal: codes done / total, rate
// and time left, updated in place.
#pragma once

#include <chrono>
#include <cstddef>
#include <ostream>

namespace glyphory::cli {

class ProgressLine {
 public:
  // Draws nothing unless `enabled` (stderr is a terminal and not --quiet).
  ProgressLine(std::ostream& err, std::size_t total, bool enabled);

  void Update(std::size_t done);
  // Clears the line, so a message can be printed in its place.
  void Finish();
  [[nodiscard]] double Elapsed() const;

 private:
  std::ostream& err_;
  std::size_t total_;
  bool enabled_;
  std::chrono::steady_clock::time_point start_;
};

}  // namespace glyphory::cli
