// The about window `frmAbout`: the program's read-me and its version. It is
// non-modal, exists at most once and is destroyed when it is closed.
#pragma once

#include <QWidget>
#include <string>
#include <string_view>

class QLabel;
class QPlainTextEdit;

namespace glyphory {

// The read-me's Windows-1251 text as Unicode lines; a line ends at CR, at LF
// or at CR LF.
[[nodiscard]] QString ReadmeText(std::string_view bytes);

class TfrmAbout : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 506;
  static constexpr int kClientHeight = 398;

  // `programFolder` ends in "/"; "readme.txt" is read from there each time
  // the window is shown.
  explicit TfrmAbout(std::string programFolder, QWidget* parent = nullptr);

  [[nodiscard]] QPlainTextEdit* memReadme() const { return memReadme_; }
  [[nodiscard]] QLabel* versionLabel() const { return versionLabel_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void CreateControls();
  void LoadReadme();
  void CentreOnDesktop();

  std::string programFolder_;
  QPlainTextEdit* memReadme_ = nullptr;
  QLabel* versionLabel_ = nullptr;
};

// The help button's action: shows the about window, creating it on the first
// call; while it exists, a call brings it forward with the focus in the memo.
TfrmAbout* ShowAbout(const std::string& programFolder, QWidget* parent);
// The about window, or nullptr while there is none (it clears itself when it
// is closed and destroyed).
[[nodiscard]] TfrmAbout* AboutWindow();

}  // namespace glyphory
