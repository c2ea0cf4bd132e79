#pragma once
// The "API Prototype / Struct Convertor" window: C function prototypes and structures pasted
// on its first tab become Veldar PROCEDURE prototypes and GROUP,TYPE declarations on the
// " &Veldar Code" tab, with Windows type names mapped through the user-editable type table.
// The window keeps no placement of its own: it opens centred over the window it was started
// from. Its SAL and Cvt_T check boxes are kept in Trawlex.INI, written back when it closes.

#include <QDialog>
#include <filesystem>
#include <string>

#include "runtime/desktop.h"
#include "utilities/prototype_options.h"
#include "utilities/type_table.h"

class QCheckBox;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace trawlex::ui {

inline constexpr const char* kPrototypeConverterCaption = "API Prototype / Struct Convertor";

class PrototypeConverterWindow final : public QDialog {
  Q_OBJECT

 public:
  // The type table is read from `typeTableDirectory` (the user's WinTypesUser.VLW when there,
  // else WinTypes.VLW); "Edit Types" opens it with the editor command `editorName`.
  PrototypeConverterWindow(runtime::Desktop& desktop, std::filesystem::path trawlexIni,
                           std::filesystem::path typeTableDirectory, std::string editorName,
                           QWidget* parent = nullptr);

  void done(int result) override;

 private:
  QWidget* ProtosPage();
  QWidget* OutputPage();
  QWidget* WinTypesPage();
  QWidget* TypeTPage();
  QWidget* ParseQueuePage();
  utilities::ProtoOptions Options() const;
  void Convert();
  void PasteAndConvert();
  void CopyOutput();
  void ReworkOutput(std::string (*rework)(std::string_view));
  void LoadTypes();
  void ShowTypes();
  void EditTypes();
  void CopyTypeCell(QTreeWidgetItem* item, int column);

  runtime::Desktop& desktop_;
  std::filesystem::path trawlexIni_;
  std::filesystem::path typeTableDirectory_;
  std::string editorName_;
  utilities::TypeTable table_;
  bool conditionalsTold_ = false;  // the #if message is shown once a window
  bool optionsSaved_ = false;

  QTabWidget* tabs_ = nullptr;
  QWidget* protosPage_ = nullptr;
  QPlainTextEdit* protos_ = nullptr;
  QCheckBox* sal_ = nullptr;
  QCheckBox* cvtT_ = nullptr;
  QCheckBox* typeCvt_ = nullptr;
  QWidget* outputPage_ = nullptr;
  QPlainTextEdit* output_ = nullptr;
  QTreeWidget* winTypes_ = nullptr;
  QTreeWidget* typeTs_ = nullptr;
  QListWidget* parseQueue_ = nullptr;
};

// Opens the converter over `parent` and returns at once; the window deletes itself when
// closed.
QWidget* OpenPrototypeConverter(QWidget* parent, runtime::Desktop& desktop,
                                const std::filesystem::path& trawlexIni,
                                const std::filesystem::path& typeTableDirectory,
                                std::string editorName);

}  // namespace trawlex::ui
