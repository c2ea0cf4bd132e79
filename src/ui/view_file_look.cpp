// The viewer's look: its font, kept in section "ViewFile" of the look file, and its place,
// kept in Trawlex.INI under "SearchView".

#include <QFontDatabase>

#include "runtime/profile.h"
#include "shell/window_placement.h"
#include "ui/qt_desktop.h"
#include "ui/qt_text.h"
#include "ui/qt_window_geometry.h"
#include "ui/view_file_parts.h"
#include "ui/view_page_list.h"
#include "ui/view_page_text.h"
#include "ui/window_centring.h"
#include "ui/window_registry.h"

namespace trawlex::ui {
namespace {

// The look file's section of the viewer's font.
constexpr const char* kFontSection = "ViewFile";
// The font the look file names by default: the desktop's fixed-pitch face stands in for it.
constexpr const char* kDefaultFontName = "Fixedsys";

}  // namespace

// The font of section "ViewFile" of the look file, when it names one.
void ViewFileWindow::LoadFont() {
  const auto& file = context_.files.lookFile;
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  runtime::FontChoice choice;
  choice.name = runtime::ReadProfileString(file, kFontSection, "FontName", "");
  if (!choice.name.empty()) {
    choice.size = runtime::ReadProfileInt(file, kFontSection, "FontSize", 0);
    choice.style = runtime::ReadProfileInt(file, kFontSection, "FontStyle", 0);
    if (QString::fromStdString(choice.name).compare(kDefaultFontName, Qt::CaseInsensitive) == 0) {
      choice.name = ToBytes(font.family());
    }
    font = ToQFont(choice);
  }
  ApplyFont(font);
}

void ViewFileWindow::ApplyFont(const QFont& font) {
  parts_->list->setFont(font);
  parts_->text->setFont(font);
}

void ViewFileWindow::ChangeFont() {
  const runtime::FontChoice start = ToFontChoice(parts_->list->font(), 0);
  const auto chosen = context_.desktop->ChooseFont(start, "Choose View Window Font");
  if (chosen) ApplyFont(ToQFont(*chosen));
}

void ViewFileWindow::SaveFont() {
  const runtime::FontChoice current = ToFontChoice(parts_->list->font(), 0);
  const bool saved = runtime::WriteProfileStrings(context_.files.lookFile, kFontSection,
                                                  {{"FontName", shell::ProfileText(current.name)},
                                                   {"FontSize", std::to_string(current.size)},
                                                   {"FontStyle", std::to_string(current.style)}});
  if (!saved) {
    runtime::Tell(*context_.desktop,
                  "The font could not be saved in " + context_.files.lookFile.string() +
                      ".||Error: " + runtime::ErrorText(),
                  "Font", runtime::Icon::Warning);
  }
}

void ViewFileWindow::SavePlacement() {
  QtWindowGeometry geometry(PlacedWindow(*this));
  shell::SaveWindowPosition(geometry, context_.files.trawlexIni, shell::kSearchViewSection);
}

// Centred over the results window it belongs to, unless a placement was saved; inside the
// screen (or the frame) either way.
void ViewFileWindow::Place() {
  QWidget& placed = PlacedWindow(*this);
  if (&placed != this) placed.resize(placed.sizeHint());
  const QWidget* results = AppWindows().Window(resultsSlot_);
  CentreOver(placed, results ? &PlacedWindow(*const_cast<QWidget*>(results)) : nullptr);
  QtWindowGeometry geometry(placed);
  shell::RestoreWindowPosition(geometry, context_.files.trawlexIni, shell::kSearchViewSection);
  FitIntoSpace(placed);
}

}  // namespace trawlex::ui
