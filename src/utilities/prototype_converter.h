#pragma once
// The model behind the "API Prototype / Struct Convertor" window: C function prototypes and
// structures, as found in the Windows headers and reference pages, become Veldar PROCEDURE
// prototypes and GROUP,TYPE declarations. Text in, text out: the window only shows the result.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "utilities/prototype_options.h"
#include "utilities/type_table.h"

namespace trawlex::utilities {

inline constexpr std::size_t kPrototypeTextLimit = 12000;
inline constexpr std::size_t kPrototypeOutputLimit = 20000;

// The prototype text at opening: a declaration of RegQueryValueEx, one annotated parameter a
// line, so that converting right away shows what the tool does.
extern const std::string_view kPrototypeExample;

struct PrototypeConversion {
  std::string output;                   // the Veldar code, each line followed by CR LF
  std::vector<std::string> parseQueue;  // the lines as split and re-formed for conversion
  bool hadConditionals = false;         // #if/#elif/#else lines were met (kept as comments)
  std::string error;                    // set when the text was refused; output is then blank
};

// Converts the whole text. A text over 12000 characters, or one whose Veldar code would exceed
// 20000, is refused with `error` rather than cut in the middle of a line.
PrototypeConversion ConvertPrototypes(std::string_view text, const ProtoOptions& options,
                                      const TypeTable& table);

// The lines of `lines` re-formed so that every parameter of a prototype stands on a line of its
// own and its closing ')' starts a line, as the line rules expect: "f(int a, int b);" becomes
// "f(", "int a,", "int b", ");". Lines inside braces (structures) stay as they are.
std::vector<std::string> ReformPrototypeLines(const std::vector<std::string>& lines);

// "S&mash": runs of blanks in every line collapsed to one.
std::string SmashOutput(std::string_view output);
// "Remo&ve !": each line's '!' comment removed (outside quotes), trailing blanks dropped.
std::string RemoveOutputComments(std::string_view output);
// "1 Line ~|": comments removed, then each line ending in the continuation mark '|' joined
// with the line after it.
std::string JoinContinuedOutput(std::string_view output);

}  // namespace trawlex::utilities
