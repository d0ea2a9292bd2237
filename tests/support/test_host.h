// A run host over plain values that records what a run tells its caller.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "batch/run_host.h"

namespace glyphory::test {

struct TestHost : RunHost {
  std::string codes = "65";
  LOGFONT record = ComposeLogFont("DejaVu Sans", false, false, DEFAULT_CHARSET);
  GlyphOptions options;
  std::string folder;
  std::int32_t offset = 2048;
  std::string nameFormat = "%0.4d";
  bool allChars = false;
  std::string charset = "DEFAULT_CHARSET";
  std::string charMapPath;

  std::vector<std::string> messages;
  std::vector<std::pair<std::string, std::string>> failures;
  std::vector<int> progress;
  int progressMaximum = -1;
  int locks = 0;
  int unlocks = 0;
  std::function<void()> onProcessEvents;

  std::string CodesText() override { return codes; }
  LOGFONT FontRecord() override { return record; }
  GlyphOptions Options() override { return options; }
  std::string OutputFolder() override { return folder; }
  std::int32_t NameNumberOffset() override { return offset; }
  std::string NameFormat() override { return nameFormat; }
  bool AllChars() override { return allChars; }
  std::string CharsetName() override { return charset; }
  std::string CharMapPath() override { return charMapPath; }
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  void ReportCodeFailure(const std::string& message, const std::string& cause) override {
    failures.emplace_back(message, cause);
  }
  void ProcessEvents() override {
    if (onProcessEvents) {
      onProcessEvents();
    }
  }
  void LockControls() override { ++locks; }
  void UnlockControls() override { ++unlocks; }
  void SetProgressRange(int maximum) override { progressMaximum = maximum; }
  void SetProgress(int position) override { progress.push_back(position); }
};

}  // namespace glyphory::test
