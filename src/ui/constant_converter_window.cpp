#include "ui/constant_converter_window.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <string>

#include "ui/converter_parts.h"
#include "ui/qt_text.h"
#include "ui/window_centring.h"

namespace trawlex::ui {
namespace {

using utilities::SourceLanguage;

// Designed for the widest output line (a long value pushes the comment past column 70) and
// a screenful of lines; smaller screens get the window shrunk to fit.
constexpr int kDesignedColumns = 96;
constexpr int kDesignedLines = 28;

std::string Named(const char* prefix, const char* name) {
  return std::string(prefix) + name;
}

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
  QPushButton* doC = PlainButton(this, "doCDef", "Do C De&f");
  connect(doC, &QPushButton::clicked, this, [this] { PasteAndConvert(SourceLanguage::C); });
  QPushButton* doVb = PlainButton(this, "doVb", "Do V&B");
  connect(doVb, &QPushButton::clicked, this, [this] { PasteAndConvert(SourceLanguage::Vb); });
  QPushButton* close = PlainButton(this, "close", "Close");
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  buttons->addWidget(doC);
  buttons->addWidget(doVb);
  buttons->addStretch(1);
  buttons->addWidget(close);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_, 1);
  layout->addLayout(buttons);

  ResizeForCode(*this, *equates_, kDesignedColumns, kDesignedLines);
  CentreOver(*this, parent != nullptr ? &PlacedWindow(*parent) : nullptr);
  FitIntoSpace(*this);
  define_.text->setFocus();
}

QWidget* ConstantConverterWindow::InputPage(const char* prefix, SourceLanguage language,
                                            InputTab& tab) {
  auto* page = new QWidget(this);
  tab.text = CodeTextBox(page, Named(prefix, "Text").c_str());
  tab.assumeAll = new QCheckBox(QStringLiteral("Ass&ume All"), page);
  tab.assumeAll->setObjectName(QString::fromStdString(Named(prefix, "AssumeAll")));
  tab.assumeAll->setToolTip(
      QStringLiteral("Take every line as a definition, even without its keyword"));

  QPushButton* convert = PlainButton(this, Named(prefix, "Convert").c_str(), "&Convert to Equates");
  connect(convert, &QPushButton::clicked, this, [this, language] { Convert(language); });
  QPushButton* paste = PlainButton(this, Named(prefix, "Paste").c_str(), "&Paste");
  connect(paste, &QPushButton::clicked, this, [this, language] { Paste(language); });
  QPushButton* clear = PlainButton(this, Named(prefix, "Clear").c_str(), "C&lear");
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
  equates_ = CodeTextBox(equatesPage_, "equatesText");
  QPushButton* copy = PlainButton(this, "copyToClip", "&Copy to Clip");
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

ConstantConverterWindow* OpenConstantConverter(QWidget* parent, runtime::Desktop& desktop,
                                               const std::filesystem::path& /*trawlexIni*/) {
  auto* window = new ConstantConverterWindow(desktop, parent);
  ShowInFront(*window);
  return window;
}

}  // namespace trawlex::ui
