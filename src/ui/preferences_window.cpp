#include "ui/preferences_window.h"

#include <QCheckBox>
#include <QEvent>
#include <QFocusEvent>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <limits>

#include "runtime/error_codes.h"
#include "runtime/fixed_text.h"
#include "shell/window_placement.h"
#include "ui/qt_text.h"
#include "ui/qt_window_geometry.h"

namespace trawlex::ui {
namespace {

// The files-per-timer values are bytes: three digits would let 256 to 999 through, which a
// byte cannot hold, so the entries stop at 255.
constexpr int kByteMaximum = 255;
constexpr int kLastSearchesMaximum = 9999;
constexpr int kHelpPathWidth = 64;



QLineEdit* Entry(QWidget* parent, const char* name, int maxLength) {
  auto* entry = new QLineEdit(parent);
  entry->setObjectName(name);
  entry->setMaxLength(maxLength);
  return entry;
}

QSpinBox* Number(QWidget* parent, const char* name, int maximum) {
  auto* spin = new QSpinBox(parent);
  spin->setObjectName(name);
  spin->setRange(0, maximum);
  spin->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  return spin;
}

QCheckBox* Check(QWidget* parent, const char* name, const char* text) {
  auto* box = new QCheckBox(QString::fromUtf8(text), parent);
  box->setObjectName(name);
  return box;
}

QLabel* Caption(QWidget* parent, const char* text, QWidget* buddy) {
  auto* label = new QLabel(QString::fromUtf8(text), parent);
  label->setBuddy(buddy);  // with a buddy "&&" shows as one '&'
  return label;
}

void SetNumber(QSpinBox* spin, int value) {
  const QSignalBlocker block(spin);
  spin->setMaximum(std::max(spin->maximum(), value));  // never cut a stored larger value
  spin->setValue(value);
}

void SetChecked(QCheckBox* box, bool on) {
  const QSignalBlocker block(box);
  box->setChecked(on);
}

// The user left the field for another control or another window of the program; a focus
// lost to a message box or menu of its own is not leaving.
bool Leaves(const QFocusEvent& event) {
  return event.reason() != Qt::ActiveWindowFocusReason && event.reason() != Qt::PopupFocusReason;
}

}  // namespace

PreferencesWindow::PreferencesWindow(shell::Preferences& preferences,
                                     const shell::SettingsFiles& files, runtime::Desktop& desktop,
                                     QWidget* parent)
    : QDialog(parent), model_(preferences, files), files_(files), desktop_(desktop) {
  setObjectName("INIOptions");
  setWindowTitle(QStringLiteral("Preferences"));
  tabs_ = new QTabWidget(this);
  tabs_->setObjectName("tabs");
  tabs_->addTab(BuildGeneralTab(), QStringLiteral("General"));
  tabs_->addTab(BuildFilesTab(), QStringLiteral("Files"));

  ok_ = new QPushButton(QStringLiteral("OK"), this);
  ok_->setObjectName("ok");
  ok_->setDefault(true);
  cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
  cancel_->setObjectName("cancel");
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_);
  layout->addLayout(buttons);

  Connect();
  Redisplay();
  QtWindowGeometry geometry(*this);
  shell::RestoreWindowPosition(geometry, files_.trawlexIni, shell::kINIOptionsSection);
}

QWidget* PreferencesWindow::BuildGeneralTab() {
  auto* page = new QWidget(tabs_);
  editor_ = Entry(page, "editor", static_cast<int>(shell::kEditorNameWidth));
  editor_->setMinimumWidth(editor_->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 48);
  chooseEditor_ = new QPushButton(QStringLiteral("..."), page);
  chooseEditor_->setObjectName("chooseEditor");
  chooseEditor_->setToolTip(ToQString(shell::kEditorDialogTitle));
  auto* editorRow = new QHBoxLayout;
  editorRow->addWidget(editor_, 1);
  editorRow->addWidget(chooseEditor_);

  auto* macros = new QGroupBox(QStringLiteral("Editor Command Macros"), page);
  auto* macroLines = new QVBoxLayout(macros);
  macroLines->addWidget(new QLabel(QStringLiteral("%F = Filename to edit"), macros));
  macroLines->addWidget(new QLabel(QStringLiteral("%L = Current Line"), macros));

  filesPerTimer_ = Number(page, "filesPerTimer", kByteMaximum);
  filesPerTimerModal_ = Number(page, "filesPerTimerModal", kByteMaximum);
  lastSearchCnt_ = Number(page, "lastSearchCnt", kLastSearchesMaximum);
  use16Bit_ = Check(page, "use16Bit", "Use 16-bit File Open Dialogs");
  minViewWithResults_ = Check(page, "minViewWithResults", "Minimize Viewer With Results");
  noSplash_ = Check(page, "noSplash", "Do not show Splash window");

  auto* form = new QFormLayout(page);
  form->addRow(Caption(page, "Editor Path && Name:", editor_), editorRow);
  form->addRow(macros);
  form->addRow(Caption(page, "Search Files Per Timer:", filesPerTimer_), filesPerTimer_);
  form->addRow(Caption(page, "Search Files Per Timer Modal:", filesPerTimerModal_),
               filesPerTimerModal_);
  form->addRow(Caption(page, "Last Searches Count", lastSearchCnt_), lastSearchCnt_);
  form->addRow(use16Bit_);
  form->addRow(minViewWithResults_);
  form->addRow(noSplash_);
  return page;
}

QWidget* PreferencesWindow::BuildFilesTab() {
  auto* page = new QWidget(tabs_);
  auto* extensions = new QGroupBox(QStringLiteral("File Extensions"), page);
  const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  const int width = static_cast<int>(shell::kExtensionListWidth);
  extVeldar_ = Entry(extensions, "extVeldar", width);
  extTemplates_ = Entry(extensions, "extTemplates", width);
  for (QLineEdit* field : {extVeldar_, extTemplates_}) {
    field->setFont(fixed);
    // Room for all 24 characters and the frame, so the groups can be read at one glance.
    field->setMinimumWidth(QFontMetrics(fixed).horizontalAdvance(QString(width + 2, 'W')));
    field->installEventFilter(this);
  }
  auto* note =
      new QLabel(QStringLiteral("*Must take 3 bytes each, you cannot use wildcards"), extensions);
  auto* form = new QFormLayout(extensions);
  form->addRow(Caption(extensions, "Veldar Source:", extVeldar_), extVeldar_);
  form->addRow(Caption(extensions, "Templates:", extTemplates_), extTemplates_);
  form->addRow(note);

  helpFile_ = Entry(page, "helpFile", kHelpPathWidth);
  helpFile_->setReadOnly(true);  // found at start-up, never stored
  auto* help = new QFormLayout;
  help->addRow(Caption(page, "VW Help:", helpFile_), helpFile_);

  auto* layout = new QVBoxLayout(page);
  layout->addWidget(extensions);
  layout->addLayout(help);
  layout->addStretch();
  return page;
}

void PreferencesWindow::Connect() {
  shell::Preferences& p = model_.values();
  connect(editor_, &QLineEdit::textEdited, this, [this, &p](const QString& text) {
    const std::string bytes = FieldBytes(text, shell::kEditorNameWidth);
    p.editorName = bytes;
    // Only what the field can hold stays in sight (many-byte characters fill it early).
    if (bytes != ToBytes(text)) ShowText(editor_, bytes);
  });
  connect(extVeldar_, &QLineEdit::textEdited, this,
          [&p](const QString& text) { p.extVeldar = FieldBytes(text, shell::kExtensionListWidth); });
  connect(extTemplates_, &QLineEdit::textEdited, this,
          [&p](const QString& text) { p.extTemplates = FieldBytes(text, shell::kExtensionListWidth); });
  const auto toByte = [](int value) { return static_cast<std::uint8_t>(value); };
  connect(filesPerTimer_, &QSpinBox::valueChanged, this,
          [&p, toByte](int value) { p.filesPerTimer = toByte(value); });
  connect(filesPerTimerModal_, &QSpinBox::valueChanged, this,
          [&p, toByte](int value) { p.filesPerTimerModal = toByte(value); });
  connect(lastSearchCnt_, &QSpinBox::valueChanged, this,
          [&p](int value) { p.lastSearchCnt = value; });
  connect(use16Bit_, &QCheckBox::toggled, this, [&p](bool on) { p.use16BitFileOpen = on; });
  connect(minViewWithResults_, &QCheckBox::toggled, this,
          [&p](bool on) { p.minViewWithResults = on; });
  connect(noSplash_, &QCheckBox::toggled, this, [&p](bool on) { p.noSplash2 = on; });
  connect(chooseEditor_, &QPushButton::clicked, this, &PreferencesWindow::ChooseEditor);
  connect(ok_, &QPushButton::clicked, this, &PreferencesWindow::PressOk);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

void PreferencesWindow::Redisplay() {
  const shell::Preferences& p = model_.values();
  ShowText(editor_, p.editorName.view());
  // The lists are held with two blanks after them; the entries show them without.
  ShowText(extVeldar_, runtime::Clip(p.extVeldar));
  ShowText(extTemplates_, runtime::Clip(p.extTemplates));
  ShowText(helpFile_, p.helpFilePath.view());
  SetNumber(filesPerTimer_, p.filesPerTimer);
  SetNumber(filesPerTimerModal_, p.filesPerTimerModal);
  SetNumber(lastSearchCnt_, std::max(p.lastSearchCnt, 0));
  SetChecked(use16Bit_, p.use16BitFileOpen != 0);
  SetChecked(minViewWithResults_, p.minViewWithResults != 0);
  SetChecked(noSplash_, p.noSplash2 != 0);
}

void PreferencesWindow::ChooseEditor() {
  if (!model_.ChooseEditor(desktop_)) return;
  ShowText(editor_, model_.values().editorName.view());
  editor_->setFocus(Qt::OtherFocusReason);
}

// Leaving an extension field shows its three-letter groups ("VlwIncIntVlaVli ").
void PreferencesWindow::LeaveExtensionField(QLineEdit* field) {
  if (field == extVeldar_) {
    model_.LeaveExtVeldar();
    ShowText(field, model_.values().extVeldar);
  } else {
    model_.LeaveExtTemplates();
    ShowText(field, model_.values().extTemplates);
  }
}

bool PreferencesWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut && (watched == extVeldar_ || watched == extTemplates_) &&
      Leaves(*static_cast<QFocusEvent*>(event))) {
    LeaveExtensionField(static_cast<QLineEdit*>(watched));
  }
  return QDialog::eventFilter(watched, event);
}

// OK stores the preferences. They stay in force for this run even when Search.DAT cannot be
// written, but the user is told so: closing silently would report a failure as success.
void PreferencesWindow::PressOk() {
  if (!model_.Ok()) {
    runtime::Message message;
    message.text = "The preferences could not be saved in " + files_.searchDat.string() +
                   ".|They apply until the program ends.||Error: " + runtime::ErrorText();
    message.caption = "Preferences";
    message.icon = runtime::Icon::Warning;
    desktop_.ShowMessage(message);
  }
  accept();
}

// Every way of closing comes through here once. Anything but OK (Cancel, Esc, the close box)
// puts back the stored preferences, since the controls changed them as the user typed.
void PreferencesWindow::done(int code) {
  if (!closing_) {
    closing_ = true;
    QtWindowGeometry geometry(*this);
    shell::SaveWindowPosition(geometry, files_.trawlexIni, shell::kINIOptionsSection);
    if (code != QDialog::Accepted) model_.Cancel(desktop_);
  }
  QDialog::done(code);
}

bool RunPreferences(QWidget* parent, shell::Preferences& preferences,
                    const shell::SettingsFiles& files, runtime::Desktop& desktop) {
  PreferencesWindow window(preferences, files, desktop, parent);
  return window.exec() == QDialog::Accepted;
}

}  // namespace trawlex::ui
