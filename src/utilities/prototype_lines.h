#pragma once
// The rules that turn one line of a C prototype or structure into Veldar: the first line of a
// prototype, a parameter line, the closing line, and a structure member. The state that spans
// lines (inside a prototype, its return type and name) is the caller's ProtoWork.

#include <optional>
#include <string>
#include <string_view>

#include "utilities/prototype_options.h"
#include "utilities/type_table.h"

namespace trawlex::utilities {

// Columns of the declaration layout (the text starts just after the column).
inline constexpr std::size_t kParamLabelColumn = 20;
inline constexpr std::size_t kParamSeparatorColumn = 46;
inline constexpr std::size_t kCommentColumn = 64;
inline constexpr std::size_t kMemberTypeColumn = 26;

struct ProtoWork {
  bool inProto = false;
  std::string protoRetType;  // converted; blank for VOID or none
  std::string protoLabel;    // the function name
};

// Splits off a "//" or "/*" comment: returns the code before it (blanks trimmed) and puts the
// comment, marker included, in `comment`.
std::string SplitComment(std::string_view line, std::string& comment);

// The words that decorate a declaration without belonging to its return type (WINAPI,
// APIENTRY, __STDCALL...) removed, as whole words in any case.
std::string DropBadWords(std::string_view line);

// A first line of a prototype: not a directive, its '(' at position 5 or later, and a name
// of at least two characters before it ("int f(" is not taken).
bool IsPrototypeFirstLine(std::string_view line);

// "Name    PROCEDURE( |"; enters the prototype and sets its return type and name.
std::string ConvertFirstLine(std::string_view line, ProtoWork& work, const ProtoOptions& options,
                             const TypeTable& table);
// One parameter, laid out in columns and indented four places.
std::string ConvertParameterLine(std::string_view line, const ProtoOptions& options,
                                 const TypeTable& table);
// "    ),PASCAL,DLL(1),RAW,ret ?,name('NameA')"; leaves the prototype.
std::string ConvertClosingLine(std::string_view line, ProtoWork& work);
// A structure member "TYPE name;" as a declaration.
std::string ConvertMemberLine(std::string_view line, const ProtoOptions& options,
                              const TypeTable& table);

// The external name: "A" appended for the ANSI entry point, unless the name already ends in
// "A" or "W" after a lower-case letter (it names one of the two entry points itself).
std::string ExternalName(std::string_view name);

}  // namespace trawlex::utilities
