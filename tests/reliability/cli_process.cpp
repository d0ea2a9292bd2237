#include "cli_process.h"

#include <fcntl.h>
#include <png.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <stdexcept>

#include "image/file_output.h"
#include "test_support.h"

extern char** environ;

namespace glyphory::test {

namespace {

// posix_spawn file actions, destroyed with the object.
class SpawnActions {
 public:
  SpawnActions() { posix_spawn_file_actions_init(&actions_); }
  ~SpawnActions() { posix_spawn_file_actions_destroy(&actions_); }
  SpawnActions(const SpawnActions&) = delete;
  SpawnActions& operator=(const SpawnActions&) = delete;
  posix_spawn_file_actions_t* Get() { return &actions_; }

 private:
  posix_spawn_file_actions_t actions_{};
};

std::uint32_t LittleEndian32(const std::string& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) {
    value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
  }
  return value;
}

}  // namespace

CliProcess::CliProcess(const std::vector<std::string>& args, const std::filesystem::path& scratch) {
  static int runs = 0;
  outputPath_ = (scratch / ("cli-output-" + std::to_string(++runs) + ".txt")).string();
  std::vector<std::string> argv{GLYPHORY_CLI_PATH};
  argv.insert(argv.end(), args.begin(), args.end());
  std::vector<char*> pointers;
  for (auto& arg : argv) {
    pointers.push_back(arg.data());
  }
  pointers.push_back(nullptr);
  SpawnActions actions;
  posix_spawn_file_actions_addopen(actions.Get(), STDOUT_FILENO, outputPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0644);
  posix_spawn_file_actions_adddup2(actions.Get(), STDOUT_FILENO, STDERR_FILENO);
  if (posix_spawn(&pid_, argv[0].c_str(), actions.Get(), nullptr, pointers.data(), environ) != 0) {
    throw std::runtime_error("cannot start " + argv[0]);
  }
}

CliProcess::~CliProcess() {
  if (pid_ > 0) {
    (void)Kill();
  }
}

ProcessEnd CliProcess::Wait() {
  ProcessEnd end;
  int status = 0;
  while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
  }
  pid_ = -1;
  end.exited = WIFEXITED(status);
  end.status = end.exited ? WEXITSTATUS(status) : WTERMSIG(status);
  end.output = ReadFileBytes(outputPath_);
  return end;
}

ProcessEnd CliProcess::Kill() {
  ::kill(pid_, SIGKILL);
  return Wait();
}

ProcessEnd RunCliToEnd(const std::vector<std::string>& args, const std::filesystem::path& scratch) {
  CliProcess process(args, scratch);
  return process.Wait();
}

bool IsTemporaryName(const std::string& name) {
  return !name.empty() && name[0] == '.' && name.find(kTempFileMarker) != std::string::npos;
}

std::string PngDefect(const std::string& bytes) {
  static const std::string kEnd("\0\0\0\0IEND\xAE\x42\x60\x82", 12);
  if (bytes.size() < kEnd.size() || bytes.compare(bytes.size() - kEnd.size(), kEnd.size(), kEnd) != 0) {
    return "does not end with the end chunk";
  }
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (png_image_begin_read_from_memory(&image, bytes.data(), bytes.size()) == 0) {
    return image.message;
  }
  image.format = PNG_FORMAT_RGBA;
  std::vector<png_byte> pixels(PNG_IMAGE_SIZE(image));
  if (png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr) == 0) {
    const std::string message = image.message;
    png_image_free(&image);
    return message;
  }
  return {};
}

std::string BmpDefect(const std::string& bytes) {
  if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') {
    return "no bitmap header";
  }
  if (LittleEndian32(bytes, 2) != bytes.size()) {
    return "size in the header is " + std::to_string(LittleEndian32(bytes, 2)) + ", file has " +
           std::to_string(bytes.size());
  }
  const std::uint32_t width = LittleEndian32(bytes, 18);
  const std::uint32_t height = LittleEndian32(bytes, 22);
  const std::uint32_t bits = static_cast<unsigned char>(bytes[28]) | (static_cast<unsigned char>(bytes[29]) << 8);
  const std::uint64_t stride = (static_cast<std::uint64_t>(width) * bits + 31) / 32 * 4;
  if (LittleEndian32(bytes, 10) + stride * height > bytes.size()) {
    return "pixel rows cut short";
  }
  return {};
}

FolderContent ListFolder(const std::filesystem::path& folder) {
  FolderContent content;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    (IsTemporaryName(name) ? content.temporaries : content.finals).push_back(name);
  }
  return content;
}

}  // namespace glyphory::test
