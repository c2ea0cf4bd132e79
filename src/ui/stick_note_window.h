#pragma once
// "Stick Note": a free text area beside the search results. Its text lives only as long as
// the window; its look (size, font, background, scroll bars) is read from the saved settings
// when it opens and can be saved for the notes opened after it.

#include <QWidget>
#include <filesystem>

#include "runtime/desktop.h"
#include "utilities/sticky_note.h"

class QAction;
class QMenu;
class QPlainTextEdit;
class QTimer;

namespace trawlex::ui {

class StickNoteWindow final : public QWidget {
  Q_OBJECT

 public:
  StickNoteWindow(runtime::Desktop& desktop, std::filesystem::path searchDat,
                  QWidget* parent = nullptr);

  // A new note with its window slot, deleted when closed; nullptr (the user is told) when
  // no slot is free.
  static StickNoteWindow* Open(runtime::Desktop& desktop, const std::filesystem::path& searchDat);

  // Gives the window the saved size, as an MDI sub-window its outer size. Call once the
  // window is placed where it shows.
  void TakeSavedSize();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildMenu();
  void ApplyLook();
  QFont NoteFont() const;
  void ChooseColour();
  void ChooseFont();
  void SetScrollbars(bool horizontal, bool vertical);
  void SaveSettings();
  void ResetSettings();
  void RefreshTitle();
  void KeepWithinLimit();
  QWidget& Outer();

  runtime::Desktop& desktop_;
  std::filesystem::path searchDat_;
  utilities::StickLook look_;
  QPlainTextEdit* text_ = nullptr;
  QMenu* noteMenu_ = nullptr;
  QAction* colour_ = nullptr;
  QAction* hScroll_ = nullptr;
  QAction* vScroll_ = nullptr;
  QTimer* titleTimer_ = nullptr;
};

}  // namespace trawlex::ui
