#include "engine/line_stage.h"

#include <algorithm>

#include "engine/prepare_search.h"
#include "runtime/case_table.h"
#include "runtime/fixed_text.h"

namespace trawlex::engine {
namespace {

constexpr std::size_t kLeadWidth = 20;

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

bool IsCodeLineKind(FileKind kind) {
  return kind == FileKind::C || kind == FileKind::Asp || kind == FileKind::Php ||
         kind == FileKind::Vb || kind == FileKind::VbNet;
}

bool IsLabelHandlerKind(FileKind kind) {
  return kind == FileKind::Template || kind == FileKind::TextExport || kind == FileKind::Style;
}

}  // namespace

// The current line with the copies the stage and the trackers read. One instance is reused
// for every line of a file, so its buffers are allocated once.
struct LineStage::CurrentLine final : LineContext {
  // Views of the reader's line: valid until the reader moves on, which a peek at the next
  // line does; PeekNextLine copies the line first.
  mutable std::string_view original;
  mutable std::string_view text;  // the line as the stage holds it: the original until a
  std::string edited;             // label mode blanks part of it, then this copy
  mutable std::string held;       // the original, once a peek made the line's view stale
  std::size_t lineLen = 0;
  bool label = false;
  std::string labelRest;
  mutable std::string upper;
  mutable bool upperReady = false;
  mutable std::string lead;
  mutable bool leadReady = false;
  const std::function<std::string()>* peek = nullptr;

  void Reset(std::string_view read) {
    original = read;
    text = read;
    lineLen = runtime::Len(text);
    label = !text.empty() && text[0] != ' ';
    labelRest.clear();
    upperReady = false;
    leadReady = false;
  }

  // Blanks 1-based characters from..to of the line (and so of its upper-cased copy).
  void Blank(std::size_t from, std::size_t to) {
    if (text.data() != edited.data()) {
      edited.assign(text);
      text = edited;
    }
    const std::size_t begin = from - 1;
    const std::size_t end = std::min(edited.size(), to);
    if (begin < end) std::fill(edited.begin() + static_cast<std::ptrdiff_t>(begin),
                               edited.begin() + static_cast<std::ptrdiff_t>(end), ' ');
    upperReady = false;
    leadReady = false;
  }

  std::string_view Line() const override { return text; }
  std::size_t LineLen() const override { return lineLen; }
  std::string_view Upper() const override {
    if (!upperReady) {
      upper.resize(text.size());
      const auto& table = runtime::Cases().upper;
      for (std::size_t i = 0; i < text.size(); ++i) {
        upper[i] = static_cast<char>(table[static_cast<unsigned char>(text[i])]);
      }
      upperReady = true;
    }
    return upper;
  }
  std::string_view Lead() const override {
    if (!leadReady) {
      std::size_t first = 0;
      while (first < text.size() && text[first] == ' ') ++first;
      std::size_t end = std::min(text.size(), first + kLeadWidth);
      while (end > first && text[end - 1] == ' ') --end;
      lead.resize(end - first);
      const auto& table = runtime::Cases().upper;
      for (std::size_t i = first; i < end; ++i) {
        lead[i - first] = static_cast<char>(table[static_cast<unsigned char>(text[i])]);
      }
      leadReady = true;
    }
    return lead;
  }
  bool IsLabelLine() const override { return label; }
  std::string PeekNextLine() const override {
    if (!peek) return std::string();
    if (original.data() != held.data()) {
      const bool textIsOriginal = text.data() == original.data();
      held.assign(original);
      original = held;
      if (textIsOriginal) text = held;
    }
    return (*peek)();
  }
};

LineStage::LineStage(const SearchPlan& plan, LocationTrackers& trackers, FileKind kind)
    : plan_(plan),
      trackers_(trackers),
      kind_(kind),
      line_(std::make_unique<CurrentLine>()),
      matcher_(plan.linePattern) {
  state_.Clear(kind);
}

LineStage::~LineStage() = default;

bool LineStage::OnLine(const StageLine& input, const std::function<std::string()>& peekNext,
                       const std::function<bool(const ReportedLine&)>& report) {
  CurrentLine& line = *line_;
  ++lineNo_;
  line.Reset(input.text);
  line.peek = &peekNext;

  trackers_.Structure(line, state_);
  if (line.label &&
      ((kind_ == FileKind::Veldar && state_.inMap == 0 && state_.inClass == 0) ||
       IsLabelHandlerKind(kind_))) {
    trackers_.LabelLine(kind_, line, state_);
  }
  if (!ApplyLabelMode(line)) return true;  // passed over
  if (IsCodeLineKind(kind_)) trackers_.CodeLine(kind_, line, state_);

  if (!input.mayHit) return true;
  const std::size_t hit = Match(line);
  if (hit == 0) return true;
  if (plan_.request.sw.codeOnly && InComment(line, hit)) return true;
  if (plan_.work.label != 0 && !PassesLabelFilter(line)) return true;

  if (!report(ReportedLine{lineNo_, input.rawBegin + 1, line.original, &state_})) return false;
  return !plan_.request.sw.first;
}

// Label modes: only the label, only the rest, or not the line at all. False: pass it over.
bool LineStage::ApplyLabelMode(CurrentLine& line) {
  const int label = plan_.work.label;
  const int labelLine = plan_.work.labelLine;
  if (label == 0) return true;
  if (!line.label) return labelLine == 2 || labelLine == 3;
  const std::string_view head = line.text.substr(0, static_cast<std::size_t>(line.lineLen));
  const std::size_t blank = head.find(' ');
  if (blank == std::string_view::npos) {
    if (labelLine == 3) return false;
    if (labelLine == 2) line.Blank(1, line.text.size());
    return true;
  }
  const std::size_t p = blank + 1;
  const std::string_view rest = line.Upper().substr(blank, line.lineLen - blank);
  const std::size_t restStart = rest.find_first_not_of(' ');
  line.labelRest = restStart == std::string_view::npos ? std::string() : std::string(rest.substr(restStart));
  switch (labelLine) {
    case 0:
      line.Blank(p, line.lineLen);
      line.lineLen = p - 1;
      return true;
    case 2:
      line.Blank(1, p);
      return true;
    case 3:
      return false;
    default:
      return true;
  }
}

std::size_t LineStage::Match(CurrentLine& line) {
  return plan_.work.find2Execute == FindMode::Substring ? MatchSubstring(line) : MatchPattern(line);
}

namespace {

// Whether `text` followed by blanks (as a blank-padded field reads past its end) begins with
// `prefix`.
bool PaddedStartsWith(std::string_view text, std::string_view prefix) {
  const std::size_t shared = std::min(text.size(), prefix.size());
  return text.substr(0, shared) == prefix.substr(0, shared) &&
         prefix.find_first_not_of(' ', shared) == std::string_view::npos;
}

}  // namespace

std::size_t LineStage::MatchSubstring(CurrentLine& line) {
  const std::string& searched = plan_.searched;
  if (searched.empty()) return 0;
  std::string_view subject =
      (plan_.caseSensitive ? line.text : line.Upper()).substr(0, line.lineLen);
  if (plan_.request.sw.smash) {
    subject_ = Smash(subject);
    subject = subject_;
    line.lineLen = subject.size();
  }
  std::size_t hit = matcher_.Find(subject);
  // The end of the line counts as a blank: the text may end with that blank.
  if (hit == 0 && plan_.endCountsAsBlank && searched.back() == ' ') {
    const std::string_view head = std::string_view(searched).substr(0, searched.size() - 1);
    if (subject.ends_with(head)) hit = subject.size() - head.size() + 1;
  }
  // A whole word at the very start of the line: the start counts as a blank.
  if (plan_.request.sw.word && !subject.empty() && subject[0] != ' ' &&
      PaddedStartsWith(subject, std::string_view(searched).substr(1))) {
    hit = 1;
  }
  return hit;
}

std::size_t LineStage::MatchPattern(CurrentLine& line) {
  std::size_t length = line.lineLen;
  if (plan_.work.find2Execute == FindMode::PatternNoComment) {
    length = CutAtComment(line.text, length);
  }
  const std::string_view source =
      (plan_.caseSensitive ? line.text : line.Upper()).substr(0, length);
  std::string& subject = subject_;
  if (plan_.work.left) {
    const std::size_t first = source.find_first_not_of(' ');
    subject.assign(first == std::string_view::npos ? std::string_view() : source.substr(first));
  } else {
    subject.assign(1, ' ');
    subject.append(source);
  }
  if (!plan_.endCountsAsBlank) return matcher_.Matches(subject, true);
  // The end of the line counts as a blank: one blank is appended and kept.
  while (!subject.empty() && subject.back() == ' ') subject.pop_back();
  subject += ' ';
  return matcher_.Matches(subject, false);
}

bool LineStage::InComment(const CurrentLine& line, std::size_t hitPosition) const {
  return HitInComment(kind_, line.text, hitPosition);
}

bool LineStage::PassesLabelFilter(const CurrentLine& line) const {
  return LabelFilterKeeps(plan_.work.label, line.labelRest, state_);
}

bool HitInComment(FileKind kind, std::string_view line, std::size_t hitPosition) {
  char quote = 0;
  char comment = 0;
  if (kind == FileKind::Veldar || kind == FileKind::Template) {
    quote = '\'';
    comment = '!';
  } else if (kind == FileKind::Asp || kind == FileKind::Vb || kind == FileKind::VbNet) {
    quote = '"';
    comment = '\'';
  } else {
    return false;
  }
  bool inQuote = false;
  const std::size_t end = std::min(line.size(), hitPosition);
  for (std::size_t i = 0; i < end; ++i) {
    if (line[i] == quote) {
      inQuote = !inQuote;
    } else if (line[i] == comment && !inQuote) {
      return true;
    }
  }
  return false;
}

std::size_t CutAtComment(std::string_view line, std::size_t lineLen) {
  bool inQuote = false;
  const std::size_t end = std::min(line.size(), lineLen);
  for (std::size_t i = 0; i < end; ++i) {
    if (line[i] == '\'') {
      inQuote = !inQuote;
    } else if (line[i] == '!' && !inQuote) {
      return i + 1;
    }
  }
  return lineLen;
}

bool LabelFilterKeeps(int label, std::string_view labelRest, const LocationState& state) {
  const std::string rest = Smash(labelRest);
  const bool external = rest.find(",EXTERNAL") != std::string::npos;
  auto starts = [&rest](std::string_view word) { return StartsWith(rest, word); };
  switch (label) {
    case 1:
      return (starts("PROCEDURE") || starts("FUNCTION")) && state.inMap == 0 &&
             state.inClass == 0 && !external;
    case 2:
      return starts("ROUTINE");
    case 3:
      return (starts("CLASS") || starts("INTERFACE")) && !external;
    case 4:
      return starts("QUEUE") && !external;
    case 5:
      return starts("GROUP") && !external;
    case 6:
      return starts("FILE") && !external;
    case 7:
      return starts("KEY(");
    case 8:
      return starts("EQUATE") || starts("ITEMIZE");
    case 9:
      return starts("WINDOW") || starts("APPLICATION");
    case 10:
      return starts("REPORT");
    default:
      return true;
  }
}

}  // namespace trawlex::engine
