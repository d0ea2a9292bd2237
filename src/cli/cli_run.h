// Running what the command line asked for: the settings file and the options
// combined into one export (or preview), carried out over the core's pipeline,
// with codes rendered in parallel and written in list order.
#pragma once

#include <iosfwd>
#include <string>

#include "cli/cli_options.h"

namespace glyphory::cli {

// Exit statuses.
constexpr int kExitOk = 0;
constexpr int kExitCodesFailed = 1;
constexpr int kExitUsage = 2;

// Runs the command line; messages go to `err`, listings to `out`.
// `programFolder` ends in "/".
int RunCommandLine(const CliOptions& options, const std::string& programFolder, std::ostream& out,
                   std::ostream& err);

}  // namespace glyphory::cli
