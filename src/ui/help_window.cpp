#include "ui/help_window.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QSplitter>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>
#include <vector>

#include "shell/user_guide.h"
#include "ui/qt_text.h"
#include "ui/window_centring.h"

namespace trawlex::ui {
namespace {

// Windows by object or class name, and the guide page about each.
struct PageOfWindow {
  const char* name;
  const char* page;
};

constexpr PageOfWindow kPages[] = {
    {"SearchInput", "search-dialogue.md"},
    {"ResultsWindow", "results-window.md"},
    {"ViewFile", "viewer.md"},
    {"FindText", "viewer.md"},
    {"FindAndDelete", "pruning.md"},
    {"LineCopy", "editor-and-actions.md"},
    {"SavedSearchList", "saved-searches.md"},
    {"SearchSave", "saved-searches.md"},
    {"MultiSearchWindow", "multi-search.md"},
    {"INIOptions", "settings.md"},
    {"RegexAssistant", "regular-expressions.md"},
    {"ConstantConverter", "utilities.md"},
    {"PrototypeConverter", "utilities.md"},
    {"FeqUseBuddy", "utilities.md"},
    {"StickNote", "utilities.md"},
    {"HelpWindow", "using-help.md"},
};

// The class name without its namespace.
QString ClassName(const QObject& object) {
  const QString full = QString::fromLatin1(object.metaObject()->className());
  return full.mid(full.lastIndexOf(QLatin1Char(':')) + 1);
}

std::optional<QString> PageOfName(const QString& name) {
  for (const PageOfWindow& entry : kPages) {
    if (name == QLatin1String(entry.name)) return QString::fromLatin1(entry.page);
  }
  return std::nullopt;
}

std::optional<std::filesystem::path> Guide() {
  static const std::optional<std::filesystem::path> guide =
      shell::FindGuideDirectory(std::filesystem::path(TRAWLEX_SOURCE_GUIDE));
  return guide;
}

QPointer<HelpWindow>& TheHelpWindow() {
  static QPointer<HelpWindow> window;
  return window;
}

class HelpKeyFilter final : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier) return false;
    const auto* widget = qobject_cast<QWidget*>(watched);
    if (!ShowHelp(HelpPageFor(widget ? widget : QApplication::focusWidget()))) {
      QApplication::beep();
    }
    return true;
  }
};

}  // namespace

HelpWindow::HelpWindow(std::filesystem::path guide, QWidget* parent)
    : QWidget(parent, Qt::Window), guide_(std::move(guide)) {
  setObjectName("HelpWindow");
  setWindowTitle(tr("Trawlex Help"));
  browser_ = new QTextBrowser(this);
  browser_->setObjectName("page");
  browser_->setOpenExternalLinks(true);
  browser_->setSearchPaths({QString::fromStdString(guide_.string())});
  browser_->viewport()->installEventFilter(this);  // pictures follow the page's width

  back_ = new QPushButton(tr("&Back"), this);
  forward_ = new QPushButton(tr("&Forward"), this);
  auto* contents = new QPushButton(tr("&Contents"), this);
  back_->setShortcut(QKeySequence::Back);
  forward_->setShortcut(QKeySequence::Forward);
  back_->setEnabled(false);
  forward_->setEnabled(false);
  connect(back_, &QPushButton::clicked, browser_, &QTextBrowser::backward);
  connect(forward_, &QPushButton::clicked, browser_, &QTextBrowser::forward);
  connect(contents, &QPushButton::clicked, this,
          [this] { OpenPage(QString::fromLatin1(shell::kGuideContentsPage.data())); });
  connect(browser_, &QTextBrowser::backwardAvailable, back_, &QPushButton::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QPushButton::setEnabled);
  connect(browser_, &QTextBrowser::sourceChanged, this, [this] {
    FitImages();
    setWindowTitle(browser_->documentTitle().isEmpty()
                       ? tr("Trawlex Help")
                       : browser_->documentTitle() + tr(" - Trawlex Help"));
  });

  query_ = new QLineEdit(this);
  query_->setObjectName("query");
  query_->setPlaceholderText(tr("Words to look for"));
  auto* queryLabel = new QLabel(tr("&Search:"), this);
  queryLabel->setBuddy(query_);
  hits_ = new QListWidget(this);
  hits_->setObjectName("hits");
  connect(query_, &QLineEdit::returnPressed, this, &HelpWindow::RunSearch);
  connect(hits_, &QListWidget::itemActivated, this,
          [this](QListWidgetItem* item) { OpenHit(hits_->row(item)); });

  auto* buttons = new QHBoxLayout;
  for (QPushButton* button : {back_, forward_, contents}) buttons->addWidget(button);
  buttons->addStretch();
  auto* searchPane = new QWidget(this);
  auto* searchLayout = new QVBoxLayout(searchPane);
  searchLayout->setContentsMargins(0, 0, 0, 0);
  searchLayout->addWidget(queryLabel);
  searchLayout->addWidget(query_);
  searchLayout->addWidget(hits_, 1);
  auto* split = new QSplitter(this);
  split->addWidget(searchPane);
  split->addWidget(browser_);
  split->setStretchFactor(1, 3);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(buttons);
  layout->addWidget(split, 1);
  resize(960, 680);
}

void HelpWindow::OpenPage(const QString& page) {
  const std::filesystem::path file = guide_ / ToBytes(page);
  browser_->setSource(QUrl::fromLocalFile(QString::fromStdString(file.string())),
                      QTextDocument::MarkdownResource);
}

void HelpWindow::OpenSearch(const QString& query) {
  if (!query.isEmpty()) {
    query_->setText(query);
    RunSearch();
  }
  query_->setFocus(Qt::OtherFocusReason);
  query_->selectAll();
}

// Screenshots wider than the page are shown at the page's width, so that no part of a page
// needs scrolling sideways.
void HelpWindow::FitImages() {
  QTextDocument* document = browser_->document();
  const qreal room = browser_->viewport()->width() - 2 * document->documentMargin() - 4;
  if (room <= 0) return;
  struct Resized {
    int position;
    int length;
    QTextImageFormat format;
  };
  std::vector<Resized> resized;  // collected first: changing a format rearranges fragments
  for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      if (!fragment.charFormat().isImageFormat()) continue;
      QTextImageFormat image = fragment.charFormat().toImageFormat();
      const QImage natural =
          document->resource(QTextDocument::ImageResource, QUrl(image.name())).value<QImage>();
      if (natural.isNull()) continue;
      const qreal width = std::min<qreal>(natural.width(), room);
      if (qFuzzyCompare(image.width(), width)) continue;
      image.setWidth(width);
      image.setHeight(natural.height() * width / natural.width());
      resized.push_back({fragment.position(), fragment.length(), image});
    }
  }
  for (const Resized& image : resized) {
    QTextCursor cursor(document);
    cursor.setPosition(image.position);
    cursor.setPosition(image.position + image.length, QTextCursor::KeepAnchor);
    cursor.setCharFormat(image.format);
  }
}

bool HelpWindow::eventFilter(QObject* watched, QEvent* event) {
  // Fitted once the browser has laid the page out at its new width: fitting during the event
  // saw the width from before a scroll bar came or went, and left the page a little too wide.
  if (watched == browser_->viewport() && event->type() == QEvent::Resize) {
    QTimer::singleShot(0, this, &HelpWindow::FitImages);
  }
  return QWidget::eventFilter(watched, event);
}

QString HelpWindow::currentPage() const {
  return browser_->source().fileName();
}

void HelpWindow::RunSearch() {
  hits_->clear();
  const std::vector<shell::GuideHit> hits = shell::SearchGuide(guide_, ToBytes(query_->text()));
  for (const shell::GuideHit& hit : hits) {
    auto* item = new QListWidgetItem(ToQString(hit.title), hits_);
    item->setData(Qt::UserRole, ToQString(hit.page));
  }
  if (hits.empty()) {
    new QListWidgetItem(tr("No page holds these words."), hits_);
    return;
  }
  hits_->setCurrentRow(0);
}

void HelpWindow::OpenHit(int row) {
  const QListWidgetItem* item = hits_->item(row);
  if (item == nullptr || item->data(Qt::UserRole).toString().isEmpty()) return;
  OpenPage(item->data(Qt::UserRole).toString());
  // Shows the first place of the first word asked for.
  const QString first = query_->text().simplified().section(QLatin1Char(' '), 0, 0);
  if (!first.isEmpty()) browser_->find(first);
}

QString HelpPageFor(const QWidget* widget) {
  for (const QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
    if (auto page = PageOfName(w->objectName())) return *page;
    if (auto page = PageOfName(ClassName(*w))) return *page;
  }
  return QString::fromLatin1(shell::kGuideContentsPage.data());
}

bool ShowHelp(const QString& page, bool search) {
  const std::optional<std::filesystem::path> guide = Guide();
  if (!guide) return false;
  // While a dialogue holds the program modal, only its own windows take input: the help then
  // belongs to that dialogue.
  QWidget* owner = QApplication::activeModalWidget();
  QPointer<HelpWindow>& window = TheHelpWindow();
  const bool made = window.isNull();
  if (made) {
    window = new HelpWindow(*guide, owner);
  } else if (window->parentWidget() != owner) {
    window->setParent(owner, Qt::Window);
  }
  window->OpenPage(page);
  if (search) window->OpenSearch();
  if (made) {
    CentreOver(*window, QApplication::activeWindow());
    FitIntoSpace(*window);
  }
  window->show();
  window->raise();
  window->activateWindow();
  return true;
}

void InstallHelpKey() {
  static HelpKeyFilter* filter = nullptr;
  if (filter != nullptr) return;
  filter = new HelpKeyFilter(qApp);
  qApp->installEventFilter(filter);
}

}  // namespace trawlex::ui
