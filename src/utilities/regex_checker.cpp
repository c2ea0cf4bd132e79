#include "utilities/regex_checker.h"

#include <algorithm>

#include "runtime/fixed_text.h"

namespace trawlex::utilities {
namespace {

using runtime::Fit;
using runtime::Len;

constexpr const char* kUnbalancedSet =
    "You have an unbalanced Character Set. |Sets start and end with Square Braces []. ||If you "
    "want to search for a Square Brace, |prefix it with a backslash, e.g. \\[ or \\].";
constexpr const char* kUnbalancedGroup =
    "You have an unbalanced group. Groups |start and end with Curly Braces {}. ||If you want to "
    "search for a Curly Brace, |prefix it with a backslash, e.g. \\{ or \\}.";
constexpr const char* kCaretWithWord =
    "You used the Caret \"^\" to start the match at the start of the line. You have also "
    "checked the Word option. This will not work, I will uncheck Word.";
constexpr const char* kDollarWithTrailing =
    "You used the Dollar \"$\" to match at the end of the line. You have also checked the "
    "Trailing option. This will not work, I will uncheck Trailing.";
constexpr const char* kRepeatAtAnEnd =
    "Starting or Ending a Regular Expression with \".*\" or \".?\" is meaning less and will "
    "require more time to process. Please remove it.";
constexpr const char* kMetaAtStart =
    "Starting a Regular Expression with a ? * + $ or Pipe is not allowed. These are special "
    "meta characters and must be prefixed with a \\ to use them as normal characters. Please "
    "remove it.";
constexpr const char* kMetaAtEnd =
    "Ending a Regular Expression with a ^ or Pipe is not allowed. These are special meta "
    "characters and must be prefixed with a \\ to use them as normal characters. Please remove "
    "it.";

bool IsOneOf(char c, std::string_view set) {
  return set.find(c) != std::string_view::npos;
}

// Where the character set opened at `open` ends: the index of its closing ']' before `limit`,
// or npos. The character right after '[' is always a member, so "[]a]" is the set of ']' and
// 'a'; after "[^" a ']' is a member too. A '\' inside a set is an ordinary member.
std::size_t SetClose(std::string_view text, std::size_t open, std::size_t limit) {
  std::size_t at = open + 1;
  if (at >= limit) return std::string_view::npos;
  const bool negated = text[at] == '^';
  ++at;
  if (negated && at < limit && text[at] == ']') ++at;
  while (at < limit && text[at] != ']') ++at;
  return at < limit ? at : std::string_view::npos;
}

// Sets and groups must be closed, and a '}' must close an open group. Escaped characters and
// set members take no part.
const char* BalanceProblem(std::string_view p) {
  int level = 0;
  for (std::size_t i = 0; i < p.size(); ++i) {
    switch (p[i]) {
      case '\\':
        ++i;
        break;
      case '[': {
        const std::size_t close = SetClose(p, i, p.size());
        if (close == std::string_view::npos) return kUnbalancedSet;
        i = close;
        break;
      }
      case '{':
        ++level;
        break;
      case '}':
        if (level == 0) return kUnbalancedGroup;
        --level;
        break;
      default:
        break;
    }
  }
  return level > 0 ? kUnbalancedGroup : nullptr;
}

// A one-character atom repeated zero or more times (or optionally) at either end of the
// pattern changes nothing about which lines match and only costs time. An escaped character,
// a set or a group at the end is left alone.
bool RepeatsAtAnEnd(std::string_view p) {
  const std::size_t n = p.size();
  const bool atStart = n >= 2 && p[0] != '\\' && IsOneOf(p[1], "*?");
  const bool atEnd = n > 3 && !IsOneOf(p[n - 2], "\\]}") && IsOneOf(p[n - 1], "*?");
  return atStart || atEnd;
}

}  // namespace

std::optional<RegexProblemReport> RegexProblem(std::string_view pattern, bool wordSet,
                                               bool trailingSet) {
  const std::string_view p = pattern.substr(0, Len(pattern));
  const std::size_t n = p.size();
  if (n == 0) return std::nullopt;
  if (const char* balance = BalanceProblem(p)) return RegexProblemReport{balance};
  if (wordSet && p[0] == '^') return RegexProblemReport{kCaretWithWord, SwitchToClear::Word};
  // Only an end-of-line anchor clashes with Trailing: an escaped "\$" is a literal dollar that
  // a blank may well follow.
  const bool endAnchor = p[n - 1] == '$' && !(n >= 2 && p[n - 2] == '\\');
  if (trailingSet && endAnchor) {
    return RegexProblemReport{kDollarWithTrailing, SwitchToClear::Trailing};
  }
  if (RepeatsAtAnEnd(p)) return RegexProblemReport{kRepeatAtAnEnd};
  if (IsOneOf(p[0], "*?+|$")) return RegexProblemReport{kMetaAtStart};
  if (n > 2 && p[n - 2] != '\\' && IsOneOf(p[n - 1], "|^")) return RegexProblemReport{kMetaAtEnd};
  return std::nullopt;
}

int ValidateRegex(std::string_view pattern, std::uint8_t* word, std::uint8_t* trailing,
                  runtime::Desktop& desktop) {
  const auto problem =
      RegexProblem(pattern, word != nullptr && *word != 0, trailing != nullptr && *trailing != 0);
  if (!problem) return 0;
  runtime::Message message;
  message.text = problem->text;
  message.caption = kRegexCheckerCaption;
  message.icon = runtime::Icon::Warning;
  message.standard = runtime::Buttons::Ok;
  desktop.ShowMessage(message);
  if (problem->clears == SwitchToClear::Word) *word = 0;
  if (problem->clears == SwitchToClear::Trailing) *trailing = 0;
  return 1;
}

namespace {

const char* Occurs(char quantifier) {
  switch (quantifier) {
    case '*':
      return " <Occurs 0 or More Times>";
    case '?':
      return " <Occurs 0 or 1 Time>";
    default:
      return " <Occurs 1 or More Times>";
  }
}

const char* AboveOccurs(char quantifier) {
  switch (quantifier) {
    case '*':
      return "<Above Occurs 0 or More Times>";
    case '?':
      return "<Above Occurs 0 or 1 Time>";
    default:
      return "<Above Occurs 1 or More Times>";
  }
}

constexpr std::string_view kQuantifiers = "*?+";
// The characters that a '\' turns into literals worth a row of their own.
constexpr std::string_view kEscapable = ".*+?\\[]}{|$^";
// Inside braces, any of these (unescaped) makes the group worth explaining row by row.
constexpr std::string_view kGroupStructure = "{|[.*+?\\";

// One walk over the pattern. Literal characters gather in a pending element until something
// else needs a row; every other element gets a row of its own at the current group level.
class Explainer {
 public:
  explicit Explainer(std::string text) : text_(std::move(text)), end_(text_.size()) {}

  std::vector<ParseRow> Run() {
    std::size_t at = 0;
    if (text_[0] == '^') {
      Row("^", "<Match at Beginning of Line>");
      at = 1;
    }
    // A final '$' anchors the whole pattern: it is explained last, after everything else.
    const bool endAnchor = end_ >= 2 && text_[end_ - 1] == '$' && text_[end_ - 2] != '\\';
    if (endAnchor) --end_;
    while (at < end_) at = Step(at);
    Write();
    if (endAnchor) Row("$", "<Match at End of Line>");
    return std::move(rows_);
  }

 private:
  // Explains the element starting at `at`; returns where the next one starts.
  std::size_t Step(std::size_t at) {
    const char c = text_[at];
    switch (c) {
      case '}':
        if (level_ == 0) return Ignored(at);
        Write();
        --level_;
        Row("}", "} <End Group>");
        return at + 1;
      case '\\':
        return Escape(at);
      case '.':
        return AnyCharacter(at);
      case '|':
        Row("|", "<-or->");
        return at + 1;
      case '*':
      case '?':
      case '+':
        Quantifier(c);
        return at + 1;
      case '[':
        return Set(at);
      case '{':
        return Group(at);
      case ']':
      case '$':
      case '^':
        return Ignored(at);
      default:
        return Literal(at);
    }
  }

  // The character after `at` within the walk, or 0 at its end.
  char Next(std::size_t at) const { return at + 1 < end_ ? text_[at + 1] : '\0'; }
  bool NextIsQuantifier(std::size_t at) const {
    return at + 1 < end_ && IsOneOf(text_[at + 1], kQuantifiers);
  }

  std::size_t Escape(std::size_t at) {
    if (at + 1 < end_ && IsOneOf(Next(at), kEscapable)) {
      Row(text_.substr(at, 2), std::string(1, Next(at)));
      return at + 2;
    }
    Row("\\", "<Ignored \\ w/o meta after>");
    return at + 1;
  }

  std::size_t AnyCharacter(std::size_t at) {
    Write();
    element_ = ".";
    description_ = "<Any Character>";
    if (NextIsQuantifier(at)) {
      element_ += Next(at);
      description_ += Occurs(Next(at));
      ++at;
    }
    Write();
    return at + 1;
  }

  // A quantifier binds to a pending single character; after anything else it is a row that
  // refers to the row above.
  void Quantifier(char q) {
    if (element_.size() == 1) {
      description_ = element_ + Occurs(q);
      element_ += q;
      Write();
    } else {
      Row(std::string(1, q), AboveOccurs(q));
    }
  }

  std::size_t Set(std::size_t at) {
    const std::size_t close = SetClose(text_, at, end_);
    if (close == std::string::npos) {
      Row(text_.substr(at, end_ - at), "Error Unbalanced []");
      return end_;
    }
    const bool negated = text_[at + 1] == '^';
    const std::size_t members = at + (negated ? 2 : 1);
    Row(text_.substr(at, close + 1 - at),
        (negated ? "<A Character but NOT> " : "<1 of the Characters> ") +
            text_.substr(members, close - members));
    return close + 1;
  }

  // A group of plain characters is one row described by its text; a group holding structure
  // (another group, alternatives, sets, wildcards, quantifiers or escapes) is opened and its
  // content explained row by row one level deeper, up to its '}'.
  std::size_t Group(std::size_t at) {
    const std::size_t close = text_.find('}', at + 1);
    if (close == std::string::npos || close >= end_ || HoldsStructure(at + 1, close)) {
      Row("{", "{ <Begin Group>");
      ++level_;
      return at + 1;
    }
    Row(text_.substr(at, close + 1 - at), text_.substr(at + 1, close - at - 1));
    return close + 1;
  }

  bool HoldsStructure(std::size_t from, std::size_t to) const {
    for (std::size_t i = from; i < to; ++i) {
      if (IsOneOf(text_[i], kGroupStructure) && text_[i - 1] != '\\') return true;
    }
    return false;
  }

  std::size_t Ignored(std::size_t at) {
    Row(std::string(1, text_[at]), "<Ignored, Meta's require a \\ before them>");
    return at + 1;
  }

  // Ordinary characters form a run; a character with a quantifier after it stands alone, as
  // the matcher binds the quantifier to that one character.
  std::size_t Literal(std::size_t at) {
    if (NextIsQuantifier(at)) Write();
    element_ += text_[at];
    return at + 1;
  }

  void Row(std::string element, std::string description) {
    Write();
    element_ = std::move(element);
    description_ = std::move(description);
    Write();
  }

  void Write() {
    if (element_.empty()) return;
    ParseRow row;
    row.in = Fit(std::string(2 * level_, ' ') + element_, kParseInWidth);
    row.desc = Fit(std::string(3 * level_, ' ') + (description_.empty() ? element_ : description_),
                   kParseDescWidth);
    row.inLen = static_cast<int>(row.in.size());
    row.indent = level_;
    rows_.push_back(std::move(row));
    element_.clear();
    description_.clear();
  }

  std::string text_;
  std::size_t end_;
  int level_ = 0;
  std::string element_;
  std::string description_;
  std::vector<ParseRow> rows_;
};

}  // namespace

std::vector<ParseRow> ExplainRegex(std::string_view pattern, bool valid) {
  if (Len(pattern) == 0) return {};
  if (!valid) {
    const std::string error = "Error";
    return {ParseRow{error, "Regular Expression is Invalid", static_cast<int>(error.size()), 0}};
  }
  std::string text = Fit(pattern, kExplainedLength);
  if (text.empty()) return {};
  std::replace(text.begin(), text.end(), ' ', kShownBlank);
  return Explainer(std::move(text)).Run();
}

}  // namespace trawlex::utilities
