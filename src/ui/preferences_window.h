#pragma once
// The "Preferences" window: draws a shell::PreferencesModel and calls it from its controls.
// The controls edit the process's preferences directly; "OK" stores them in Search.DAT,
// "Cancel" (also Esc and the close box) puts back what the file holds. The window keeps its
// place in Trawlex.INI, section "INIOptions".

#include <QDialog>

#include "runtime/desktop.h"
#include "shell/preferences.h"
#include "shell/preferences_model.h"
#include "shell/settings_files.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;

namespace trawlex::ui {

class PreferencesWindow final : public QDialog {
  Q_OBJECT

 public:
  // `preferences` are edited in place for as long as the window is open; `desktop` answers
  // the editor's file dialogue and the questions of reloading the file on Cancel.
  PreferencesWindow(shell::Preferences& preferences, const shell::SettingsFiles& files,
                    runtime::Desktop& desktop, QWidget* parent = nullptr);

  shell::PreferencesModel& model() { return model_; }

  void done(int code) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* BuildGeneralTab();
  QWidget* BuildFilesTab();
  void Connect();
  void Redisplay();
  void ChooseEditor();
  void LeaveExtensionField(QLineEdit* field);
  void PressOk();

  shell::PreferencesModel model_;
  shell::SettingsFiles files_;
  runtime::Desktop& desktop_;
  bool closing_ = false;

  QTabWidget* tabs_ = nullptr;
  QLineEdit* editor_ = nullptr;
  QPushButton* chooseEditor_ = nullptr;
  QSpinBox* filesPerTimer_ = nullptr;
  QSpinBox* filesPerTimerModal_ = nullptr;
  QSpinBox* lastSearchCnt_ = nullptr;
  QCheckBox* use16Bit_ = nullptr;
  QCheckBox* minViewWithResults_ = nullptr;
  QCheckBox* noSplash_ = nullptr;
  QLineEdit* extVeldar_ = nullptr;
  QLineEdit* extTemplates_ = nullptr;
  QLineEdit* helpFile_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;
};

// Runs the preferences window modally over `parent`. True when the user left with "OK":
// `preferences` then hold the stored values; after Cancel they hold the file's values again.
bool RunPreferences(QWidget* parent, shell::Preferences& preferences,
                    const shell::SettingsFiles& files, runtime::Desktop& desktop);

}  // namespace trawlex::ui
