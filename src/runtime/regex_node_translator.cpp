// Translating the node program into automaton states.
//
// Every node becomes a few states: a literal run of k characters k byte steps, a character
// test one byte step over a 256-bit set, a star or plus a byte step and a split that loops
// back to it, a branch chain a chain of two-way splits, ^ and $ assertions, and the end node
// the match state. Groups, empty alternatives and loop-back nodes consume nothing and are
// dissolved: links through them go straight to what follows. Nothing here recurses, so even
// the largest program cannot exhaust the stack.

#include "runtime/regex_node_translator.h"

#include <algorithm>
#include <cstring>

#include "runtime/case_table.h"

namespace trawlex::runtime {
namespace {

using Kind = RegexNfa::Kind;
using State = RegexNfa::State;
using ByteSet = RegexNfa::ByteSet;
constexpr std::uint32_t kNone = RegexNfa::kNone;

void AddByte(ByteSet& set, unsigned char c) {
  set[c >> 6] |= std::uint64_t{1} << (c & 63);
}

// For each byte, the bytes a no-case literal of it accepts: those the case table upper-cases
// to the same value.
const std::array<ByteSet, 256>& FoldSets() {
  static const std::array<ByteSet, 256> sets = [] {
    std::array<ByteSet, 256> out{};
    for (unsigned c = 0; c < 256; ++c) {
      for (unsigned b = 0; b < 256; ++b) {
        if (SameLetterNoCase(static_cast<unsigned char>(b), static_cast<unsigned char>(c))) {
          AddByte(out[c], static_cast<unsigned char>(b));
        }
      }
    }
    return out;
  }();
  return sets;
}

// Translates the node program into states, one node after the other in program order.
// Nodes that consume nothing and choose nothing (empty alternatives, loop-backs, group open
// and close, a branch without a further alternative) get no state: a link to one goes
// straight on to the first node after it that has states.
class NodeTranslator {
 public:
  explicit NodeTranslator(const RegexProgram& program)
      : code_(program.program), noCase_(program.noCase), entry_(code_.size(), kNone) {}

  TranslatedProgram Translate() {
    std::size_t count = 0;
    ForEachNode([&](std::size_t node, bool ownsStates) {
      if (ownsStates) {
        entry_[node] = static_cast<std::uint32_t>(count);
        count += StatesFor(node);
      } else {
        entry_[node] = kUnresolved;
      }
    });
    draft_.states.resize(count);
    ForEachNode([&](std::size_t node, bool ownsStates) {
      if (ownsStates) Fill(node);
    });
    draft_.start = EntryOf(0);
    return std::move(draft_);
  }

 private:
  // entry_ values of forwarding nodes while their destination is not known yet.
  static constexpr std::uint32_t kUnresolved = kNone - 2;
  static constexpr std::uint32_t kResolving = kNone - 1;

  const char* Operand(std::size_t node) const {
    return reinterpret_cast<const char*>(&code_[NodeOperand(node)]);
  }

  // Length of a literal or class operand, never reading past the program.
  std::size_t OperandLength(std::size_t node) const {
    const std::size_t at = NodeOperand(node);
    if (at >= code_.size()) return 0;
    const void* nul = std::memchr(&code_[at], 0, code_.size() - at);
    if (!nul) return code_.size() - at;
    return static_cast<std::size_t>(static_cast<const unsigned char*>(nul) - &code_[at]);
  }

  bool HasOperandText(std::size_t node) const {
    const unsigned char op = code_[node];
    return op == NodeLiteral || op == NodeAnyOf || op == NodeAnyBut;
  }

  // The next node in the byte string; branch, star and plus operands follow their header.
  std::size_t NextInSequence(std::size_t node) const {
    std::size_t size = kNodeHeaderBytes;
    if (HasOperandText(node)) size += OperandLength(node) + 1;
    return node + size;
  }

  bool IsBranch(std::optional<std::size_t> node) const {
    return node && *node < code_.size() && code_[*node] == NodeBranch;
  }

  // Whether entering the node only leads on to one other node.
  bool Forwards(std::size_t node) const {
    switch (code_[node]) {
      case NodeEnd:
      case NodeLineStart:
      case NodeLineEnd:
      case NodeAny:
      case NodeAnyOf:
      case NodeAnyBut:
      case NodeStar:
      case NodePlus:
        return false;
      case NodeLiteral:
        return OperandLength(node) == 0;
      case NodeBranch:
        return !IsBranch(NodeNext(code_, node));
      default:
        return true;  // empty, loop-back, group open and close
    }
  }

  // Visits the nodes in program order, telling which get states of their own. A star's or
  // plus's operand does not: the star's own states test it.
  template <typename Visit>
  void ForEachNode(Visit visit) const {
    bool starOperand = false;
    for (std::size_t node = 0; node < code_.size(); node = NextInSequence(node)) {
      if (starOperand) {
        starOperand = false;
        continue;
      }
      starOperand = code_[node] == NodeStar || code_[node] == NodePlus;
      visit(node, !Forwards(node));
    }
  }

  std::optional<std::size_t> ForwardTarget(std::size_t node) const {
    if (node + kNodeHeaderBytes > code_.size()) return std::nullopt;
    return code_[node] == NodeBranch ? NodeOperand(node) : NodeNext(code_, node);
  }

  // The first state reached on entering the node. Chains of forwarding nodes are walked once
  // and remembered; a chain that loops (which no program the compiler accepts has) leads
  // nowhere.
  std::uint32_t EntryOf(std::optional<std::size_t> node) {
    path_.clear();
    std::uint32_t found = kNone;
    while (node && *node < entry_.size()) {
      const std::uint32_t entry = entry_[*node];
      if (entry != kUnresolved) {
        found = entry == kResolving ? kNone : entry;
        break;
      }
      entry_[*node] = kResolving;
      path_.push_back(*node);
      node = ForwardTarget(*node);
    }
    for (std::size_t n : path_) entry_[n] = found;
    return found;
  }

  std::uint32_t Successor(std::size_t node) {
    if (node + kNodeHeaderBytes > code_.size()) return kNone;
    return EntryOf(NodeNext(code_, node));
  }

  std::size_t StatesFor(std::size_t node) const {
    switch (code_[node]) {
      case NodeLiteral:
        return std::max<std::size_t>(1, OperandLength(node));
      case NodeStar:
      case NodePlus:
        return 2;
      default:
        return 1;
    }
  }

  std::uint32_t EntryOf(std::optional<std::size_t> node) const {
    return node && *node < entry_.size() ? entry_[*node] : kNone;
  }

  std::uint32_t Successor(std::size_t node) const {
    if (node + kNodeHeaderBytes > code_.size()) return kNone;
    return EntryOf(NodeNext(code_, node));
  }

  ByteSet CharacterSet(unsigned char c) const {
    if (noCase_) return FoldSets()[c];
    ByteSet set{};
    AddByte(set, c);
    return set;
  }

  // The bytes a one-character atom accepts; a literal atom tests its first character.
  ByteSet AtomSet(std::size_t atom) const {
    ByteSet set{};
    if (atom + kNodeHeaderBytes > code_.size()) return set;
    const std::size_t length = OperandLength(atom);
    const auto* text = reinterpret_cast<const unsigned char*>(Operand(atom));
    switch (code_[atom]) {
      case NodeAny:
        set.fill(~std::uint64_t{0});
        break;
      case NodeLiteral:
        if (length > 0) set = CharacterSet(text[0]);
        break;
      case NodeAnyOf:
      case NodeAnyBut:
        for (std::size_t i = 0; i < length; ++i) AddByte(set, text[i]);
        if (code_[atom] == NodeAnyBut) {
          for (auto& word : set) word = ~word;
        }
        break;
      default:
        break;
    }
    return set;
  }

  static State ByteStep(const ByteSet& set, std::uint32_t out) {
    return {Kind::Byte, out, kNone, set};
  }

  void Fill(std::size_t node) {
    const std::uint32_t entry = entry_[node];
    const std::uint32_t next = Successor(node);
    State* states = &draft_.states[entry];
    switch (code_[node]) {
      case NodeEnd:
        states[0] = {Kind::Match};
        break;
      case NodeLineStart:
        states[0] = {Kind::LineStart, next};
        break;
      case NodeLineEnd:
        states[0] = {Kind::LineEnd, next};
        break;
      case NodeAny:
      case NodeAnyOf:
      case NodeAnyBut:
        states[0] = ByteStep(AtomSet(node), next);
        break;
      case NodeLiteral: {
        const std::size_t length = OperandLength(node);
        const auto* text = reinterpret_cast<const unsigned char*>(Operand(node));
        for (std::size_t i = 0; i < length; ++i) {
          const auto at = entry + static_cast<std::uint32_t>(i);
          states[i] = ByteStep(CharacterSet(text[i]), i + 1 < length ? at + 1 : next);
        }
        break;
      }
      case NodeBranch: {
        // Entering a branch tries its own alternative and every later one of its chain.
        states[0] = {Kind::Split, EntryOf(NodeOperand(node)), next};
        break;
      }
      case NodeStar:
        states[0] = {Kind::Split, entry + 1, next};
        states[1] = ByteStep(AtomSet(NodeOperand(node)), entry);
        break;
      case NodePlus:
        states[0] = ByteStep(AtomSet(NodeOperand(node)), entry + 1);
        states[1] = {Kind::Split, entry, next};
        break;
      default:
        break;
    }
  }

  const std::vector<unsigned char>& code_;
  bool noCase_;
  std::vector<std::uint32_t> entry_;  // node offset -> its first state
  std::vector<std::size_t> path_;
  TranslatedProgram draft_;
};

}  // namespace

TranslatedProgram TranslateNodeProgram(const RegexProgram& program) {
  return NodeTranslator(program).Translate();
}

}  // namespace trawlex::runtime
