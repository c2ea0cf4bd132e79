#include "ui/find_text_window.h"

#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/window_placement.h"
#include "ui/find_controls.h"
#include "ui/qt_window_geometry.h"
#include "ui/window_centring.h"

namespace trawlex::ui {
namespace {

using S = results::FindSwitches;
const FindCaptions kCaptions = {
    "Find &Text:",
    {{{&S::caseSensitive, "&Case"},
      {&S::word, "&Word"},
      {&S::trailing, "T&railing"},
      {&S::smash, "&Smash"},
      {&S::wild, "Wil&d"},
      {&S::regex, "Reg &X"}}},
    "&Assistant...",
};

QPushButton* Button(QWidget* parent, const char* name, const char* text) {
  auto* button = new QPushButton(QString::fromUtf8(text), parent);
  button->setObjectName(name);
  return button;
}

class FindTextWindow final : public QDialog {
 public:
  FindTextWindow(QWidget* parent, runtime::Desktop& desktop, std::filesystem::path trawlexIni,
                 results::FindRecord& find)
      : QDialog(parent),
        trawlexIni_(std::move(trawlexIni)),
        find_(find),
        controls_(*this, desktop, find, kCaptions) {
    setWindowTitle(tr("Find Text"));
    setObjectName("FindText");
    Build();
    controls_.FocusText();
    Place(parent);
  }

  void done(int code) override {
    controls_.Collect();
    if (code != QDialog::Accepted) find_.findLen = 0;  // cancelled: no find is set
    QtWindowGeometry geometry(*this);
    shell::SaveWindowPosition(geometry, trawlexIni_, shell::kFindInViewSection);
    QDialog::done(code);
  }

 private:
  void Build() {
    auto* next = Button(this, "findNext", "Find &Next");
    auto* previous = Button(this, "findPrev", "Find &Prev");
    auto* cancel = Button(this, "cancel", "Cancel");
    next->setDefault(true);
    connect(next, &QPushButton::clicked, this, [this] { Accept(false); });
    connect(previous, &QPushButton::clicked, this, [this] { Accept(true); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* textRow = new QHBoxLayout;
    textRow->addWidget(controls_.caption());
    textRow->addWidget(controls_.text(), 1);
    auto* left = new QVBoxLayout;
    left->addLayout(textRow);
    left->addLayout(controls_.switchLayout());
    left->addStretch(1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(next);
    buttons->addWidget(previous);
    buttons->addWidget(cancel);
    buttons->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);
  }

  // Centred over the viewer unless a placement was saved; inside the screen either way.
  void Place(QWidget* parent) {
    adjustSize();
    CentreOver(*this, parent ? &PlacedWindow(*parent) : nullptr);
    QtWindowGeometry geometry(*this);
    shell::RestoreWindowPosition(geometry, trawlexIni_, shell::kFindInViewSection);
    FitIntoSpace(*this);
  }

  // "Find &Next" and "Find &Prev": a find that passes its checks is prepared and recorded.
  void Accept(bool previous) {
    controls_.Collect();
    if (controls_.RefuseBlank("Find") || controls_.RefusePattern()) return;
    controls_.Prepare();
    find_.prev = previous;
    accept();
  }

  std::filesystem::path trawlexIni_;
  results::FindRecord& find_;
  FindControls controls_;
};

}  // namespace

bool RunFindTextWindow(QWidget* parent, runtime::Desktop& desktop,
                       const std::filesystem::path& trawlexIni, results::FindRecord& find) {
  // On the heap: should the viewer go while the window is open, the window goes with it
  // as its child, and the find counts as cancelled.
  QPointer<FindTextWindow> window = new FindTextWindow(parent, desktop, trawlexIni, find);
  const bool found = window->exec() == QDialog::Accepted;
  delete window.data();
  return found;
}

}  // namespace trawlex::ui
