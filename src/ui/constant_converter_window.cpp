#include "ui/constant_converter_window.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>
#include <string>

#include "ui/qt_text.h"
#include "ui/window_centring.h"

namespace trawlex::ui {
namespace {

using utilities::SourceLanguage;

// Designed for the widest output line (a long value pushes the comment past column 70) and
// a screenful of lines; smaller screens get the window shrunk to fit.
constexpr int kDesignedColumns = 96;
constexpr int kDesignedLines = 28;

// The converter's texts end their lines with CR LF, as the clipboard of the platform the
// output goes to does; the edit boxes use LF.
QString ToEditText(std::string text) {
  for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at)) {
    text.erase(at, 1);
  }
  return ToQString(text);
}

std::string FromEditText(const QString& text) {
  QString crlf = text;
  crlf.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
  return ToBytes(crlf);
}

QPlainTextEdit* TextBox(QWidget* parent, const char* name) {
  auto* box = new QPlainTextEdit(parent);
  box->setObjectName(QString::fromUtf8(name));
  box->setLineWrapMode(QPlainTextEdit::NoWrap);
  // The output lines up in columns: only a fixed-pitch font shows that.
  box->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  box->setTabChangesFocus(true);
  return box;
}

std::string Named(const char* prefix, const char* name) { return std::string(prefix) + name; }

}  // namespace

ConstantConverterWindow::ConstantConverterWindow(runtime::Desktop& desktop, QWidget* parent)
    : QDialog(parent), desktop_(desktop) {
  setObjectName("ConstantConverter");
  setWindowTitle(QString::fromUtf8(utilities::kConstantConverterCaption));
  setSizeGripEnabled(true);

  tabs_ = new QTabWidget(this);
  tabs_->setObjectName("tabs");
  tabs_->addTab(InputPage("define", SourceLanguage::C, define_), QStringLiteral(" #&Define"));
  tabs_->addTab(InputPage("vb", SourceLanguage::Vb, vb_), QStringLiteral(" &VB Const"));
  tabs_->addTab(EquatesPage(), QStringLiteral(" &Equate()"));

  define_.text->setPlainText(ToEditText(utilities::kDefineHelpText));
  vb_.text->setPlainText(ToEditText(utilities::kVbHelpText));
  equates_->setPlainText(ToEditText(utilities::kDefineHelpText));

  auto* buttons = new QHBoxLayout;
  QPushButton* doC = AddButton("doCDef", "Do C De&f");
  connect(doC, &QPushButton::clicked, this, [this] { PasteAndConvert(SourceLanguage::C); });
  QPushButton* doVb = AddButton("doVb", "Do V&B");
  connect(doVb, &QPushButton::clicked, this, [this] { PasteAndConvert(SourceLanguage::Vb); });
  QPushButton* close = AddButton("close", "Close");
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  buttons->addWidget(doC);
  buttons->addWidget(doVb);
  buttons->addStretch(1);
  buttons->addWidget(close);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_, 1);
  layout->addLayout(buttons);

  SetDesignedSize();
  CentreOver(*this, parent != nullptr ? &PlacedWindow(*parent) : nullptr);
  FitIntoSpace(*this);
  define_.text->setFocus();
}

QPushButton* ConstantConverterWindow::AddButton(const char* name, const char* caption) {
  auto* button = new QPushButton(QString::fromUtf8(caption), this);
  button->setObjectName(QString::fromUtf8(name));
  // Enter in a text box is a new line, never a button.
  button->setAutoDefault(false);
  return button;
}

QWidget* ConstantConverterWindow::InputPage(const char* prefix, SourceLanguage language,
                                            InputTab& tab) {
  auto* page = new QWidget(this);
  tab.text = TextBox(page, Named(prefix, "Text").c_str());
  tab.assumeAll = new QCheckBox(QStringLiteral("Ass&ume All"), page);
  tab.assumeAll->setObjectName(QString::fromStdString(Named(prefix, "AssumeAll")));
  tab.assumeAll->setToolTip(
      QStringLiteral("Take every line as a definition, even without its keyword"));

  QPushButton* convert = AddButton(Named(prefix, "Convert").c_str(), "&Convert to Equates");
  connect(convert, &QPushButton::clicked, this, [this, language] { Convert(language); });
  QPushButton* paste = AddButton(Named(prefix, "Paste").c_str(), "&Paste");
  connect(paste, &QPushButton::clicked, this, [this, language] { Paste(language); });
  QPushButton* clear = AddButton(Named(prefix, "Clear").c_str(), "C&lear");
  connect(clear, &QPushButton::clicked, tab.text, &QPlainTextEdit::clear);

  auto* row = new QHBoxLayout;
  row->addWidget(convert);
  row->addWidget(paste);
  row->addWidget(clear);
  row->addStretch(1);
  row->addWidget(tab.assumeAll);
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(tab.text, 1);
  layout->addLayout(row);
  return page;
}

QWidget* ConstantConverterWindow::EquatesPage() {
  equatesPage_ = new QWidget(this);
  equates_ = TextBox(equatesPage_, "equatesText");
  QPushButton* copy = AddButton("copyToClip", "&Copy to Clip");
  connect(copy, &QPushButton::clicked, this, &ConstantConverterWindow::CopyToClipboard);
  auto* row = new QHBoxLayout;
  row->addWidget(copy);
  row->addStretch(1);
  auto* layout = new QVBoxLayout(equatesPage_);
  layout->addWidget(equates_, 1);
  layout->addLayout(row);
  return equatesPage_;
}

ConstantConverterWindow::InputTab& ConstantConverterWindow::Tab(SourceLanguage language) {
  return language == SourceLanguage::C ? define_ : vb_;
}

// A refused text (blank, or more than its field holds) keeps the user on it to fix it.
void ConstantConverterWindow::Convert(SourceLanguage language) {
  InputTab& tab = Tab(language);
  const std::string text = FromEditText(tab.text->toPlainText());
  const bool assumeAll = tab.assumeAll->isChecked();
  const utilities::ConversionResult result = language == SourceLanguage::C
                                                 ? utilities::ConvertDefines(text, assumeAll)
                                                 : utilities::ConvertVbConsts(text, assumeAll);
  if (!result.refusal.empty()) {
    tabs_->setCurrentWidget(tab.text->parentWidget());
    runtime::Tell(desktop_, result.refusal, utilities::kConstantConverterCaption,
                  runtime::Icon::Warning);
    tab.text->setFocus();
    return;
  }
  equates_->setPlainText(ToEditText(result.text));
  tabs_->setCurrentWidget(equatesPage_);
  equates_->setFocus();
}

void ConstantConverterWindow::Paste(SourceLanguage language) {
  Tab(language).text->setPlainText(ToEditText(desktop_.ClipboardText()));
}

void ConstantConverterWindow::PasteAndConvert(SourceLanguage language) {
  Paste(language);
  Convert(language);
}

void ConstantConverterWindow::CopyToClipboard() {
  desktop_.SetClipboardText(FromEditText(equates_->toPlainText()));
}

void ConstantConverterWindow::SetDesignedSize() {
  const QFontMetrics metrics(equates_->font());
  const int rest = sizeHint().height() - equates_->sizeHint().height();
  QSize size(metrics.horizontalAdvance(QString(kDesignedColumns, QLatin1Char('W'))) + 60,
             rest + kDesignedLines * metrics.lineSpacing());
  if (const QScreen* screen = this->screen()) {
    size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
  }
  resize(size.expandedTo(minimumSizeHint()));
}

ConstantConverterWindow* OpenConstantConverter(QWidget* parent, runtime::Desktop& desktop,
                                               const std::filesystem::path& /*trawlexIni*/) {
  auto* window = new ConstantConverterWindow(desktop, parent);
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->show();
  window->raise();
  window->activateWindow();
  return window;
}

}  // namespace trawlex::ui
