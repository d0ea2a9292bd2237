// glyphory-cli: the export of the Glyphory window, without a display.
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "batch/stop_flag.h"
#include "cli/cli_options.h"
#include "cli/cli_run.h"

namespace {

// The folder of the running program, followed by "/".
std::string ProgramFolder(const char* argv0) {
  std::error_code error;
  std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) {
    self = std::filesystem::absolute(argv0, error);
  }
  return self.parent_path().string() + "/";
}

extern "C" void OnInterrupt(int) { glyphory::StopRequested = true; }

}  // namespace

int main(int argc, char* argv[]) {
  std::signal(SIGINT, OnInterrupt);
  std::signal(SIGTERM, OnInterrupt);
  const std::string programFolder = ProgramFolder(argv[0]);
  const std::vector<std::string> args(argv + 1, argv + argc);
  glyphory::cli::CliOptions options;
  try {
    options = glyphory::cli::ParseCommandLine(args, programFolder);
  } catch (const glyphory::cli::EUsageError& error) {
    std::cerr << error.what() << "\n";
    return glyphory::cli::kExitUsage;
  }
  return glyphory::cli::RunCommandLine(options, programFolder, std::cout, std::cerr);
}
