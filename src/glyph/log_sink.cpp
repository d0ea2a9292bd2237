#include "glyph/log_sink.h"

#include <atomic>
#include <mutex>
#include <utility>

namespace glyphory {

namespace {

// The one program-wide reference to the log window's receiver. Glyph images
// are also drawn on the command line's worker threads, so the receiver is
// read under a lock; while none is installed a message costs one atomic test.
struct InstalledSink {
  std::mutex mutex;
  LogSink sink;
  std::atomic<bool> installed{false};
};

InstalledSink& Installed() {
  static InstalledSink installed;
  return installed;
}

}  // namespace

LogSink SetLogSink(LogSink sink) {
  InstalledSink& installed = Installed();
  const std::lock_guard lock(installed.mutex);
  installed.installed = static_cast<bool>(sink);
  return std::exchange(installed.sink, std::move(sink));
}

void LogMessage(std::string_view message) {
  InstalledSink& installed = Installed();
  if (!installed.installed.load(std::memory_order_acquire)) {
    return;
  }
  const std::lock_guard lock(installed.mutex);
  if (installed.sink) {
    installed.sink(message);
  }
}

}  // namespace glyphory
