// Where the glyph pipeline's progress messages go. The log window installs a
// sink when it exists; with no sink installed a message costs one test and is
// dropped.
#pragma once

#include <functional>
#include <string_view>

namespace glyphory {

// Receives one message as Windows-1251 text, without time stamp: the receiver
// builds its own log line around it.
using LogSink = std::function<void(std::string_view message)>;

// Installs `sink` (an empty function removes it). Returns the sink installed
// before, so a caller can put it back.
LogSink SetLogSink(LogSink sink);

// Hands `message` to the installed sink, if any. Safe from any thread; the
// sink runs under a lock, so it must not log or change the sink itself.
void LogMessage(std::string_view message);

}  // namespace glyphory
