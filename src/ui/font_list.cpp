#include "ui/font_list.h"

#include <QMetaObject>
#include <QSignalBlocker>

#include "glyph/font_registry.h"

namespace glyphory {

namespace {

constexpr int kEntryHeight = 16;
constexpr int kSamplePixelSize = 12;

}  // namespace

TFontListBox::TFontListBox(QWidget* parent) : QListWidget(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  setUniformItemSizes(true);
  Fill();
  // A change of the font table refills the list; the selection stays and no
  // selection change is signalled, so the composed font is not touched.
  listenerId_ = FontRegistry::Instance().AddListener([this] {
    QMetaObject::invokeMethod(
        this,
        [this] {
          const QSignalBlocker blocker(this);
          const QString face = SelectedFace();
          Fill();
          if (!face.isEmpty()) {
            SelectFace(face);
          }
        },
        Qt::QueuedConnection);
  });
}

TFontListBox::~TFontListBox() { FontRegistry::Instance().RemoveListener(listenerId_); }

void TFontListBox::Fill() {
  const QSignalBlocker blocker(this);
  clear();
  for (const std::string& family : FontRegistry::Instance().InstalledFamilies()) {
    const QString name = QString::fromStdString(family);
    auto* item = new QListWidgetItem(name, this);  // owned by the list
    QFont face(name);
    face.setPixelSize(kSamplePixelSize);
    item->setFont(face);
    item->setSizeHint(QSize(0, kEntryHeight));
  }
}

QString TFontListBox::SelectedFace() const {
  const QList<QListWidgetItem*> selected = selectedItems();
  return selected.isEmpty() ? QString() : selected.front()->text();
}

bool TFontListBox::SelectFace(const QString& face) {
  QList<QListWidgetItem*> found = findItems(face, Qt::MatchFixedString);
  if (found.isEmpty()) {
    const QString substitute = QString::fromStdString(FontRegistry::Instance().MatchedFamily(face.toStdString()));
    if (!substitute.isEmpty()) {
      found = findItems(substitute, Qt::MatchFixedString);
    }
  }
  if (found.isEmpty()) {
    clearSelection();
    setCurrentItem(nullptr);
    return false;
  }
  setCurrentItem(found.front());
  found.front()->setSelected(true);
  scrollToItem(found.front());
  return true;
}

}  // namespace glyphory
