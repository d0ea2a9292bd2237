#include "glyph/log_sink.h"

#include <utility>

namespace glyphory {

namespace {

// The one program-wide reference to the log window's receiver.
LogSink& InstalledSink() {
  static LogSink sink;
  return sink;
}

}  // namespace

LogSink SetLogSink(LogSink sink) { return std::exchange(InstalledSink(), std::move(sink)); }

void LogMessage(std::string_view message) {
  const LogSink& sink = InstalledSink();
  if (sink) {
    sink(message);
  }
}

}  // namespace glyphory
