#pragma once
// The help window: the user guide's Markdown pages in a browser of our own, with back and
// forward, the contents, and a search over every page. One window serves the whole program;
// F1 anywhere opens it at the page of the window that has the focus.

#include <QWidget>
#include <filesystem>

class QLineEdit;
class QListWidget;
class QPushButton;
class QTextBrowser;

namespace trawlex::ui {

class HelpWindow final : public QWidget {
  Q_OBJECT

 public:
  explicit HelpWindow(std::filesystem::path guide, QWidget* parent = nullptr);

  // Shows `page` (a file of the guide, "index.md" for the contents).
  void OpenPage(const QString& page);
  // Shows the search with `query` run, the focus in the search field.
  void OpenSearch(const QString& query = {});

  QString currentPage() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FitImages();
  void RunSearch();
  void OpenHit(int row);

  std::filesystem::path guide_;
  QTextBrowser* browser_ = nullptr;
  QPushButton* back_ = nullptr;
  QPushButton* forward_ = nullptr;
  QLineEdit* query_ = nullptr;
  QListWidget* hits_ = nullptr;
};

// The guide page about the window that holds `widget`: the nearest window of a known kind
// among its parents; the contents when there is none.
QString HelpPageFor(const QWidget* widget);

// Opens the program's help window over the active window, making it on first use; shows
// `page`, or the search when `search` is set. False when no guide is installed.
bool ShowHelp(const QString& page, bool search = false);

// Makes F1 open the help at the page of the focused window, in every window of the program.
void InstallHelpKey();

}  // namespace trawlex::ui
