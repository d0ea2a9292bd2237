#include "batch/stop_flag.h"

namespace glyphory {

std::atomic<bool> StopRequested{false};

}  // namespace glyphory
