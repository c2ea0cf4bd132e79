#pragma once
// A plain recursive backtracking matcher over the compiled node program, written the
// straightforward way: the yardstick the production matcher must agree with on small inputs.
// Whether the rest of the pattern matches from a node at a position depends on nothing else,
// so each answer is remembered: full backtracking, without its exponential time on patterns
// like {a|a}{a|a}... (every loop consumes a character, so no answer waits on itself).

#include <algorithm>
#include <cstring>
#include <optional>
#include <string_view>
#include <vector>

#include "runtime/case_table.h"
#include "runtime/regex_program.h"

namespace trawlex::runtime::testing {

class ReferenceMatcher {
 public:
  ReferenceMatcher(const RegexProgram& program, std::string_view subject)
      : code_(program.program), noCase_(program.noCase), subject_(subject) {}

  std::optional<std::size_t> Search() const {
    if (!program_mustHave_ok()) return std::nullopt;
    for (std::size_t start = 0; start <= subject_.size(); ++start) {
      if (Run(0, start)) return start;
    }
    return std::nullopt;
  }

 private:
  bool program_mustHave_ok() const { return true; }  // the reference tries every position

  bool Same(unsigned char a, unsigned char b) const {
    return noCase_ ? SameLetterNoCase(a, b) : a == b;
  }
  const char* Operand(std::size_t node) const {
    return reinterpret_cast<const char*>(&code_[NodeOperand(node)]);
  }
  bool Accepts(std::size_t atom, std::size_t at) const {
    if (at >= subject_.size()) return false;
    const unsigned char c = static_cast<unsigned char>(subject_[at]);
    switch (code_[atom]) {
      case NodeAny: return true;
      case NodeLiteral: return Same(static_cast<unsigned char>(*Operand(atom)), c);
      case NodeAnyOf: return std::strchr(Operand(atom), c) != nullptr;
      case NodeAnyBut: return std::strchr(Operand(atom), c) == nullptr;
      default: return false;
    }
  }

  bool Run(std::size_t node, std::size_t at) const {
    if (memo_.empty()) memo_.assign(code_.size() * (subject_.size() + 2), -1);
    signed char& known = memo_[node * (subject_.size() + 2) + std::min(at, subject_.size() + 1)];
    if (known < 0) known = RunOnce(node, at) ? 1 : 0;
    return known == 1;
  }

  bool RunOnce(std::size_t node, std::size_t at) const {
    for (;;) {
      const unsigned char op = code_[node];
      auto next = NodeNext(code_, node);
      switch (op) {
        case NodeEnd: return true;
        case NodeLineStart: if (at != 0) return false; break;
        case NodeLineEnd: if (at != subject_.size()) return false; break;
        case NodeAny: case NodeAnyOf: case NodeAnyBut:
          if (!Accepts(node, at)) return false;
          ++at;
          break;
        case NodeLiteral:
          for (const char* s = Operand(node); *s; ++s, ++at) {
            if (at >= subject_.size() ||
                !Same(static_cast<unsigned char>(*s), static_cast<unsigned char>(subject_[at])))
              return false;
          }
          break;
        case NodeBranch:
          if (!next || code_[*next] != NodeBranch) {
            next = NodeOperand(node);
            break;
          }
          for (std::optional<std::size_t> b = node; b && code_[*b] == NodeBranch;
               b = NodeNext(code_, *b)) {
            if (Run(NodeOperand(*b), at)) return true;
          }
          return false;
        case NodeStar: case NodePlus: {
          std::size_t count = 0;
          while (Accepts(NodeOperand(node), at + count)) ++count;
          const std::size_t minimum = op == NodeStar ? 0 : 1;
          for (std::size_t n = count + 1; n-- > minimum;) {
            if (next && Run(*next, at + n)) return true;
          }
          return false;
        }
        default: break;
      }
      if (!next) return false;
      node = *next;
    }
  }

  const std::vector<unsigned char>& code_;
  bool noCase_;
  std::string_view subject_;
  mutable std::vector<signed char> memo_;  // per (node, position): -1 unknown, else the answer
};

}  // namespace trawlex::runtime::testing
