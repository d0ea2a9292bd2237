// The list of installed scalable TrueType/OpenType families, each entry drawn
// in its own face. It refreshes itself when the font table changes.
#pragma once

#include <QListWidget>

namespace glyphory {

class TFontListBox : public QListWidget {
  Q_OBJECT

 public:
  explicit TFontListBox(QWidget* parent = nullptr);
  ~TFontListBox() override;
  TFontListBox(const TFontListBox&) = delete;
  TFontListBox& operator=(const TFontListBox&) = delete;

  // The family of the selected entry; empty when nothing is selected.
  [[nodiscard]] QString SelectedFace() const;
  // Selects the entry of `face` (letter case ignored); when it is not listed,
  // the entry of the family fontconfig draws in its place. False when neither
  // is listed (the selection is then cleared).
  bool SelectFace(const QString& face);

 private:
  void Fill();

  int listenerId_ = 0;
};

}  // namespace glyphory
