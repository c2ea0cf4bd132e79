#include "results/line_copy_texts.h"

#include <string_view>

#include "results/file_name_parts.h"

namespace trawlex::results {
namespace {

std::string TrimBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

}  // namespace

LineCopyRequest LineCopyRequestFor(const engine::ResultLine& line) {
  return {line.path.str(), line.location.str(), line.text};
}

LineCopyTexts MakeLineCopyTexts(const LineCopyRequest& request) {
  LineCopyTexts texts;
  FileNameParts parts = SplitFullName(request.fullFileName);
  texts.text = TrimBlanks(request.text);
  // A field's trailing blanks never count; the location keeps any leading ones.
  texts.location = request.location.substr(0, request.location.find_last_not_of(' ') + 1);
  texts.directory = std::move(parts.directory);
  texts.name = std::move(parts.name);
  texts.fullName = request.fullFileName;
  texts.path = DirectoryWithoutSlash(texts.directory);
  for (const std::string* line :
       {&texts.text, &texts.location, &texts.directory, &texts.name, &texts.fullName}) {
    texts.boxText += *line + " \r\n";
  }
  return texts;
}

}  // namespace trawlex::results
