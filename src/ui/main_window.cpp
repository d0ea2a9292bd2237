#include "ui/main_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QStringDecoder>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>
#include <array>

#include "batch/export_run.h"
#include "batch/int_text.h"
#include "batch/stop_flag.h"
#include "glyph/code_page.h"
#include "glyph/log_sink.h"
#include "settings/charset_table.h"
#include "settings/font_files.h"
#include "settings/language_table.h"
#include "settings/window_state.h"
#include "ui/button_edit.h"
#include "ui/color_swatch.h"
#include "ui/dialogs.h"
#include "ui/font_list.h"
#include "ui/form_placement.h"
#include "ui/about_window.h"
#include "ui/image_button.h"
#include "ui/language_apply.h"
#include "ui/log_window.h"
#include "ui/radio_group.h"

namespace glyphory {

std::string RegisteredFontFile;

namespace {

constexpr char kWindowName[] = "frmMain";
constexpr int kClientWidth = 865;
constexpr int kClientHeight = 512;

// The keys SaveSettings writes, in the order it writes them.
constexpr SettingId kSavedKeys[] = {
    SettingId::OutputFolder, SettingId::FontSize,      SettingId::FontName,   SettingId::FontColor,
    SettingId::EdgeWidth,    SettingId::EdgeColor,     SettingId::BgColor,    SettingId::Language,
    SettingId::Bold,         SettingId::Italic,        SettingId::Preview,    SettingId::Codes,
    SettingId::FontAlpha,    SettingId::BitDepth,      SettingId::UseCustomFont, SettingId::CustomFont,
    SettingId::BgAlpha,      SettingId::EdgeAlpha,     SettingId::Filter,     SettingId::Correction,
    SettingId::Smooth,       SettingId::Compress,      SettingId::Charset,    SettingId::AllChars,
};

QString FromCp1251(const std::string& text) { return QString::fromStdString(Cp1251ToUtf8(text)); }
std::string ToCp1251(const QString& text) { return Utf8ToCp1251(text.toStdString()); }

// An error's message: the core's texts are UTF-8 (paths, library messages) or
// Windows-1251 (texts that quote 8-bit input); whichever decodes cleanly.
QString ErrorText(const char* message) { return QString::fromStdString(MessageToUtf8(message)); }

QFont PixelFont(const QString& family, int pixels) {
  QFont font(family);
  font.setPixelSize(pixels);
  return font;
}

QSpinBox* NewSpin(QWidget* parent, const char* name, QRect bounds, int minimum, int maximum, int step, int value) {
  auto* spin = new QSpinBox(parent);
  spin->setObjectName(name);
  spin->setGeometry(bounds);
  spin->setRange(minimum, maximum);
  spin->setSingleStep(step);
  spin->setValue(value);
  return spin;
}

QLabel* NewLabel(QWidget* parent, const char* name, const QString& caption, QPoint at) {
  auto* label = new QLabel(caption, parent);
  label->setObjectName(name);
  label->setTextFormat(Qt::PlainText);
  label->move(at);
  label->adjustSize();
  return label;
}

TColorSwatch* NewSwatch(QWidget* parent, const char* name, QRect bounds, TColor color) {
  auto* swatch = new TColorSwatch(parent);
  swatch->setObjectName(name);
  swatch->setGeometry(bounds);
  swatch->SetSelectedColor(color);
  return swatch;
}

QGroupBox* NewGroup(QWidget* parent, const char* name, const QString& caption) {
  auto* group = new QGroupBox(caption, parent);
  group->setObjectName(name);
  return group;
}

// A track bar with ticks on both sides.
QSlider* NewTrackBar(QWidget* parent, const char* name, int maximum, int tickInterval, int position) {
  auto* slider = new QSlider(Qt::Horizontal, parent);
  slider->setObjectName(name);
  slider->setRange(0, maximum);
  slider->setTickPosition(QSlider::TicksBothSides);
  slider->setTickInterval(tickInterval);
  slider->setValue(position);
  return slider;
}

// An opacity group: its caption is its hint until a position is shown in it.
QGroupBox* NewOpacityGroup(QWidget* parent, const char* groupName, const char* sliderName, QSlider*& slider) {
  const QString hint = QStringLiteral("Полупрозрачность");
  QGroupBox* group = NewGroup(parent, groupName, hint);
  group->setProperty(kHintProperty, hint);
  slider = NewTrackBar(group, sliderName, 255, 5, 1);
  auto* layout = new QVBoxLayout(group);
  layout->setContentsMargins(6, 0, 6, 0);
  layout->addWidget(slider);
  return group;
}

QPushButton* NewButton(QWidget* parent, const char* name, const QString& caption, QRect bounds,
                       QStyle::StandardPixmap picture) {
  auto* button = new QPushButton(parent->style()->standardIcon(picture), caption, parent);
  button->setObjectName(name);
  button->setGeometry(bounds);
  return button;
}

}  // namespace

TfrmMain::TfrmMain(std::string programFolder, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent), folder_(std::move(programFolder)), dialogs_(dialogs), ini_(folder_ + "Glyphory.ini") {
  setObjectName(kWindowName);
  setWindowTitle(QStringLiteral("Glyphory"));
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  setFont(PixelFont(QStringLiteral("MS Sans Serif"), 11));
  setFixedSize(kClientWidth, kClientHeight);
  composedFont_ = ComposeLogFont("MS Sans Serif", false, false, DEFAULT_CHARSET);
  CreateControls();
  ConnectHandlers();
  // The creation check: a saved record switches the centring off.
  centre_ = !FormStateSaved(ini_, kWindowName);
}

TfrmMain::~TfrmMain() {
  if (!RegisteredFontFile.empty()) {
    UnregisterFontFile(RegisteredFontFile);
    RegisteredFontFile.clear();
  }
  DestroyLogWindow();
}

// ---- controls ----

void TfrmMain::CreateControls() {
  Panel1_ = new QWidget(this);
  Panel1_->setObjectName("Panel1");
  Panel1_->setGeometry(0, 0, kClientWidth, kClientHeight);
  Panel1_->setFont(PixelFont(QStringLiteral("Verdana"), 11));

  gbFont_ = NewGroup(Panel1_, "gbFont", QStringLiteral("Шрифт:"));
  gbFont_->setGeometry(8, 8, 401, 401);
  CreateFontGroup(gbFont_);

  gbPreview_ = NewGroup(Panel1_, "gbPreview", QStringLiteral("Предпросмотр"));
  gbPreview_->setGeometry(8, 416, 361, 73);
  gbPreview_->setCheckable(true);
  gbPreview_->setChecked(false);
  pngPreview_ = new TPngButton(gbPreview_);
  pngPreview_->setObjectName("pngPreview");
  pngPreview_->setGeometry(8, 16, 345, 49);

  CreateRightGroups(Panel1_);
  CreateSaveOptions(Panel1_);
  CreateButtons(Panel1_);

  pbOper_ = new QProgressBar(Panel1_);
  pbOper_->setObjectName("pbOper");
  pbOper_->setGeometry(0, kClientHeight - 17, kClientWidth, 17);
  pbOper_->setTextVisible(false);
  pbOper_->setRange(0, 100);
  pbOper_->setValue(0);
}

QWidget* TfrmMain::CreateFontGroup(QWidget* parent) {
  auto* layout = new QVBoxLayout(parent);
  layout->setContentsMargins(4, 0, 4, 4);
  layout->setSpacing(0);
  layout->addWidget(CreateFontOptionsPanel(parent));

  gbFHalfTr_ = NewOpacityGroup(parent, "gbFHalfTr", "tbFHalfTr", tbFHalfTr_);
  gbFHalfTr_->setFixedHeight(73);
  layout->addWidget(gbFHalfTr_);

  auto* panel5 = new QWidget(parent);
  panel5->setObjectName("Panel5");
  auto* panel5Layout = new QVBoxLayout(panel5);
  panel5Layout->setContentsMargins(0, 2, 0, 2);
  FontList_ = new TFontListBox(panel5);
  FontList_->setObjectName("FontList");
  panel5Layout->addWidget(FontList_);
  layout->addWidget(panel5, 1);
  FontList_->SelectFace(QStringLiteral("Verdana"));

  gbOtherFont_ = NewGroup(parent, "gbOtherFont", QStringLiteral("Другой шрифт:"));
  gbOtherFont_->setCheckable(true);
  gbOtherFont_->setChecked(false);
  gbOtherFont_->setFixedHeight(55);
  edoFont_ = new TButtonEdit(gbOtherFont_);
  edoFont_->setObjectName("edoFont");
  edoFont_->setGeometry(12, 20, 373, 21);
  layout->addWidget(gbOtherFont_);

  auto* panel3 = new QFrame(parent);
  panel3->setObjectName("Panel3");
  panel3->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  panel3->setFixedHeight(39);
  auto* panel3Layout = new QVBoxLayout(panel3);
  panel3Layout->setContentsMargins(1, 1, 1, 1);
  lbFontPrev_ = new QLabel(QStringLiteral("Abc_Абё 123 (*:^)"), panel3);
  lbFontPrev_->setObjectName("lbFontPrev");
  lbFontPrev_->setTextFormat(Qt::PlainText);
  lbFontPrev_->setAlignment(Qt::AlignCenter);
  lbFontPrev_->setFont(PixelFont(QStringLiteral("MS Sans Serif"), 27));
  panel3Layout->addWidget(lbFontPrev_);
  layout->addWidget(panel3);
  return parent;
}

QWidget* TfrmMain::CreateFontOptionsPanel(QWidget* parent) {
  auto* panel4 = new QWidget(parent);
  panel4->setObjectName("Panel4");
  panel4->setFixedHeight(74);
  NewLabel(panel4, "lbFontSize", QStringLiteral("Размер шрифта:"), {8, 3});
  sedFontSize_ = NewSpin(panel4, "sedFontSize", {128, 0, 65, 21}, 0, 100, 1, 10);
  rgPxPT_ = new TRadioGroup(QStringLiteral("Единица измерения"), {QStringLiteral("px"), QStringLiteral("pt")}, 2,
                            panel4);
  rgPxPT_->setObjectName("rgPxPT");
  // The toolkit draws a group's caption above its frame rather than on it, so
  // the unit group needs 36 pixels for caption and items: it starts at the
  // panel's top, and the three check boxes below it move down a little.
  rgPxPT_->setGeometry(200, 0, 153, 36);
  rgPxPT_->SetItemIndex(0);
  NewLabel(panel4, "lbFontColor", QStringLiteral("Цвет:"), {8, 27});
  cedFontCol_ = NewSwatch(panel4, "cedFontCol", {128, 24, 65, 21}, clBlack);
  constexpr TColor clHotLight = 0xFF000000u + 26;
  cedFontCol_->SetDefaultColor(clHotLight);
  cbItalic_ = new QCheckBox(QStringLiteral("Курсив "), panel4);
  cbItalic_->setObjectName("cbItalic");
  cbItalic_->setGeometry(200, 36, 65, 17);
  QFont italic = PixelFont(QStringLiteral("MS Sans Serif"), 11);
  italic.setItalic(true);
  cbItalic_->setFont(italic);
  cbBold_ = new QCheckBox(QStringLiteral("Полужирный"), panel4);
  cbBold_->setObjectName("cbBold");
  cbBold_->setGeometry(272, 36, 105, 17);
  QFont bold = PixelFont(QStringLiteral("MS Sans Serif"), 11);
  bold.setBold(true);
  cbBold_->setFont(bold);
  NewLabel(panel4, "lbRigidity", QStringLiteral("Жесткость (%):"), {8, 51});
  seClType_ = NewSpin(panel4, "seClType", {128, 48, 65, 21}, 0, 100, 5, 40);
  cbSmoothing_ = new QCheckBox(QStringLiteral("Сглаживание"), panel4);
  cbSmoothing_->setObjectName("cbSmoothing");
  cbSmoothing_->setGeometry(200, 53, 185, 17);
  return panel4;
}

void TfrmMain::CreateRightGroups(QWidget* parent) {
  gbDir_ = NewGroup(parent, "gbDir", QStringLiteral("Каталог для сохранения:"));
  gbDir_->setGeometry(416, 8, 305, 37);
  btedOutFolder_ = new TButtonEdit(gbDir_);
  btedOutFolder_->setObjectName("btedOutFolder");
  btedOutFolder_->setGeometry(4, 14, 297, 21);  // fills the group below its caption

  CreateEffectsGroup(parent);
  CreateBackgroundGroup(parent);
  CreateCodeGroups(parent);

  gbLang_ = NewGroup(parent, "gbLang", QStringLiteral("Язык интерфейса:"));
  gbLang_->setGeometry(733, 2, 129, 41);
  cbLang_ = new QComboBox(gbLang_);
  cbLang_->setObjectName("cbLang");
  cbLang_->setGeometry(13, 14, 108, 21);
}

// The edging page: width, colour and opacity.
void TfrmMain::CreateEffectsGroup(QWidget* parent) {
  gbEffects_ = NewGroup(parent, "gbEffects", QStringLiteral("Эффекты:"));
  gbEffects_->setGeometry(416, 48, 305, 137);
  auto* pages = new QTabWidget(gbEffects_);
  pages->setObjectName("RzPageControl1");
  pages->setStyleSheet(QStringLiteral("QTabBar::tab { height: 20px; }"));
  auto* effectsLayout = new QVBoxLayout(gbEffects_);
  effectsLayout->setContentsMargins(2, 0, 2, 2);
  effectsLayout->addWidget(pages);
  auto* tsEdging = new QWidget(pages);
  tsEdging->setObjectName("tsEdging");
  pages->addTab(tsEdging, QStringLiteral("Окантовка"));
  auto* edgingLayout = new QVBoxLayout(tsEdging);
  edgingLayout->setContentsMargins(0, 0, 0, 0);
  auto* edgingRow = new QWidget(tsEdging);
  edgingRow->setMinimumHeight(30);
  NewLabel(edgingRow, "lbTick", QStringLiteral("Толщина:"), {8, 11});
  sedOkont_ = NewSpin(edgingRow, "sedOkont", {80, 8, 65, 21}, 0, 50, 1, 1);
  NewLabel(edgingRow, "lbEdgColor", QStringLiteral("Цвет:"), {160, 11});
  cedOkonCol_ = NewSwatch(edgingRow, "cedOkonCol", {200, 8, 65, 21}, clWhite);
  edgingLayout->addWidget(edgingRow, 1);
  gbEHalfTr_ = NewOpacityGroup(tsEdging, "gbEHalfTr", "tbEHalfTr", tbEHalfTr_);
  gbEHalfTr_->setFixedHeight(64);
  tbEHalfTr_->setSingleStep(5);
  tbEHalfTr_->setPageStep(5);
  edgingLayout->addWidget(gbEHalfTr_);
}

void TfrmMain::CreateBackgroundGroup(QWidget* parent) {
  gbBackground_ = NewGroup(parent, "gbBackground", QStringLiteral("Фон"));
  gbBackground_->setGeometry(416, 192, 305, 113);
  NewLabel(gbBackground_, "lbBGColor", QStringLiteral("Цвет:"), {16, 20});
  cedBackCol_ = NewSwatch(gbBackground_, "cedBackCol", {58, 17, 95, 21}, clFuchsia);
  gbBgHalfTr_ = NewOpacityGroup(gbBackground_, "gbBgHalfTr", "tbBgHalfTr", tbBgHalfTr_);
  gbBgHalfTr_->setGeometry(2, 113 - 68 - 2, 301, 68);
}

// The code list, and the charset group that lies over its upper right part,
// so it is made after it.
void TfrmMain::CreateCodeGroups(QWidget* parent) {
  gbChars_ = NewGroup(parent, "gbChars", QStringLiteral("Символы:"));
  gbChars_->setGeometry(417, 312, 296, 97);
  NewLabel(gbChars_, "lbCodes", QStringLiteral("Коды:"), {8, 40});
  edCodes_ = new QLineEdit(QStringLiteral("32-126,168,176,184,192-255"), gbChars_);
  edCodes_->setObjectName("edCodes");
  edCodes_->setGeometry(8, 61, 281, 21);

  gbCharset_ = NewGroup(parent, "gbCharset", QStringLiteral("Набор (кодировка):"));
  gbCharset_->setGeometry(544, 320, 161, 49);
  cbCharset_ = new QComboBox(gbCharset_);
  cbCharset_->setObjectName("cbCharset");
  cbCharset_->setGeometry(8, 20, 145, 21);
  for (const CharsetRow& row : CharsetTable) {
    cbCharset_->addItem(QString::fromLatin1(row.name));
  }
  cbCharset_->setCurrentIndex(-1);
}

void TfrmMain::CreateSaveOptions(QWidget* parent) {
  gbOptSave_ = NewGroup(parent, "gbOptSave", QStringLiteral("Опции сохранения:"));
  gbOptSave_->setGeometry(376, 416, 337, 73);
  auto* layout = new QHBoxLayout(gbOptSave_);
  layout->setContentsMargins(2, 0, 2, 2);
  layout->setSpacing(0);

  QGroupBox* gbFilter = NewGroup(gbOptSave_, "gbFilter", QStringLiteral("Фильтр:"));
  gbFilter->setFixedWidth(121);
  cbFilter_ = new QComboBox(gbFilter);
  cbFilter_->setObjectName("cbFilter");
  cbFilter_->addItems({QStringLiteral("None"), QStringLiteral("Sub"), QStringLiteral("Up"), QStringLiteral("Average"),
                       QStringLiteral("Paeth"), QStringLiteral("All")});
  cbFilter_->setCurrentIndex(0);
  auto* filterLayout = new QVBoxLayout(gbFilter);
  filterLayout->setContentsMargins(4, 0, 4, 2);
  filterLayout->addWidget(cbFilter_);
  layout->addWidget(gbFilter);
  layout->addSpacing(6);  // Panel6

  rgBit_ = new TRadioGroup(QStringLiteral("Битность"), {QStringLiteral("16"), QStringLiteral("8")}, 2, gbOptSave_);
  rgBit_->setObjectName("rgBit");
  rgBit_->setFixedWidth(80);
  rgBit_->SetItemIndex(0);
  layout->addWidget(rgBit_);
  layout->addSpacing(6);  // Panel2

  QGroupBox* gbLvlComp = NewGroup(gbOptSave_, "gbLvlComp", QStringLiteral("Степень сжатия:"));
  tbCompress_ = NewTrackBar(gbLvlComp, "tbCompress", 9, 1, 1);
  auto* levelLayout = new QVBoxLayout(gbLvlComp);
  levelLayout->setContentsMargins(4, 0, 4, 0);
  levelLayout->addWidget(tbCompress_);
  layout->addWidget(gbLvlComp, 1);
}

void TfrmMain::CreateButtons(QWidget* parent) {
  bbtStart_ = NewButton(parent, "bbtStart", QStringLiteral("Старт"), {728, 96, 129, 41}, QStyle::SP_MediaPlay);
  bbtStop_ = NewButton(parent, "bbtStop", QStringLiteral("Стоп"), {728, 137, 129, 25}, QStyle::SP_MediaStop);
  bbtStartBMP_ =
      NewButton(parent, "bbtStartBMP", QStringLiteral("Старт  (BMP)"), {728, 163, 129, 40}, QStyle::SP_FileIcon);
  bbtStartBMP_->setVisible(false);
  cbAllChars_ = new QCheckBox(QStringLiteral("Все символы"), parent);
  cbAllChars_->setObjectName("cbAllChars");
  cbAllChars_->setGeometry(736, 208, 121, 17);
  bbtHelp_ = NewButton(parent, "bbtHelp", QStringLiteral("Справка"), {721, 411, 128, 25},
                       QStyle::SP_DialogHelpButton);
  bbtClose_ = NewButton(parent, "bbtClose", QStringLiteral("Выход"), {721, 443, 128, 38},
                        QStyle::SP_DialogCloseButton);
}

void TfrmMain::ConnectHandlers() {
  const auto on = [this](auto* sender, auto signal, void (TfrmMain::*handler)()) {
    connect(sender, signal, this, [this, handler] { Guarded([this, handler] { (this->*handler)(); }); });
  };
  on(bbtStart_, &QPushButton::clicked, &TfrmMain::bbtStartClick);
  on(bbtStartBMP_, &QPushButton::clicked, &TfrmMain::bbtStartBMPClick);
  on(bbtStop_, &QPushButton::clicked, &TfrmMain::bbtStopClick);
  on(bbtClose_, &QPushButton::clicked, &TfrmMain::bbtCloseClick);
  on(bbtHelp_, &QPushButton::clicked, &TfrmMain::bbtHelpClick);
  on(FontList_, &QListWidget::itemSelectionChanged, &TfrmMain::FontListClick);
  on(cbBold_, &QCheckBox::toggled, &TfrmMain::cbItalicClick);
  on(cbItalic_, &QCheckBox::toggled, &TfrmMain::cbItalicClick);
  on(cedFontCol_, &TColorSwatch::colorChanged, &TfrmMain::cedFontColChange);
  on(cedBackCol_, &TColorSwatch::colorChanged, &TfrmMain::UpdatePreview);  // cedBackColChange
  on(sedFontSize_, &QSpinBox::valueChanged, &TfrmMain::UpdatePreview);     // sedFontSizeChange
  on(seClType_, &QSpinBox::valueChanged, &TfrmMain::UpdatePreview);        // sedFontSizeChange
  on(sedOkont_, &QSpinBox::valueChanged, &TfrmMain::sedOkontChange);
  on(cedOkonCol_, &TColorSwatch::colorChanged, &TfrmMain::UpdatePreview);  // cedOkonColChange
  on(tbFHalfTr_, &QSlider::valueChanged, &TfrmMain::tbFHalfTrChange);
  on(tbEHalfTr_, &QSlider::valueChanged, &TfrmMain::tbEHalfTrChange);
  on(tbBgHalfTr_, &QSlider::valueChanged, &TfrmMain::tbBgHalfTrChange);
  on(gbOtherFont_, &QGroupBox::toggled, &TfrmMain::gbOtherFontCheckBoxClick);
  on(edoFont_, &TButtonEdit::buttonClicked, &TfrmMain::edoFontButtonClick);
  on(btedOutFolder_, &TButtonEdit::buttonClicked, &TfrmMain::btedOutFolderButtonClick);
  on(gbPreview_, &QGroupBox::toggled, &TfrmMain::UpdatePreview);  // gbPreviewCheckBoxClick
  on(pngPreview_, &QToolButton::clicked, &TfrmMain::UpdatePreview);  // pngPreviewClick
  on(cbCharset_, &QComboBox::currentIndexChanged, &TfrmMain::cbCharsetChange);
  on(cbLang_, &QComboBox::activated, &TfrmMain::cbLangSelect);
}

template <typename Handler>
void TfrmMain::Guarded(Handler handler) {
  try {
    handler();
  } catch (const std::exception& error) {
    ShowError(error);
  }
}

void TfrmMain::ShowError(const std::exception& error) { dialogs_.ErrorBox(ErrorText(error.what())); }

// ---- showing and closing ----

void TfrmMain::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (shown_) {
    return;
  }
  shown_ = true;
  RestorePlacement();
  Guarded([this] { FormShow(); });
}

void TfrmMain::RestorePlacement() {
  FormPlacement placement = PlacementOf(*this, false);
  RestoreFormState(ini_, kWindowName, placement);
  ApplyPlacement(*this, placement);
  if (centre_ && screen() != nullptr) {
    const QRect desktop = screen()->availableGeometry();
    move(desktop.center() - QPoint(frameGeometry().width() / 2, frameGeometry().height() / 2));
  }
}

void TfrmMain::closeEvent(QCloseEvent* event) {
  SaveFormState(ini_, kWindowName, PlacementOf(*this, false), [this](const std::string& message) {
    dialogs_.ErrorMessage(QString::fromStdString(message));
  });
  Guarded([this] { FormClose(); });
  event->accept();
}

void TfrmMain::FormClose() { SaveSettings(); }

void TfrmMain::FormShow() {
  LoadSettings();
  if (ReadKey(SettingId::Log).number != 0) {
    OpenLogWindow();
  }
  SetComposedFace(ToCp1251(FontList_->SelectedFace()));
  rgPaintClick();
  gbOtherFontCheckBoxClick();
  cbCharsetChange();
  tbFHalfTrChange();
  tbEHalfTrChange();
  tbBgHalfTrChange();
  StartLanguage();
}

// The log window lives until this window is destroyed; it never keeps the
// program running once this window has closed.
void TfrmMain::OpenLogWindow() {
  TfrmLog* log = CreateLogWindow(folder_, {}, [this](const std::string& message) {
    dialogs_.ErrorMessage(QString::fromStdString(message));
  });
  log->setAttribute(Qt::WA_QuitOnClose, false);
}

void TfrmMain::StartLanguage() {
  lini_.SetPath(LanguageFilePath(folder_));
  mIni_.SetPath(CharMapPath());
  const std::vector<std::string> names = LanguageNames(lini_);
  FillLanguages(names);
  cbLang_->setCurrentIndex(FindLanguage(names, StoredLanguage(ini_)));
  cbLangSelect();
}

// The list shows the table's sections in file order; filling it is not a
// user's pick, so no select handler runs.
void TfrmMain::FillLanguages(const std::vector<std::string>& names) {
  const QSignalBlocker blocker(cbLang_);
  cbLang_->clear();
  for (const std::string& name : names) {
    cbLang_->addItem(FromCp1251(name));
  }
}

void TfrmMain::cbLangSelect() { ApplyLanguage(ToCp1251(cbLang_->currentText())); }

void TfrmMain::ApplyLanguage(const std::string& section) {
  ApplyLanguageTexts(*this, ReadLanguageTexts(lini_, section));
}

// ---- settings ----

SettingValue TfrmMain::ReadKey(SettingId id) const { return ReadSetting(ini_, SettingKeyOf(id), folder_); }

void TfrmMain::LoadSettings() {
  for (std::size_t i = 0; i < kStartupKeyCount; ++i) {
    const SettingKey& key = kSettingKeys[i];
    ApplySetting(key.id, ReadSetting(ini_, key, folder_));
  }
}

void TfrmMain::ApplySetting(SettingId id, const SettingValue& value) {
  const int n = value.number;
  switch (id) {
    case SettingId::OutputFolder: btedOutFolder_->setText(FromCp1251(value.text)); break;
    case SettingId::FontSize: sedFontSize_->setValue(n); break;
    case SettingId::FontName:
      loadedFaceName_ = value.text;
      FontList_->SelectFace(FromCp1251(value.text));
      break;
    case SettingId::FontColor: cedFontCol_->SetSelectedColor(static_cast<TColor>(n)); break;
    case SettingId::EdgeWidth: sedOkont_->setValue(n); break;
    case SettingId::EdgeColor: cedOkonCol_->SetSelectedColor(static_cast<TColor>(n)); break;
    case SettingId::BgColor: cedBackCol_->SetSelectedColor(static_cast<TColor>(n)); break;
    case SettingId::Bold: cbBold_->setChecked(n != 0); break;
    case SettingId::Italic: cbItalic_->setChecked(n != 0); break;
    case SettingId::Codes: edCodes_->setText(FromCp1251(value.text)); break;
    case SettingId::FontAlpha: tbFHalfTr_->setValue(n); break;
    case SettingId::BitDepth: rgBit_->SetItemIndex(n); break;
    case SettingId::CustomFont: edoFont_->setText(FromCp1251(value.text)); break;
    case SettingId::BgAlpha: tbBgHalfTr_->setValue(n); break;
    case SettingId::EdgeAlpha: tbEHalfTr_->setValue(n); break;
    case SettingId::Filter: cbFilter_->setCurrentIndex(n); break;
    case SettingId::Compress: tbCompress_->setValue(n); break;
    case SettingId::Charset: cbCharset_->setCurrentIndex(n); break;
    case SettingId::Correction: seClType_->setValue(n); break;
    case SettingId::Smooth: cbSmoothing_->setChecked(n != 0); break;
    case SettingId::ShowBmp: bbtStartBMP_->setVisible(n != 0); break;
    case SettingId::AllChars: cbAllChars_->setChecked(n != 0); break;
    default: break;  // read elsewhere
  }
}

SettingValue TfrmMain::ControlValue(SettingId id) const {
  SettingValue v;
  switch (id) {
    case SettingId::OutputFolder: v.text = ToCp1251(btedOutFolder_->text()); break;
    case SettingId::FontSize: v.number = sedFontSize_->value(); break;
    case SettingId::FontName: {
      const QString face = FontList_->SelectedFace();
      v.text = face.isEmpty() ? loadedFaceName_ : ToCp1251(face);
      break;
    }
    case SettingId::FontColor: v.number = static_cast<std::int32_t>(cedFontCol_->SelectedColor()); break;
    case SettingId::EdgeWidth: v.number = sedOkont_->value(); break;
    case SettingId::EdgeColor: v.number = static_cast<std::int32_t>(cedOkonCol_->SelectedColor()); break;
    case SettingId::BgColor: v.number = static_cast<std::int32_t>(cedBackCol_->SelectedColor()); break;
    case SettingId::Language: v.text = ToCp1251(cbLang_->currentText()); break;
    case SettingId::Bold: v.number = cbBold_->isChecked() ? 1 : 0; break;
    case SettingId::Italic: v.number = cbItalic_->isChecked() ? 1 : 0; break;
    case SettingId::Preview: v.number = gbPreview_->isChecked() ? 1 : 0; break;
    case SettingId::Codes: v.text = ToCp1251(edCodes_->text()); break;
    case SettingId::FontAlpha: v.number = tbFHalfTr_->value(); break;
    case SettingId::BitDepth: v.number = rgBit_->ItemIndex(); break;
    case SettingId::UseCustomFont: v.number = gbOtherFont_->isChecked() ? 1 : 0; break;
    case SettingId::CustomFont: v.text = ToCp1251(edoFont_->text()); break;
    case SettingId::BgAlpha: v.number = tbBgHalfTr_->value(); break;
    case SettingId::EdgeAlpha: v.number = tbEHalfTr_->value(); break;
    case SettingId::Filter: v.number = cbFilter_->currentIndex(); break;
    case SettingId::Correction: v.number = seClType_->value(); break;
    case SettingId::Smooth: v.number = cbSmoothing_->isChecked() ? 1 : 0; break;
    case SettingId::Compress: v.number = tbCompress_->value(); break;
    case SettingId::Charset: v.number = cbCharset_->currentIndex(); break;
    case SettingId::AllChars: v.number = cbAllChars_->isChecked() ? 1 : 0; break;
    default: break;  // never written
  }
  return v;
}

void TfrmMain::WriteSetting(SettingId id) {
  const SettingKey& key = SettingKeyOf(id);
  const SettingValue value = ControlValue(id);
  switch (key.kind) {
    case SettingKind::Text: ini_.WriteString(key.section, key.key, value.text); break;
    case SettingKind::Integer: ini_.WriteInteger(key.section, key.key, value.number); break;
    case SettingKind::Flag: ini_.WriteBool(key.section, key.key, value.number != 0); break;
    case SettingKind::Colour: ini_.WriteColor(key.section, key.key, static_cast<TColor>(value.number)); break;
  }
}

void TfrmMain::SaveSettings() {
  for (const SettingId id : kSavedKeys) {
    WriteSetting(id);
  }
}

// ---- runs ----

void TfrmMain::RunExportGuarded(ExportMode mode) {
  try {
    RunExport(*this, mode);
  } catch (const std::exception& error) {
    ShowError(error);
  }
}

void TfrmMain::bbtStartClick() { RunExportGuarded(ExportMode::Png); }

void TfrmMain::bbtStartBMPClick() { RunExportGuarded(ExportMode::Bmp); }

void TfrmMain::bbtStopClick() {
  StopRequested = true;
  UnlockControls();
}

void TfrmMain::bbtCloseClick() {
  StopRequested = true;
  close();
}

void TfrmMain::bbtHelpClick() { ShowAbout(folder_, this); }

// The option groups a batch run disables, in the order it disables them; the
// charset combo box alone, not its group.
std::array<QWidget*, 7> TfrmMain::RunLockedControls() const {
  return {gbFont_, gbDir_, gbBackground_, gbEffects_, gbChars_, gbOptSave_, cbCharset_};
}

void TfrmMain::LockControls() {
  for (QWidget* control : RunLockedControls()) {
    control->setEnabled(false);
  }
}

void TfrmMain::UnlockControls() {
  for (QWidget* control : RunLockedControls()) {
    control->setEnabled(true);
  }
}

std::string TfrmMain::CodesText() { return ToCp1251(edCodes_->text()); }

GlyphOptions TfrmMain::Options() {
  GlyphOptions o;
  const int depthItem = rgBit_->ItemIndex();
  o.bitDepth = depthItem < 0 ? -1 : StrToInt(rgBit_->ItemText(depthItem).toStdString());
  o.size = sedFontSize_->value();
  o.sizeInPixels = rgPxPT_->ItemIndex() == 0;
  o.fontColor = cedFontCol_->SelectedColor();
  o.bgColor = cedBackCol_->SelectedColor();
  o.edgeColor = cedOkonCol_->SelectedColor();
  o.fontAlpha = static_cast<std::uint8_t>(tbFHalfTr_->value());
  o.bgAlpha = static_cast<std::uint8_t>(tbBgHalfTr_->value());
  o.edgeAlpha = static_cast<std::uint8_t>(tbEHalfTr_->value());
  o.edgeWidth = sedOkont_->value();
  o.smoothing = cbSmoothing_->isChecked();
  o.correction = seClType_->value();
  o.filterIndex = cbFilter_->currentIndex();
  o.deflateLevel = static_cast<std::uint8_t>(tbCompress_->value());
  return o;
}

std::string TfrmMain::OutputFolder() { return btedOutFolder_->text().toStdString(); }

std::int32_t TfrmMain::NameNumberOffset() { return ReadKey(SettingId::NameNumberOffset).number; }

std::string TfrmMain::NameFormat() { return ReadKey(SettingId::NameFormat).text; }

bool TfrmMain::AllChars() { return cbAllChars_->isChecked(); }

std::string TfrmMain::CharsetName() { return cbCharset_->currentText().toStdString(); }

std::string TfrmMain::CharMapPath() { return folder_ + "charsmod.ini"; }

void TfrmMain::ShowMessage(const std::string& text) { dialogs_.Message(FromCp1251(text)); }

void TfrmMain::ReportCodeFailure(const std::string& message, const std::string& cause) {
  // The reason goes to the log window, when there is one; the log takes
  // Windows-1251 text, and a cause may be UTF-8 (a path).
  LogMessage(ToCp1251(ErrorText(cause.c_str())));
  dialogs_.Message(FromCp1251(message));
}

void TfrmMain::ProcessEvents() { QCoreApplication::processEvents(); }

void TfrmMain::SetProgressRange(int maximum) {
  pbOper_->setMaximum(maximum);
  pbOper_->setMinimum(0);
  pbOper_->setValue(0);
}

void TfrmMain::SetProgress(int position) { pbOper_->setValue(position); }

// ---- composed font and preview ----

void TfrmMain::SetComposedFace(const std::string& faceName) {
  if (faceName.empty()) {
    return;
  }
  composedFont_.SetFaceName(faceName);
  QFont font = lbFontPrev_->font();
  font.setFamily(FromCp1251(std::string(composedFont_.FaceName())));
  lbFontPrev_->setFont(font);
}

void TfrmMain::FontListClick() {
  SetComposedFace(ToCp1251(FontList_->SelectedFace()));
  UpdatePreview();
}

void TfrmMain::cbItalicClick() {
  const bool bold = cbBold_->isChecked();
  const bool italic = cbItalic_->isChecked();
  composedFont_.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  composedFont_.lfItalic = italic ? 1 : 0;
  QFont font = lbFontPrev_->font();
  font.setBold(bold);
  font.setItalic(italic);
  lbFontPrev_->setFont(font);
  UpdatePreview();
}

void TfrmMain::cedFontColChange() {
  QPalette palette = lbFontPrev_->palette();
  palette.setColor(QPalette::WindowText, ToQColor(cedFontCol_->SelectedColor()));
  lbFontPrev_->setPalette(palette);
  UpdatePreview();
}

void TfrmMain::sedOkontChange() { UpdatePreview(); }

void TfrmMain::UpdateCaption(QGroupBox* group, const QSlider* slider) {
  group->setTitle(group->property(kHintProperty).toString() + QStringLiteral(" [") +
                  QString::number(slider->value()) + QStringLiteral("]"));
  UpdatePreview();
}

void TfrmMain::tbFHalfTrChange() { UpdateCaption(gbFHalfTr_, tbFHalfTr_); }
void TfrmMain::tbEHalfTrChange() { UpdateCaption(gbEHalfTr_, tbEHalfTr_); }
void TfrmMain::tbBgHalfTrChange() { UpdateCaption(gbBgHalfTr_, tbBgHalfTr_); }

void TfrmMain::gbOtherFontCheckBoxClick() {
  if (!RegisteredFontFile.empty()) {
    UnregisterFontFile(RegisteredFontFile);
    RegisteredFontFile.clear();
  }
  if (gbOtherFont_->isChecked()) {
    const std::string path = edoFont_->text().toStdString();
    if (RegisterFontFile(path)) {
      RegisteredFontFile = path;
    }
    SetComposedFace(GetFontFileFaceName(path));
    FontList_->setEnabled(false);
  } else {
    FontList_->setEnabled(true);
  }
  UpdatePreview();
}

void TfrmMain::edoFontButtonClick() {
  const std::optional<QString> file = dialogs_.ChooseFontFile();
  if (!file) {
    return;
  }
  edoFont_->setText(*file);
  gbOtherFontCheckBoxClick();
}

void TfrmMain::btedOutFolderButtonClick() {
  const std::optional<QString> folder = dialogs_.ChooseFolder(btedOutFolder_->text());
  if (folder) {
    btedOutFolder_->setText(*folder);
  }
}

void TfrmMain::cbCharsetChange() { composedFont_.lfCharSet = CharsetOfRow(cbCharset_->currentIndex()); }

void TfrmMain::rgPaintClick() { UpdatePreview(); }

void TfrmMain::UpdatePreview() {
  if (!gbPreview_->isChecked()) {
    return;
  }
  const LOGFONT record = composedFont_;
  const std::string sample = ReadPreviewSample(lini_, ToCp1251(cbLang_->currentText()));
  const std::unique_ptr<TPNGFont> image = RenderPreview(record, Options(), sample);
  if (image) {
    pngPreview_->SetImage(*image);
  }
}

}  // namespace glyphory
