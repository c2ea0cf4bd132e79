#pragma once
// The compiled form of a regular expression: a byte string of nodes plus what the compiler
// learnt about every possible match (its first character, whether it is anchored, and a
// literal that every match must contain).
//
// Node layout: one byte operation code, two bytes successor offset (high byte first), then
// the operand if any. Offset 0 means no successor. The successor lies at node + offset, except
// for NodeBack, whose successor lies at node - offset (the only backward link). A literal and
// the two class nodes carry a NUL-terminated character string; NodeBranch, NodeStar and
// NodePlus carry a node sequence that starts right after their three header bytes.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace trawlex::runtime {

enum RegexOp : unsigned char {
  NodeEnd = 0,        // end of the whole pattern
  NodeLineStart = 1,  // ^
  NodeLineEnd = 2,    // $
  NodeAny = 3,        // .
  NodeAnyOf = 4,      // [...]
  NodeAnyBut = 5,     // [^...] and [~...]
  NodeBranch = 6,     // one alternative
  NodeBack = 7,       // loop back inside a repeated complex atom
  NodeLiteral = 8,    // a run of ordinary characters, or one escaped character
  NodeEmpty = 9,      // an empty alternative
  NodeStar = 10,      // * on a single-character atom
  NodePlus = 11,      // + on a single-character atom
  NodeOpen = 20,      // + n: start of group n (1..9)
  NodeClose = 30,     // + n: end of group n
};

inline constexpr std::size_t kMaxProgramBytes = 61440;
inline constexpr int kMaxGroups = 9;
// The matcher never looks further into a subject than this.
inline constexpr std::size_t kMaxSubjectLength = 65535;
inline constexpr std::size_t kNodeHeaderBytes = 3;

struct RegexProgram {
  std::vector<unsigned char> program;
  std::optional<unsigned char> firstCharacter;  // every match begins with it
  bool anchored = false;                        // every match begins at the subject's start
  std::string mustHave;                         // every match contains it; empty: none
  int groupCount = 1;                           // groups opened while compiling, plus one
  bool noCase = false;
};

// Compiles a pattern; nullopt when it breaks a rule of the dialect. The pattern ends at its
// first NUL.
std::optional<RegexProgram> CompileRegex(std::string_view pattern, bool noCase);

// Where the first match in the subject starts, or nullopt. The subject ends at its first NUL
// and is never read beyond kMaxSubjectLength characters. Time grows linearly with the
// subject (times the program's size) for every program; regex_automaton.h has the pieces
// for callers that apply their own subject rules.
std::optional<std::size_t> SearchRegex(const RegexProgram& program, std::string_view subject);

// Node access helpers, shared by the compiler, the matcher and tests.
inline unsigned char NodeOp(const std::vector<unsigned char>& code, std::size_t node) {
  return code[node];
}
inline unsigned NodeOffset(const std::vector<unsigned char>& code, std::size_t node) {
  return (static_cast<unsigned>(code[node + 1]) << 8) | code[node + 2];
}
// The successor of a node, or nullopt when it has none.
inline std::optional<std::size_t> NodeNext(const std::vector<unsigned char>& code,
                                           std::size_t node) {
  const unsigned offset = NodeOffset(code, node);
  if (offset == 0) return std::nullopt;
  return code[node] == NodeBack ? node - offset : node + offset;
}
inline std::size_t NodeOperand(std::size_t node) { return node + kNodeHeaderBytes; }

}  // namespace trawlex::runtime
