// Compiler of the regular-expression dialect into the node program of regex_program.h.
//
// Grammar: pattern = branch { '|' branch }; branch = { piece }; piece = atom [ '*' | '+' | '?' ];
// atom = '^' | '$' | '.' | '[' class ']' | '{' pattern '}' | '\' char | literal run.
// Groups are written with curly braces; a class is negated with '^' or '~'; there are no
// escape classes. The program is built in one pass into a buffer of at most 61440 bytes.

#include <cstring>

#include "runtime/regex_program.h"

namespace trawlex::runtime {
namespace {

// Compile-time flags of atoms, pieces and branches.
constexpr int kWidth = 1;          // always consumes at least one character
constexpr int kSingle = 2;         // matches exactly one character
constexpr int kLeadingRepeat = 4;  // begins with a * or ? piece

constexpr std::string_view kMeta = "^$.[{}|?+*\\";

bool IsQuantifier(char c) { return c == '*' || c == '+' || c == '?'; }

class RegexCompiler {
 public:
  RegexCompiler(std::string_view pattern, bool noCase) : pattern_(pattern) {
    result_.noCase = noCase;
    code_.reserve(64);
  }

  std::optional<RegexProgram> Compile() {
    int flags = 0;
    if (!Alternatives(false, &flags)) return std::nullopt;
    code_.shrink_to_fit();
    result_.program = std::move(code_);
    result_.groupCount = groupCount_;
    Analyse(flags);
    return std::move(result_);
  }

 private:
  char Peek() const { return at_ < pattern_.size() ? pattern_[at_] : '\0'; }
  bool AtEnd() const { return at_ >= pattern_.size(); }

  // --- emitting -------------------------------------------------------------------------

  bool Fits(std::size_t extra) {
    if (code_.size() + extra > kMaxProgramBytes) overflow_ = true;
    return !overflow_;
  }

  std::size_t EmitNode(unsigned char op) {
    const std::size_t at = code_.size();
    if (Fits(kNodeHeaderBytes)) code_.insert(code_.end(), {op, 0, 0});
    return at;
  }

  void EmitByte(unsigned char c) {
    if (Fits(1)) code_.push_back(c);
  }

  // Inserts a node header in front of the operand that starts at `at` (which must be the last
  // thing emitted), so the operand becomes the new node's operand.
  void InsertNode(unsigned char op, std::size_t at) {
    if (!Fits(kNodeHeaderBytes)) return;
    code_.insert(code_.begin() + static_cast<std::ptrdiff_t>(at), {op, 0, 0});
  }

  // Sets the successor of the last node in the chain that starts at `chain`.
  void Tail(std::size_t chain, std::size_t target) {
    if (overflow_) return;
    std::size_t last = chain;
    while (auto next = NodeNext(code_, last)) last = *next;
    const std::size_t offset = code_[last] == NodeBack ? last - target : target - last;
    code_[last + 1] = static_cast<unsigned char>((offset >> 8) & 0xFF);
    code_[last + 2] = static_cast<unsigned char>(offset & 0xFF);
  }

  // Tail on the operand of a branch node; nothing for any other node.
  void OperandTail(std::size_t node, std::size_t target) {
    if (overflow_ || code_[node] != NodeBranch) return;
    Tail(NodeOperand(node), target);
  }

  // --- parsing --------------------------------------------------------------------------

  // The whole pattern (inGroup false) or the inside of a group up to its closing brace.
  bool Alternatives(bool inGroup, int* flags) {
    *flags = kWidth;
    std::size_t first = 0;
    int group = 0;
    bool haveFirst = false;
    if (inGroup) {
      if (groupCount_ > kMaxGroups) return false;  // a tenth group
      group = groupCount_++;
      first = EmitNode(static_cast<unsigned char>(NodeOpen + group));
      haveFirst = true;
    }
    for (bool more = true; more;) {
      int branchFlags = 0;
      const std::size_t branch = Branch(&branchFlags);
      if (failed_) return false;
      if (haveFirst) {
        Tail(first, branch);
      } else {
        first = branch;
        haveFirst = true;
      }
      if (!(branchFlags & kWidth)) *flags &= ~kWidth;
      *flags |= branchFlags & kLeadingRepeat;
      more = Peek() == '|' && !AtEnd();
      if (more) ++at_;
    }
    const std::size_t ender =
        EmitNode(static_cast<unsigned char>(inGroup ? NodeClose + group : NodeEnd));
    Tail(first, ender);
    // Every alternative's last node leads to the closing node.
    for (std::optional<std::size_t> b = first; b && !overflow_; b = NodeNext(code_, *b)) {
      OperandTail(*b, ender);
    }
    if (overflow_) return false;
    if (inGroup) {
      if (AtEnd() || Peek() != '}') return false;  // a '{' without its '}'
      ++at_;
    } else if (!AtEnd()) {
      return false;  // a '}' without its '{'
    }
    return true;
  }

  std::size_t Branch(int* flags) {
    *flags = 0;
    const std::size_t branch = EmitNode(NodeBranch);
    std::optional<std::size_t> chain;
    while (!AtEnd() && Peek() != '|' && Peek() != '}') {
      int pieceFlags = 0;
      const std::size_t piece = Piece(&pieceFlags);
      if (failed_) return branch;
      *flags |= pieceFlags & kWidth;
      if (!chain) {
        *flags |= pieceFlags & kLeadingRepeat;
      } else {
        Tail(*chain, piece);
      }
      chain = piece;
    }
    if (!chain) EmitNode(NodeEmpty);
    return branch;
  }

  std::size_t Piece(int* flags) {
    int atomFlags = 0;
    const std::size_t atom = Atom(&atomFlags);
    if (failed_) return atom;
    const char op = Peek();
    if (AtEnd() || !IsQuantifier(op)) {
      *flags = atomFlags;
      return atom;
    }
    if (!(atomFlags & kWidth) && op != '?') return Fail(atom);  // repeating what can be empty
    *flags = op == '+' ? kWidth : kLeadingRepeat;

    if (op == '*' && (atomFlags & kSingle)) {
      InsertNode(NodeStar, atom);
    } else if (op == '*') {
      // x* becomes a choice: x followed by a loop back to the choice, or nothing.
      InsertNode(NodeBranch, atom);
      OperandTail(atom, EmitNode(NodeBack));
      OperandTail(atom, atom);
      Tail(atom, EmitNode(NodeBranch));
      Tail(atom, EmitNode(NodeEmpty));
    } else if (op == '+' && (atomFlags & kSingle)) {
      InsertNode(NodePlus, atom);
    } else if (op == '+') {
      // x+ becomes x followed by a choice: loop back to x, or nothing.
      const std::size_t loop = EmitNode(NodeBranch);
      Tail(atom, loop);
      Tail(EmitNode(NodeBack), atom);
      Tail(loop, EmitNode(NodeBranch));
      Tail(atom, EmitNode(NodeEmpty));
    } else {
      // x? becomes a choice: x, or nothing.
      InsertNode(NodeBranch, atom);
      Tail(atom, EmitNode(NodeBranch));
      const std::size_t empty = EmitNode(NodeEmpty);
      Tail(atom, empty);
      OperandTail(atom, empty);
    }
    ++at_;
    if (!AtEnd() && IsQuantifier(Peek())) return Fail(atom);  // a doubled quantifier
    return atom;
  }

  std::size_t Atom(int* flags) {
    *flags = 0;
    const char c = pattern_[at_++];
    switch (c) {
      case '^':
        return EmitNode(NodeLineStart);
      case '$':
        return EmitNode(NodeLineEnd);
      case '.':
        *flags = kWidth | kSingle;
        return EmitNode(NodeAny);
      case '[':
        *flags = kWidth | kSingle;
        return CharacterClass();
      case '{': {
        const std::size_t at = code_.size();
        int groupFlags = 0;
        if (!Alternatives(true, &groupFlags)) return Fail(at);
        *flags = groupFlags & (kWidth | kLeadingRepeat);
        return at;
      }
      case '*':
      case '+':
      case '?':
        return Fail(code_.size());  // a quantifier with nothing before it
      case '\\': {
        if (AtEnd()) return Fail(code_.size());  // a trailing backslash
        *flags = kWidth | kSingle;
        const std::size_t node = EmitNode(NodeLiteral);
        EmitByte(static_cast<unsigned char>(pattern_[at_++]));
        EmitByte('\0');
        return node;
      }
      default:
        --at_;
        return LiteralRun(flags);
    }
  }

  std::size_t LiteralRun(int* flags) {
    std::size_t length = 0;
    while (at_ + length < pattern_.size() &&
           kMeta.find(pattern_[at_ + length]) == std::string_view::npos) {
      ++length;
    }
    // A quantifier after a longer run applies to its last character alone.
    const std::size_t end = at_ + length;
    if (length > 1 && end < pattern_.size() && IsQuantifier(pattern_[end])) --length;
    *flags = kWidth | (length == 1 ? kSingle : 0);
    const std::size_t node = EmitNode(NodeLiteral);
    for (std::size_t i = 0; i < length; ++i) EmitByte(static_cast<unsigned char>(pattern_[at_++]));
    EmitByte('\0');
    return node;
  }

  std::size_t CharacterClass() {
    const bool negated = Peek() == '^' || Peek() == '~';
    const std::size_t node = EmitNode(negated ? NodeAnyBut : NodeAnyOf);
    if (negated) ++at_;
    if (!AtEnd() && (Peek() == ']' || Peek() == '-')) EmitByte(static_cast<unsigned char>(pattern_[at_++]));
    while (!AtEnd() && Peek() != ']') {
      if (Peek() != '-') {
        EmitByte(static_cast<unsigned char>(pattern_[at_++]));
        continue;
      }
      ++at_;
      if (AtEnd() || Peek() == ']') {
        EmitByte('-');  // a dash just before ']' or at the end is a member
        continue;
      }
      // x-y: x is already a member; add the rest of the range by unsigned byte value.
      const int from = static_cast<unsigned char>(pattern_[at_ - 2]) + 1;
      const int to = static_cast<unsigned char>(pattern_[at_]);
      if (from > to + 1) return Fail(node);  // a reverse range
      for (int ch = from; ch <= to; ++ch) EmitByte(static_cast<unsigned char>(ch));
      ++at_;
    }
    EmitByte('\0');
    if (AtEnd()) return Fail(node);  // no closing ']'
    ++at_;
    return node;
  }

  std::size_t Fail(std::size_t at) {
    failed_ = true;
    return at;
  }

  // --- analysis -------------------------------------------------------------------------

  void Analyse(int flags) {
    const auto& code = result_.program;
    // Only a single top-level alternative tells where matches begin.
    const auto afterFirst = NodeNext(code, 0);
    if (!afterFirst || code[*afterFirst] != NodeEnd) return;
    const std::size_t first = NodeOperand(0);
    if (code[first] == NodeLiteral) {
      result_.firstCharacter = code[NodeOperand(first)];
    } else if (code[first] == NodeLineStart) {
      result_.anchored = true;
    }
    if (!(flags & kLeadingRepeat)) return;
    // The longest literal on the alternative's own chain of pieces; the later wins a tie.
    std::size_t longest = 0;
    std::optional<std::size_t> best;
    for (std::optional<std::size_t> n = first; n; n = NodeNext(code, *n)) {
      if (code[*n] != NodeLiteral) continue;
      const char* text = reinterpret_cast<const char*>(&code[NodeOperand(*n)]);
      const std::size_t length = std::strlen(text);
      if (length >= longest) {
        longest = length;
        best = *n;
      }
    }
    if (best) result_.mustHave.assign(reinterpret_cast<const char*>(&code[NodeOperand(*best)]));
  }

  std::string_view pattern_;
  std::size_t at_ = 0;
  std::vector<unsigned char> code_;
  int groupCount_ = 1;
  bool failed_ = false;
  bool overflow_ = false;
  RegexProgram result_;
};

}  // namespace

std::optional<RegexProgram> CompileRegex(std::string_view pattern, bool noCase) {
  const std::size_t nul = pattern.find('\0');
  if (nul != std::string_view::npos) pattern = pattern.substr(0, nul);
  return RegexCompiler(pattern, noCase).Compile();
}

}  // namespace trawlex::runtime
