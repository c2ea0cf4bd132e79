#pragma once
// The "#Define to Equate() Converter" window: C #define lines and VB Const lines typed or
// pasted on their tabs become Veldar EQUATE lines on the " &Equate()" tab. The window keeps
// no placement of its own: it opens centred over the window it was started from.

#include <QDialog>
#include <filesystem>

#include "runtime/desktop.h"
#include "utilities/constant_converter.h"

class QCheckBox;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

namespace trawlex::ui {

class ConstantConverterWindow final : public QDialog {
  Q_OBJECT

 public:
  // The clipboard and the messages are reached through `desktop`.
  explicit ConstantConverterWindow(runtime::Desktop& desktop, QWidget* parent = nullptr);

 private:
  struct InputTab {
    QPlainTextEdit* text = nullptr;
    QCheckBox* assumeAll = nullptr;
  };

  QWidget* InputPage(const char* prefix, utilities::SourceLanguage language, InputTab& tab);
  QWidget* EquatesPage();
  InputTab& Tab(utilities::SourceLanguage language);
  void Convert(utilities::SourceLanguage language);
  void Paste(utilities::SourceLanguage language);
  void PasteAndConvert(utilities::SourceLanguage language);
  void CopyToClipboard();

  runtime::Desktop& desktop_;
  QTabWidget* tabs_ = nullptr;
  InputTab define_;
  InputTab vb_;
  QWidget* equatesPage_ = nullptr;
  QPlainTextEdit* equates_ = nullptr;
};

// Opens the converter over `parent` and returns at once; the window deletes itself when
// closed. The converter stores no placement, so `trawlexIni` is not read or written.
ConstantConverterWindow* OpenConstantConverter(QWidget* parent, runtime::Desktop& desktop,
                                               const std::filesystem::path& trawlexIni);

}  // namespace trawlex::ui
