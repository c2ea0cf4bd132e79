#include "results/edit_several_files.h"

#include <vector>

#include "results/editor_command.h"
#include "results/file_name_parts.h"

namespace trawlex::results {
namespace {

constexpr std::string_view kRelatedFixedFilters =
    "All Files|*.*|.VL?|*.VL?|.IN?|*.IN?|.TRN|*.TRN|Template|*.TPW;*.TPL;*.TPX;*.TPD;*.MDL|"
    "Project|*.PR;*.PRJ|Compile|*.MAP;*.EXP;*.SHP;*.LNK|TXA/D|*.TXA;*.TXD;*.TXR|Bat|*.BAT|"
    "Text|*.TXT";

}  // namespace

int EditAllFiles(runtime::Desktop& desktop, std::string_view editorName,
                 const engine::ResultsQueue& results) {
  int started = 0;
  // Runs are told apart by the file's real path: two files whose names differ only in case
  // share one display name in the same directory.
  std::string_view runPath;
  bool first = true;
  for (const engine::ResultLine& line : results) {
    if (!first && line.path.view() == runPath) continue;
    first = false;
    runPath = line.path.view();
    if (!EditFile(desktop, editorName, line.path.str(), line.lineNo)) break;
    ++started;
  }
  return started;
}

runtime::FileDialogRequest RelatedFileRequest(const std::string& fullFileName) {
  const FileNameParts parts = SplitFullName(fullFileName);
  runtime::FileDialogRequest request;
  request.title = "Select Files to Edit";
  request.directory = DirectoryWithoutSlash(parts.directory);
  const std::size_t dot = parts.name.rfind('.');
  if (dot != std::string::npos && dot > 0) {
    const std::string stem = parts.name.substr(0, dot + 1) + "*";  // orders.*
    const std::string kind = "*" + parts.name.substr(dot);         // *.vlw
    request.fileName = stem;
    request.filter = stem + "|" + stem + "|" + kind + "|" + kind + "|";
  }
  request.filter += kRelatedFixedFilters;
  return request;
}

int EditRelatedFile(runtime::Desktop& desktop, std::string_view editorName,
                    const std::string& fullFileName) {
  int started = 0;
  for (const std::string& file : desktop.ChooseFiles(RelatedFileRequest(fullFileName))) {
    if (!EditFile(desktop, editorName, file, 1)) break;
    ++started;
  }
  return started;
}

}  // namespace trawlex::results
