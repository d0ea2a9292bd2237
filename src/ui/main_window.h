// The main window: every option control, the Start / Stop / Exit buttons, the
// live preview and the settings load and save. The exports themselves run in
// the core; the window answers their questions through RunHost.
#pragma once

#include <QWidget>
#include <array>
#include <string>
#include <vector>

#include "batch/glyph_pipeline.h"
#include "batch/run_host.h"
#include "glyph/logfont.h"
#include "settings/ini_store.h"
#include "settings/settings_keys.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSlider;
class QSpinBox;
class QTabWidget;

namespace glyphory {

class Dialogs;
class TButtonEdit;
class TColorSwatch;
class TFontListBox;
class TPngButton;
class TRadioGroup;

// The font file this program has registered and not yet unregistered (UTF-8
// path), or empty.
extern std::string RegisteredFontFile;

class TfrmMain : public QWidget, public RunHost {
  Q_OBJECT

 public:
  // `programFolder` ends in "/"; the settings file is programFolder +
  // "Glyphory.ini", the data files lie beside it.
  TfrmMain(std::string programFolder, Dialogs& dialogs, QWidget* parent = nullptr);
  ~TfrmMain() override;
  TfrmMain(const TfrmMain&) = delete;
  TfrmMain& operator=(const TfrmMain&) = delete;

  [[nodiscard]] const std::string& ProgramFolder() const { return folder_; }
  [[nodiscard]] const TIniStore& Settings() const { return ini_; }

  // Handlers, named after the control and event they serve.
  void FormShow();
  void FormClose();
  void LoadSettings();
  void SaveSettings();
  void bbtStartClick();
  void bbtStartBMPClick();
  void bbtStopClick();
  void bbtCloseClick();
  void bbtHelpClick();
  void FontListClick();
  void cbItalicClick();
  void cedFontColChange();
  void sedOkontChange();
  void tbFHalfTrChange();
  void tbEHalfTrChange();
  void tbBgHalfTrChange();
  void gbOtherFontCheckBoxClick();
  void edoFontButtonClick();
  void btedOutFolderButtonClick();
  void cbCharsetChange();
  void cbLangSelect();
  // Sets the 38 language places from a section (Windows-1251) of "lang.ini".
  void ApplyLanguage(const std::string& section);
  void rgPaintClick();
  void UpdatePreview();
  void LockControls() override;
  void UnlockControls() override;

  // RunHost: the options as the controls hold them now.
  std::string CodesText() override;
  LOGFONT FontRecord() override { return composedFont_; }
  GlyphOptions Options() override;
  std::string OutputFolder() override;
  std::int32_t NameNumberOffset() override;
  std::string NameFormat() override;
  bool AllChars() override;
  std::string CharsetName() override;
  std::string CharMapPath() override;
  void ShowMessage(const std::string& text) override;
  void ReportCodeFailure(const std::string& message, const std::string& cause) override;
  void ProcessEvents() override;
  void SetProgressRange(int maximum) override;
  void SetProgress(int position) override;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateControls();
  QWidget* CreateFontGroup(QWidget* parent);
  QWidget* CreateFontOptionsPanel(QWidget* parent);
  void CreateRightGroups(QWidget* parent);
  void CreateEffectsGroup(QWidget* parent);
  void CreateBackgroundGroup(QWidget* parent);
  void CreateCodeGroups(QWidget* parent);
  void CreateSaveOptions(QWidget* parent);
  void CreateButtons(QWidget* parent);
  void ConnectHandlers();

  // Runs a handler; an error escaping it goes to the error box.
  template <typename Handler>
  void Guarded(Handler handler);
  void ShowError(const std::exception& error);
  void RunExportGuarded(ExportMode mode);
  [[nodiscard]] std::array<QWidget*, 7> RunLockedControls() const;

  void RestorePlacement();
  void ApplySetting(SettingId id, const SettingValue& value);
  [[nodiscard]] SettingValue ControlValue(SettingId id) const;
  void WriteSetting(SettingId id);
  [[nodiscard]] SettingValue ReadKey(SettingId id) const;
  void SetComposedFace(const std::string& faceName);
  void UpdateCaption(QGroupBox* group, const QSlider* slider);
  void OpenLogWindow();
  void StartLanguage();
  void FillLanguages(const std::vector<std::string>& names);

  std::string folder_;
  Dialogs& dialogs_;
  TIniStore ini_;
  TIniStore lini_;
  TIniStore mIni_;
  bool centre_ = true;
  bool shown_ = false;
  LOGFONT composedFont_;
  std::string loadedFaceName_;  // written back when the list has no selection

  // Controls (owned by Qt's parent chain).
  QWidget* Panel1_ = nullptr;
  QGroupBox* gbFont_ = nullptr;
  QSpinBox* sedFontSize_ = nullptr;
  TRadioGroup* rgPxPT_ = nullptr;
  TColorSwatch* cedFontCol_ = nullptr;
  QCheckBox* cbItalic_ = nullptr;
  QCheckBox* cbBold_ = nullptr;
  QSpinBox* seClType_ = nullptr;
  QCheckBox* cbSmoothing_ = nullptr;
  QGroupBox* gbFHalfTr_ = nullptr;
  QSlider* tbFHalfTr_ = nullptr;
  TFontListBox* FontList_ = nullptr;
  QGroupBox* gbOtherFont_ = nullptr;
  TButtonEdit* edoFont_ = nullptr;
  QLabel* lbFontPrev_ = nullptr;
  QGroupBox* gbPreview_ = nullptr;
  TPngButton* pngPreview_ = nullptr;
  QGroupBox* gbDir_ = nullptr;
  TButtonEdit* btedOutFolder_ = nullptr;
  QGroupBox* gbEffects_ = nullptr;
  QSpinBox* sedOkont_ = nullptr;
  TColorSwatch* cedOkonCol_ = nullptr;
  QGroupBox* gbEHalfTr_ = nullptr;
  QSlider* tbEHalfTr_ = nullptr;
  QGroupBox* gbBackground_ = nullptr;
  TColorSwatch* cedBackCol_ = nullptr;
  QGroupBox* gbBgHalfTr_ = nullptr;
  QSlider* tbBgHalfTr_ = nullptr;
  QGroupBox* gbChars_ = nullptr;
  QLineEdit* edCodes_ = nullptr;
  QGroupBox* gbCharset_ = nullptr;
  QComboBox* cbCharset_ = nullptr;
  QGroupBox* gbOptSave_ = nullptr;
  QComboBox* cbFilter_ = nullptr;
  TRadioGroup* rgBit_ = nullptr;
  QSlider* tbCompress_ = nullptr;
  QGroupBox* gbLang_ = nullptr;
  QComboBox* cbLang_ = nullptr;
  QPushButton* bbtStart_ = nullptr;
  QPushButton* bbtStop_ = nullptr;
  QPushButton* bbtStartBMP_ = nullptr;
  QCheckBox* cbAllChars_ = nullptr;
  QPushButton* bbtHelp_ = nullptr;
  QPushButton* bbtClose_ = nullptr;
  QProgressBar* pbOper_ = nullptr;
};

}  // namespace glyphory
