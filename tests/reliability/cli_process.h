// Running glyphory-cli as a child process that a test can wait for or kill,
// and checking the files it leaves in a folder.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace glyphory::test {

// How a child process ended.
struct ProcessEnd {
  bool exited = false;  // false: ended by a signal
  int status = -1;      // exit status, or the signal number
  std::string output;   // stdout and stderr together
};

// glyphory-cli started with the arguments; output goes to a file in `scratch`.
class CliProcess {
 public:
  CliProcess(const std::vector<std::string>& args, const std::filesystem::path& scratch);
  ~CliProcess();
  CliProcess(const CliProcess&) = delete;
  CliProcess& operator=(const CliProcess&) = delete;

  // Waits for the end of the process.
  ProcessEnd Wait();
  // Sends SIGKILL (unless it ended already) and waits.
  ProcessEnd Kill();

 private:
  pid_t pid_ = -1;
  std::string outputPath_;
};

// Runs glyphory-cli to its end.
ProcessEnd RunCliToEnd(const std::vector<std::string>& args, const std::filesystem::path& scratch);

// Whether a name in an output folder is a temporary file of the file writer.
bool IsTemporaryName(const std::string& name);

// What a check of a written file found; empty when the file is complete.
std::string PngDefect(const std::string& bytes);
std::string BmpDefect(const std::string& bytes);

// The files of an output folder, by kind.
struct FolderContent {
  std::vector<std::string> finals;      // names a file is meant to have
  std::vector<std::string> temporaries;  // the writer's temporary files
};
FolderContent ListFolder(const std::filesystem::path& folder);

}  // namespace glyphory::test
