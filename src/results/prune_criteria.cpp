#include "results/prune_criteria.h"

#include <algorithm>
#include <initializer_list>
#include <memory>
#include <string>

#include "runtime/case_table.h"
#include "runtime/fixed_text.h"
#include "runtime/folded_search.h"

namespace trawlex::results {
namespace {

constexpr std::size_t kExtensionTail = 5;

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() &&
         runtime::EqualNoCase(text.substr(0, prefix.size()), prefix);
}

std::string_view Clipped(std::string_view text) {
  return text.substr(0, runtime::Len(text));
}

std::string_view WithoutLeadingBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

bool OneOf(std::string_view value, std::initializer_list<std::string_view> set) {
  for (std::string_view item : set) {
    if (value == item) return true;
  }
  return false;
}

bool StartsWithAny(std::string_view text, std::initializer_list<std::string_view> marks) {
  for (std::string_view mark : marks) {
    if (StartsWith(text, mark)) return true;
  }
  return false;
}

// The location padded to its field width begins with `left`: a left part taken from a
// location without an inner blank ends in the padding's first blank.
bool LocationBeginsWith(std::string_view location, std::string_view left) {
  for (std::size_t i = 0; i < left.size(); ++i) {
    const char c = i < location.size() ? location[i] : ' ';
    if (!runtime::SameLetterNoCase(static_cast<unsigned char>(c),
                                   static_cast<unsigned char>(left[i]))) {
      return false;
    }
  }
  return true;
}

// "name.*" names the file itself as well: a name without a dot has an empty extension.
LineTest FileStarTest(const DeleteMenuValues& values) {
  std::string stem = values.filePattern.substr(0, values.filePattern.size() - 1);  // "name."
  const bool dotless = values.file.find('.') == std::string::npos;
  return [stem = std::move(stem), file = values.file, dotless](const engine::ResultLine& line) {
    const std::string_view name = Clipped(line.file.view());
    return StartsWithNoCase(name, stem) || (dotless && runtime::EqualNoCase(name, file));
  };
}

// The selected file's own extension, by the rule every line is judged by, so that the
// selected line always matches; a file without one matches no line.
LineTest ExtensionTest(const DeleteMenuValues& values) {
  std::string extension(LineExtension(values.file));
  return [extension = std::move(extension)](const engine::ResultLine& line) {
    return !extension.empty() && runtime::EqualNoCase(LineExtension(line.file.view()), extension);
  };
}

// A case-ignoring search for `needle` in the field `field` picks from a line.
template <typename Field>
LineTest ContainsTest(std::string_view needle, Field field) {
  auto finder = std::make_shared<const runtime::FoldedFinder>(runtime::UpperText(needle), true);
  return [finder, field](const engine::ResultLine& line) {
    return finder->Find(field(line)) != std::string_view::npos;
  };
}

std::string_view TextOf(const engine::ResultLine& line) {
  return line.text;
}
std::string_view LocationOf(const engine::ResultLine& line) {
  return line.location.view();
}

LineTest FileNameTest(DeleteChoice choice, const DeleteMenuValues& values) {
  switch (choice) {
    case DeleteChoice::FileExt:
      return [file = values.file](const engine::ResultLine& line) {
        return Clipped(line.file.view()) == file;
      };
    case DeleteChoice::FileStar:
      return FileStarTest(values);
    case DeleteChoice::StarExt:
      return ExtensionTest(values);
    case DeleteChoice::AppFiles:
      return [prefix = values.appPrefix](const engine::ResultLine& line) {
        return !prefix.empty() && StartsWithNoCase(line.file.view(), prefix);
      };
    default:
      return [](const engine::ResultLine& line) { return IsRiFile(line.file.view()); };
  }
}

LineTest LocationTest(DeleteChoice choice, const DeleteMenuValues& values) {
  switch (choice) {
    case DeleteChoice::LocationEquals:
      return [location = values.location](const engine::ResultLine& line) {
        return runtime::EqualNoCase(Clipped(line.location.view()), location);
      };
    case DeleteChoice::LocationLeft:
      return [left = values.locationLeft](const engine::ResultLine& line) {
        return LocationBeginsWith(line.location.view(), left);
      };
    default:
      return ContainsTest(values.locationRest, LocationOf);
  }
}

}  // namespace

std::string_view LineExtension(std::string_view file) {
  file = Clipped(file);
  const std::string_view tail = file.substr(file.size() - std::min(file.size(), kExtensionTail));
  const std::size_t dot = tail.find('.');
  return dot == std::string_view::npos ? std::string_view() : tail.substr(dot + 1, 3);
}

bool IsCommentLine(const engine::ResultLine& line) {
  const std::string_view text = WithoutLeadingBlanks(line.text);
  const std::string extension = runtime::LowerText(LineExtension(line.file.view()));
  if (OneOf(extension, {"frm", "bas", "cls", "vb"})) return StartsWith(text, "'");
  if (extension == "asp") return StartsWithAny(text, {"'", "/*", "//"});
  if (OneOf(extension, {"php", "c", "cpp", "h"})) return StartsWithAny(text, {"/*", "//"});
  if (StartsWith(extension, "tp")) return StartsWithAny(text, {"!", "#!", "#?!"});
  return StartsWith(text, "!");
}

bool IsLabelLine(const engine::ResultLine& line) {
  return !line.text.empty() && static_cast<unsigned char>(line.text.front()) > ' ';
}

bool IsRiFile(std::string_view file) {
  const std::size_t at = file.find(".vlw");
  if (at == std::string_view::npos || at < 3) return false;
  const std::string ending = runtime::LowerText(file.substr(at - 3, 7));
  return OneOf(ending, {"_rd.vlw", "_ru.vlw", "_sf.vlw", "bc0.vlw", "bc1.vlw", "bc2.vlw"});
}

LineTest DeleteCriterion(DeleteChoice choice, const engine::ResultLine& selected,
                         const FindAndDeleteRecord& findAndDelete) {
  const DeleteMenuValues values = DeriveDeleteMenuValues(selected);
  switch (choice) {
    case DeleteChoice::CommentLines:
      return IsCommentLine;
    case DeleteChoice::LabelLines:
      return IsLabelLine;
    case DeleteChoice::FileExt:
    case DeleteChoice::FileStar:
    case DeleteChoice::StarExt:
    case DeleteChoice::AppFiles:
    case DeleteChoice::RiFiles:
      return FileNameTest(choice, values);
    case DeleteChoice::Subdirectory:
      return [number = selected.subdirNum](const engine::ResultLine& line) {
        return line.subdirNum == number;
      };
    case DeleteChoice::LocationEquals:
    case DeleteChoice::LocationLeft:
    case DeleteChoice::LocationContains:
      return LocationTest(choice, values);
    case DeleteChoice::TextEquals:
      return [text = std::string(Clipped(selected.text))](const engine::ResultLine& line) {
        return runtime::EqualNoCase(Clipped(line.text), text);
      };
    case DeleteChoice::TextContains: {
      const std::string_view text = WithoutLeadingBlanks(selected.text);
      return ContainsTest(Clipped(text), TextOf);
    }
    case DeleteChoice::FindAndDelete:
      return [record = findAndDelete](const engine::ResultLine& line) {
        return FindAndDeleteSelects(record, line);
      };
    default:
      return {};
  }
}

}  // namespace trawlex::results
