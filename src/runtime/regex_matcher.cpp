// Matcher of compiled regular expressions.
//
// It gives exactly the yes/no answer (and the start position) of a full backtracking matcher,
// but runs without recursion and in time bounded by nodes x positions: backtracking points
// live on an explicit stack, and every (backtracking node, position) pair is tried at most
// once per subject. Revisiting a pair either closes a loop that consumed nothing or repeats
// work that already failed (a success would have ended the search), so it fails at once.

#include <algorithm>
#include <cstring>
#include <unordered_set>

#include "runtime/case_table.h"
#include "runtime/regex_program.h"

namespace trawlex::runtime {
namespace {

// Pairs already tried. A flat bit set while it stays small, a hash set beyond that, so that a
// huge pattern on a long subject cannot claim gigabytes.
class TriedPairs {
 public:
  void Reset(std::size_t choices, std::size_t positions) {
    positions_ = positions;
    const std::size_t bits = choices * positions;
    useBits_ = bits <= kMaxFlatBits;
    if (useBits_) {
      words_.assign((bits + 63) / 64, 0);
    } else {
      words_.clear();
      hashed_.clear();
    }
  }

  // Marks the pair; false when it was marked already.
  bool Mark(std::int32_t choice, std::size_t position) {
    const std::size_t key = static_cast<std::size_t>(choice) * positions_ + position;
    if (!useBits_) return hashed_.insert(key).second;
    std::uint64_t& word = words_[key / 64];
    const std::uint64_t bit = std::uint64_t{1} << (key % 64);
    if (word & bit) return false;
    word |= bit;
    return true;
  }

 private:
  static constexpr std::size_t kMaxFlatBits = std::size_t{1} << 26;
  std::size_t positions_ = 0;
  bool useBits_ = true;
  std::vector<std::uint64_t> words_;
  std::unordered_set<std::size_t> hashed_;
};

// A point to come back to: the alternative being tried, or a star/plus with the repeat count
// to try next.
struct Frame {
  std::uint32_t node;
  std::uint32_t position;
  std::int32_t count;  // star/plus only
};

// For each star or plus, a stretch of positions from which its successor has already been
// run (or cannot start, by the peek at the next literal). A star that backs off over such a
// stretch jumps across it, so `.*.*.*x` on a long subject costs linear, not quadratic, time.
struct TriedStretch {
  std::size_t low = 1;
  std::size_t high = 0;  // empty while low > high

  bool Holds(std::size_t at) const { return low <= at && at <= high; }
  void Add(std::size_t at) {
    if (low <= high && at + 1 >= low && at <= high + 1) {
      low = std::min(low, at);
      high = std::max(high, at);
    } else {
      low = high = at;
    }
  }
};

// Reused between calls on the same thread: searches call the matcher once per line.
struct Scratch {
  TriedPairs tried;
  std::vector<TriedStretch> stretches;
  std::vector<Frame> stack;
};

thread_local Scratch scratch;

class Matcher {
 public:
  Matcher(const RegexProgram& program, std::string_view subject)
      : code_(program.program), choices_(program.choiceIndex), noCase_(program.noCase),
        subject_(subject), tried_(scratch.tried), stretches_(scratch.stretches),
        stack_(scratch.stack) {
    tried_.Reset(static_cast<std::size_t>(program.choiceCount), subject.size() + 1);
    stretches_.assign(static_cast<std::size_t>(program.choiceCount), TriedStretch{});
  }

  bool Attempt(std::size_t start) {
    stack_.clear();
    std::size_t node = 0;
    std::size_t position = start;
    for (;;) {
      if (Run(node, position)) return true;
      if (!Backtrack(node, position)) return false;
    }
  }

  bool Same(unsigned char a, unsigned char b) const {
    return noCase_ ? SameLetterNoCase(a, b) : a == b;
  }

 private:
  unsigned char At(std::size_t position) const {
    return static_cast<unsigned char>(subject_[position]);
  }

  const char* Operand(std::size_t node) const {
    return reinterpret_cast<const char*>(&code_[NodeOperand(node)]);
  }

  bool InClass(std::size_t node, unsigned char c) const {
    return std::strchr(Operand(node), c) != nullptr;  // c is never NUL inside the subject
  }

  bool LiteralAt(std::size_t node, std::size_t position) const {
    const char* text = Operand(node);
    for (; *text; ++text, ++position) {
      if (position >= subject_.size()) return false;
      if (!Same(static_cast<unsigned char>(*text), At(position))) return false;
    }
    return true;
  }

  // How many characters from `position` on the single-character atom at `atom` accepts.
  std::size_t RepeatLength(std::size_t atom, std::size_t position) const {
    std::size_t end = position;
    const std::size_t size = subject_.size();
    switch (code_[atom]) {
      case NodeAny:
        return size - position;
      case NodeLiteral: {
        const unsigned char c = static_cast<unsigned char>(*Operand(atom));
        while (end < size && Same(c, At(end))) ++end;
        break;
      }
      case NodeAnyOf:
        while (end < size && InClass(atom, At(end))) ++end;
        break;
      case NodeAnyBut:
        while (end < size && !InClass(atom, At(end))) ++end;
        break;
      default:
        break;
    }
    return end - position;
  }

  // Runs nodes from `node` until the pattern's end (true) or a failure (false). Backtracking
  // points met on the way are pushed; a star or plus moves on with its greatest count.
  bool Run(std::size_t& node, std::size_t& position) {
    for (;;) {
      const unsigned char op = code_[node];
      auto next = NodeNext(code_, node);
      switch (op) {
        case NodeEnd:
          return true;
        case NodeLineStart:
          if (position != 0) return false;
          break;
        case NodeLineEnd:
          if (position != subject_.size()) return false;
          break;
        case NodeAny:
          if (position >= subject_.size()) return false;
          ++position;
          break;
        case NodeAnyOf:
        case NodeAnyBut:
          if (position >= subject_.size()) return false;
          if (InClass(node, At(position)) != (op == NodeAnyOf)) return false;
          ++position;
          break;
        case NodeLiteral:
          if (!LiteralAt(node, position)) return false;
          position += std::strlen(Operand(node));
          break;
        case NodeBranch:
          if (choices_[node] >= 0) {
            if (!tried_.Mark(choices_[node], position)) return false;
            stack_.push_back({static_cast<std::uint32_t>(node),
                              static_cast<std::uint32_t>(position), 0});
          }
          next = NodeOperand(node);
          break;
        case NodeStar:
        case NodePlus: {
          if (!tried_.Mark(choices_[node], position)) return false;
          const auto count = static_cast<std::int32_t>(RepeatLength(NodeOperand(node), position));
          stack_.push_back({static_cast<std::uint32_t>(node), static_cast<std::uint32_t>(position),
                            count});
          if (!NextRepeat(stack_.back(), node, position)) {
            stack_.pop_back();
            return false;
          }
          continue;
        }
        default:
          // NodeEmpty, NodeBack, NodeOpen + n and NodeClose + n consume nothing.
          break;
      }
      if (!next) return false;
      node = *next;
    }
  }

  // Moves a star or plus on to its next smaller count worth trying; false when none is left.
  bool NextRepeat(Frame& frame, std::size_t& node, std::size_t& position) {
    const std::int32_t minimum = code_[frame.node] == NodeStar ? 0 : 1;
    const auto next = NodeNext(code_, frame.node);
    if (!next) return false;
    // Peeking at the next literal's first character skips counts that cannot work.
    const bool peek = code_[*next] == NodeLiteral;
    const unsigned char wanted = peek ? static_cast<unsigned char>(*Operand(*next)) : 0;
    TriedStretch& stretch = stretches_[static_cast<std::size_t>(choices_[frame.node])];
    while (frame.count >= minimum) {
      const std::size_t at = frame.position + static_cast<std::size_t>(frame.count);
      if (stretch.Holds(at)) {
        frame.count = static_cast<std::int32_t>(stretch.low) -
                      static_cast<std::int32_t>(frame.position) - 1;
        continue;
      }
      --frame.count;
      stretch.Add(at);
      if (peek && (at >= subject_.size() || !Same(wanted, At(at)))) continue;
      node = *next;
      position = at;
      return true;
    }
    return false;
  }

  // Resumes at the most recent backtracking point that has something left to try.
  bool Backtrack(std::size_t& node, std::size_t& position) {
    while (!stack_.empty()) {
      Frame& frame = stack_.back();
      if (code_[frame.node] == NodeBranch) {
        const auto alternative = NodeNext(code_, frame.node);
        if (alternative && code_[*alternative] == NodeBranch) {
          frame.node = static_cast<std::uint32_t>(*alternative);
          node = NodeOperand(*alternative);
          position = frame.position;
          return true;
        }
      } else if (NextRepeat(frame, node, position)) {
        return true;
      }
      stack_.pop_back();
    }
    return false;
  }

  const std::vector<unsigned char>& code_;
  const std::vector<std::int32_t>& choices_;
  bool noCase_;
  std::string_view subject_;
  TriedPairs& tried_;
  std::vector<TriedStretch>& stretches_;
  std::vector<Frame>& stack_;
};

bool Contains(std::string_view subject, std::string_view literal, const Matcher& matcher) {
  if (literal.size() > subject.size()) return false;
  for (std::size_t at = 0; at + literal.size() <= subject.size(); ++at) {
    std::size_t i = 0;
    while (i < literal.size() && matcher.Same(static_cast<unsigned char>(literal[i]),
                                              static_cast<unsigned char>(subject[at + i]))) {
      ++i;
    }
    if (i == literal.size()) return true;
  }
  return false;
}

}  // namespace

std::optional<std::size_t> SearchRegex(const RegexProgram& program, std::string_view subject) {
  subject = subject.substr(0, std::min(subject.find('\0'), kMaxSubjectLength));
  Matcher matcher(program, subject);
  if (!program.mustHave.empty() && !Contains(subject, program.mustHave, matcher)) {
    return std::nullopt;
  }
  if (program.anchored) {
    if (matcher.Attempt(0)) return 0;
    return std::nullopt;
  }
  for (std::size_t start = 0; start <= subject.size(); ++start) {
    if (program.firstCharacter) {
      if (start == subject.size()) break;
      if (!matcher.Same(*program.firstCharacter, static_cast<unsigned char>(subject[start]))) {
        continue;
      }
    }
    if (matcher.Attempt(start)) return start;
  }
  return std::nullopt;
}

}  // namespace trawlex::runtime
