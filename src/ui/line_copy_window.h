#pragma once
// The "Copy Line to Clipboard" window: the parts of one hit (text, location, directory, file
// name, full name) in a read-only text box, and buttons that put one part, the whole text or
// the selected text on the clipboard. A copy button pressed with Ctrl, Shift or Alt held
// closes the window after copying; so does its Alt+letter accelerator. The window keeps its
// place in Trawlex.INI, section "Line2Clip".

#include <QDialog>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "results/line_copy_texts.h"
#include "runtime/desktop.h"

class QPlainTextEdit;
class QPushButton;

namespace trawlex::ui {

class LineCopyWindow final : public QDialog {
  Q_OBJECT

 public:
  // The clipboard is reached through `desktop`.
  LineCopyWindow(runtime::Desktop& desktop, std::filesystem::path trawlexIni,
                 const results::LineCopyRequest& request, QWidget* parent = nullptr);

  void done(int code) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // A button that copies what `text` gives; nothing (no selection) only beeps.
  QPushButton* AddCopyButton(const char* name, const char* caption, const char* tip,
                             std::function<std::optional<std::string>()> text);
  void Copy(const std::optional<std::string>& text);
  std::optional<std::string> SelectedText() const;
  void SetDesignedSize();

  runtime::Desktop& desktop_;
  std::filesystem::path trawlexIni_;
  results::LineCopyTexts texts_;
  QPlainTextEdit* box_ = nullptr;
  // The modifier keys of the press that clicks a copy button, seen before the click.
  Qt::KeyboardModifiers pressModifiers_;
  bool placed_ = false;
};

// Shows the window for one hit over `parent` until the user closes it.
void RunLineCopyWindow(QWidget* parent, runtime::Desktop& desktop,
                       const std::filesystem::path& trawlexIni,
                       const results::LineCopyRequest& request);

}  // namespace trawlex::ui
