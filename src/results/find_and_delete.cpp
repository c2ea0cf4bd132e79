#include "results/find_and_delete.h"

#include <string_view>

#include "runtime/case_table.h"
#include "runtime/fixed_text.h"

namespace trawlex::results {
namespace {

// What goes between two sources: a line end no find text holds, with the blanks that word
// mode wants on both sides of a source and trailing mode after it.
std::string_view Separator(const FindSwitches& sw) {
  if (sw.word) return " \r\n ";
  if (sw.trailing) return " \r\n";
  return "\r\n";
}

std::string_view WithoutLeadingBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

void AppendSmashed(std::string& block, std::string_view text) {
  for (char c : text) {
    if (c != ' ') block += c;
  }
}

void AppendClipped(std::string& block, std::string_view source) {
  block.append(source.substr(0, runtime::Len(source)));
}

}  // namespace

// The block is not cut to a fixed size: with every source ticked a line's text, location,
// file and subdirectory run past 255 characters, and a cut block would hide the later
// sources, so "does not contain" would delete lines that do contain the text.
std::string FindAndDeleteBlock(const FindAndDeleteRecord& record, const engine::ResultLine& line) {
  const FindSwitches& sw = record.find.sw;
  const std::string_view separator = Separator(sw);
  std::string block;
  block.reserve(line.text.size() + 192);
  if (record.inText) {
    block += separator;
    const std::string_view text = WithoutLeadingBlanks(line.text);
    if (sw.smash) {
      AppendSmashed(block, text);
    } else {
      AppendClipped(block, text);
    }
  }
  for (const auto& [ticked, source] : {std::pair{record.inLocation, line.location.view()},
                                       std::pair{record.inFile, line.file.view()},
                                       std::pair{record.inSubdir, line.subdir.view()}}) {
    if (!ticked) continue;
    block += separator;
    AppendClipped(block, source);
  }
  // The first source needs no separator in front, only word mode's blank.
  block.erase(0, separator.size() - (sw.word ? 1 : 0));
  if (sw.word || sw.trailing) block += ' ';
  if (!sw.caseSensitive) {
    for (char& c : block) c = static_cast<char>(runtime::ToUpper(static_cast<unsigned char>(c)));
  }
  return block;
}

bool FindAndDeleteSelects(const FindAndDeleteRecord& record, const engine::ResultLine& line) {
  const bool found = FindOccursIn(record.find, FindAndDeleteBlock(record, line));
  return found == record.contains;
}

}  // namespace trawlex::results
