#include "ui/prototype_converter_window.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <utility>

#include "results/editor_command.h"
#include "ui/converter_parts.h"
#include "ui/qt_text.h"
#include "ui/window_centring.h"
#include "utilities/prototype_converter.h"

namespace trawlex::ui {
namespace {

// Designed for a parameter line with its comment (the comment starts at column 68 once the
// line is indented) and a screenful of lines; smaller screens get the window shrunk to fit.
constexpr int kDesignedColumns = 100;
constexpr int kDesignedLines = 28;

constexpr int kDescriptionColumn = 2;

constexpr const char* kConditionalsCaption = "#if #else not supported";
constexpr const char* kConditionalsText =
    "The code contains #if #elif #else compiler directives for conditional inclusion of code. "
    "They were kept as comments. This will result in invalid code.||This convertor does NOT "
    "handle #if. You should elavluate the condition and only include the code the compiler "
    "would. This warningll not appear again.";

constexpr const char* kTypeTHelp =
    "64-bit programming is inevitable. Handles, pointers and sizes are 32 bits wide in a 32-bit "
    "program and 64 bits in a 64-bit one, so a prototype that names them SIGNED or UNSIGNED "
    "fits only one of the two. The _T types listed above name those pointer-sized values.\n"
    "Check \"Use _T 32/64 types\" to write the _T names in the prototypes, and use \"Copy _T\" "
    "to put the EQUATE lines that define them (as their 32-bit types) on the clipboard for "
    "your program.";

QTreeWidget* List(QWidget* parent, const char* name, const QStringList& columns) {
  auto* list = new QTreeWidget(parent);
  list->setObjectName(QString::fromUtf8(name));
  list->setRootIsDecorated(false);
  list->setUniformRowHeights(true);
  list->setAllColumnsShowFocus(true);
  list->setHeaderLabels(columns);
  return list;
}

QCheckBox* CheckBox(QWidget* parent, const char* name, const char* caption, const char* tip) {
  auto* box = new QCheckBox(QString::fromUtf8(caption), parent);
  box->setObjectName(QString::fromUtf8(name));
  // The tips are written with CR LF line breaks; a tool tip breaks its lines at LF.
  QString text = QString::fromUtf8(tip);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  box->setToolTip(text);
  return box;
}

}  // namespace

PrototypeConverterWindow::PrototypeConverterWindow(runtime::Desktop& desktop,
                                                   std::filesystem::path trawlexIni,
                                                   std::filesystem::path typeTableDirectory,
                                                   std::string editorName, QWidget* parent)
    : QDialog(parent),
      desktop_(desktop),
      trawlexIni_(std::move(trawlexIni)),
      typeTableDirectory_(std::move(typeTableDirectory)),
      editorName_(std::move(editorName)) {
  setObjectName("PrototypeConverter");
  setWindowTitle(QString::fromUtf8(kPrototypeConverterCaption));
  setSizeGripEnabled(true);

  // Accelerators: the buttons that share a letter stand on different tabs ("C&lear" on the
  // prototypes, "Copy to C&lip" on the Veldar code), so only one of them is live at a time.
  tabs_ = new QTabWidget(this);
  tabs_->setObjectName("tabs");
  tabs_->addTab(ProtosPage(), QStringLiteral("&Protos / Struct"));
  tabs_->addTab(OutputPage(), QStringLiteral(" &Veldar Code"));
  tabs_->addTab(WinTypesPage(), QStringLiteral("&Win Types"));
  tabs_->addTab(TypeTPage(), QStringLiteral(" _&T 32/64"));
  tabs_->addTab(ParseQueuePage(), QStringLiteral("Parse Q"));

  const utilities::ProtoOptions options = utilities::LoadProtoOptions(trawlexIni_);
  sal_->setChecked(options.sal);
  cvtT_->setChecked(options.cvtT);
  typeCvt_->setChecked(options.typeCvt);
  protos_->setPlainText(ToEditText(std::string(utilities::kPrototypeExample)));

  auto* buttons = new QHBoxLayout;
  QPushButton* doProto = PlainButton(this, "doCProto", "Do C &Proto");
  connect(doProto, &QPushButton::clicked, this, &PrototypeConverterWindow::PasteAndConvert);
  QPushButton* close = PlainButton(this, "close", "Close");
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  buttons->addWidget(doProto);
  buttons->addStretch(1);
  buttons->addWidget(close);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_, 1);
  layout->addLayout(buttons);

  ResizeForCode(*this, *output_, kDesignedColumns, kDesignedLines);
  CentreOver(*this, parent != nullptr ? &PlacedWindow(*parent) : nullptr);
  FitIntoSpace(*this);
  protos_->setFocus();
  LoadTypes();
}

QWidget* PrototypeConverterWindow::ProtosPage() {
  protosPage_ = new QWidget(this);
  protos_ = CodeTextBox(protosPage_, "protosText");

  QPushButton* convert = PlainButton(protosPage_, "convert", "&Convert to Protos");
  connect(convert, &QPushButton::clicked, this, &PrototypeConverterWindow::Convert);
  QPushButton* paste = PlainButton(protosPage_, "paste", "P&aste");
  connect(paste, &QPushButton::clicked, this, &PrototypeConverterWindow::PasteAndConvert);
  QPushButton* clear = PlainButton(protosPage_, "clear", "C&lear");
  connect(clear, &QPushButton::clicked, protos_, &QPlainTextEdit::clear);

  sal_ = CheckBox(protosPage_, "sal", "SAL",
                  "Parse SAL => Standard (Source) Annotation Language\r\n"
                  "Spot \"_opt\" and make <Omittable>");
  cvtT_ = CheckBox(protosPage_, "cvtT", "&Use _T 32/64 types",
                   "Convert prototypes to use _T types that will be flexible for 64-bit\r\n"
                   "Uncheck to convert to SIGNED / UNSIGNED types");
  typeCvt_ = CheckBox(protosPage_, "typeCvt", " Type C&vt",
                      "Convert Windows types to Veldar types through the Win Types table");

  auto* row = new QHBoxLayout;
  row->addWidget(convert);
  row->addWidget(paste);
  row->addWidget(clear);
  row->addStretch(1);
  row->addWidget(sal_);
  row->addWidget(cvtT_);
  row->addWidget(typeCvt_);
  auto* layout = new QVBoxLayout(protosPage_);
  layout->addWidget(protos_, 1);
  layout->addLayout(row);
  return protosPage_;
}

QWidget* PrototypeConverterWindow::OutputPage() {
  outputPage_ = new QWidget(this);
  output_ = CodeTextBox(outputPage_, "outputText");

  QPushButton* copy = PlainButton(outputPage_, "copyToClip", "Copy to C&lip");
  connect(copy, &QPushButton::clicked, this, &PrototypeConverterWindow::CopyOutput);
  QPushButton* smash = PlainButton(outputPage_, "smash", "S&mash");
  smash->setToolTip(QStringLiteral("Collapse runs of spaces in every line to one"));
  connect(smash, &QPushButton::clicked, this, [this] { ReworkOutput(utilities::SmashOutput); });
  QPushButton* remove = PlainButton(outputPage_, "removeComments", "Remo&ve !");
  remove->setToolTip(QStringLiteral("Remove the ! comments"));
  connect(remove, &QPushButton::clicked, this,
          [this] { ReworkOutput(utilities::RemoveOutputComments); });
  QPushButton* oneLine = PlainButton(outputPage_, "oneLine", "1 Line ~|");
  oneLine->setToolTip(
      QStringLiteral("Remove the comments, then join the lines continued with | into one"));
  connect(oneLine, &QPushButton::clicked, this,
          [this] { ReworkOutput(utilities::JoinContinuedOutput); });

  auto* row = new QHBoxLayout;
  row->addWidget(copy);
  row->addWidget(smash);
  row->addWidget(remove);
  row->addWidget(oneLine);
  row->addStretch(1);
  auto* layout = new QVBoxLayout(outputPage_);
  layout->addWidget(output_, 1);
  layout->addLayout(row);
  return outputPage_;
}

QWidget* PrototypeConverterWindow::WinTypesPage() {
  auto* page = new QWidget(this);
  winTypes_ = List(page, "winTypes",
                   {QStringLiteral("Win Type"), QStringLiteral("Vla Type"),
                    QStringLiteral("Description (Click2 to Copy)")});
  winTypes_->setToolTip(QStringLiteral(
      "Double-click a description to copy it, any other column to copy the Veldar type"));
  connect(winTypes_, &QTreeWidget::itemDoubleClicked, this,
          &PrototypeConverterWindow::CopyTypeCell);

  QPushButton* reload = PlainButton(page, "reload", "Reload");
  connect(reload, &QPushButton::clicked, this, &PrototypeConverterWindow::LoadTypes);
  QPushButton* edit = PlainButton(page, "editTypes", "Edit Types");
  connect(edit, &QPushButton::clicked, this, &PrototypeConverterWindow::EditTypes);

  auto* row = new QHBoxLayout;
  row->addWidget(reload);
  row->addWidget(edit);
  row->addStretch(1);
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(winTypes_, 1);
  layout->addLayout(row);
  return page;
}

QWidget* PrototypeConverterWindow::TypeTPage() {
  auto* page = new QWidget(this);
  typeTs_ = List(page, "typeTs", {QStringLiteral("_T 32/64  Type"), QStringLiteral("32-Bit Type")});
  auto* help = new QLabel(QString::fromUtf8(kTypeTHelp), page);
  help->setObjectName("typeTHelp");
  help->setTextFormat(Qt::PlainText);
  help->setWordWrap(true);

  QPushButton* copy = PlainButton(page, "copyTypeT", "C&opy _T");
  copy->setToolTip(QStringLiteral("Put the EQUATE lines of the _T types on the clipboard"));
  connect(copy, &QPushButton::clicked, this,
          [this] { desktop_.SetClipboardText(utilities::TypeTEquatesText(table_)); });

  auto* row = new QHBoxLayout;
  row->addWidget(copy);
  row->addStretch(1);
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(typeTs_, 1);
  layout->addWidget(help);
  layout->addLayout(row);
  return page;
}

QWidget* PrototypeConverterWindow::ParseQueuePage() {
  auto* page = new QWidget(this);
  parseQueue_ = new QListWidget(page);
  parseQueue_->setObjectName("parseQueue");
  parseQueue_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(parseQueue_, 1);
  return page;
}

utilities::ProtoOptions PrototypeConverterWindow::Options() const {
  utilities::ProtoOptions options;
  options.sal = sal_->isChecked();
  options.cvtT = cvtT_->isChecked();
  options.typeCvt = typeCvt_->isChecked();
  return options;
}

// A refused text (blank, or more than the converter holds) keeps the user on it to fix it.
void PrototypeConverterWindow::Convert() {
  const std::string text = FromEditText(protos_->toPlainText());
  if (text.find_first_not_of(" \t\r\n") == std::string::npos) {
    tabs_->setCurrentWidget(protosPage_);
    runtime::Tell(desktop_, "You must enter Prototypes on this tab first",
                  kPrototypeConverterCaption, runtime::Icon::Warning);
    protos_->setFocus();
    return;
  }
  const utilities::PrototypeConversion result =
      utilities::ConvertPrototypes(text, Options(), table_);
  if (!result.error.empty()) {
    tabs_->setCurrentWidget(protosPage_);
    runtime::Tell(desktop_, result.error, kPrototypeConverterCaption, runtime::Icon::Warning);
    protos_->setFocus();
    return;
  }
  output_->setPlainText(ToEditText(result.output));
  parseQueue_->clear();
  for (const std::string& line : result.parseQueue) parseQueue_->addItem(ToQString(line));
  tabs_->setCurrentWidget(outputPage_);
  output_->setFocus();
  if (result.hadConditionals && !conditionalsTold_) {
    conditionalsTold_ = true;
    runtime::Tell(desktop_, kConditionalsText, kConditionalsCaption, runtime::Icon::Warning);
  }
}

void PrototypeConverterWindow::PasteAndConvert() {
  protos_->setPlainText(ToEditText(desktop_.ClipboardText()));
  Convert();
}

void PrototypeConverterWindow::CopyOutput() {
  desktop_.SetClipboardText(FromEditText(output_->toPlainText()));
}

void PrototypeConverterWindow::ReworkOutput(std::string (*rework)(std::string_view)) {
  output_->setPlainText(ToEditText(rework(FromEditText(output_->toPlainText()))));
}

void PrototypeConverterWindow::LoadTypes() {
  utilities::TypeTableLoad load = utilities::LoadTypeTable(typeTableDirectory_);
  table_ = std::move(load.parse.table);
  ShowTypes();
  if (!load.error.empty()) {
    runtime::Tell(desktop_, load.error, kPrototypeConverterCaption, runtime::Icon::Warning);
  }
}

void PrototypeConverterWindow::ShowTypes() {
  winTypes_->clear();
  QList<QTreeWidgetItem*> rows;
  for (const utilities::WinTypeEntry& entry : table_.entries) {
    rows.append(new QTreeWidgetItem(
        {ToQString(entry.winType), ToQString(entry.vlaType), ToQString(entry.description)}));
  }
  winTypes_->addTopLevelItems(rows);
  winTypes_->resizeColumnToContents(0);
  winTypes_->resizeColumnToContents(1);

  typeTs_->clear();
  rows.clear();
  for (const utilities::TypeT& type : table_.tTypes) {
    rows.append(new QTreeWidgetItem({ToQString(type.typeT), ToQString(type.typeNot)}));
  }
  typeTs_->addTopLevelItems(rows);
  typeTs_->resizeColumnToContents(0);
}

void PrototypeConverterWindow::EditTypes() {
  results::EditFile(desktop_, editorName_, utilities::TypeTableFile(typeTableDirectory_).string(),
                    1);
}

// The description column gives its text; the others give the Veldar type, which is what a
// prototype written by hand needs.
void PrototypeConverterWindow::CopyTypeCell(QTreeWidgetItem* item, int column) {
  if (item == nullptr) return;
  const int from = column == kDescriptionColumn ? kDescriptionColumn : 1;
  desktop_.SetClipboardText(ToBytes(item->text(from)));
}

void PrototypeConverterWindow::done(int result) {
  if (!optionsSaved_) {
    optionsSaved_ = true;
    utilities::SaveProtoOptions(trawlexIni_, Options());
  }
  QDialog::done(result);
}

QWidget* OpenPrototypeConverter(QWidget* parent, runtime::Desktop& desktop,
                                const std::filesystem::path& trawlexIni,
                                const std::filesystem::path& typeTableDirectory,
                                std::string editorName) {
  auto* window = new PrototypeConverterWindow(desktop, trawlexIni, typeTableDirectory,
                                              std::move(editorName), parent);
  ShowInFront(*window);
  return window;
}

}  // namespace trawlex::ui
