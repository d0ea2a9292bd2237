// The program's stop request: cleared when an export starts, set by Stop and
// Exit (or an interrupt of the command line), polled after every code.
#pragma once

#include <atomic>

namespace glyphory {

extern std::atomic<bool> StopRequested;

}  // namespace glyphory
