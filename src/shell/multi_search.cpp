#include "shell/multi_search.h"

#include <algorithm>

#include "runtime/case_table.h"

namespace trawlex::shell {
namespace {

bool Blank(std::string_view line) {
  return line.find_first_not_of(' ') == std::string_view::npos;
}

std::string_view LeftJustified(std::string_view line) {
  const std::size_t first = line.find_first_not_of(' ');
  return first == std::string_view::npos ? std::string_view{} : line.substr(first);
}

// The pattern with every "_cb_" replaced by `line`. The lower-cased copy only finds the
// marks: case folding keeps every byte in its place.
std::string FillPattern(std::string_view pattern, std::string_view line) {
  const std::string folded = runtime::LowerText(pattern);
  std::string filled;
  std::size_t from = 0;
  for (std::size_t at = folded.find(kClipboardMark); at != std::string::npos;
       at = folded.find(kClipboardMark, from)) {
    filled.append(pattern.substr(from, at - from)).append(line);
    from = at + kClipboardMark.size();
  }
  return filled.append(pattern.substr(from));
}

}  // namespace

MultiSearchState& MultiSearchShared() {
  static MultiSearchState state;
  return state;
}

bool StoreMultiSearchCount(MultiSearchState& state, int searchId, std::int64_t count) {
  if (searchId == 0 || state.runningSearch != searchId || state.lastCount >= 0) return false;
  state.lastCount = count;
  return true;
}

std::vector<runtime::FixedText<60>> BuildSearchTexts(std::string_view pattern,
                                                     std::string_view text, bool left) {
  std::vector<runtime::FixedText<60>> texts;
  std::size_t from = 0;
  while (from <= text.size()) {
    const std::size_t end = std::min(text.find_first_of("\r\n", from), text.size());
    std::string_view line = text.substr(from, end - from);
    from = end + 1;
    if (Blank(line)) continue;
    if (left) line = LeftJustified(line);
    texts.emplace_back(FillPattern(pattern, runtime::Clip(line)));
  }
  return texts;
}

MultiSearch::MultiSearch(const engine::SearchSpec& request, runtime::Desktop& desktop,
                         MultiSearchState& shared)
    : request_(request), pattern_(request.text.str()), desktop_(desktop), shared_(shared) {}

MultiSearch::~MultiSearch() {
  // A results window finishing later must not report to a window that is gone.
  if (waiting_) ClearShared();
}

void MultiSearch::LoadText(std::string_view text, bool left) {
  Stop();
  searchEntry_ = -1;
  selected_ = -1;
  entries_.clear();
  for (auto& search : BuildSearchTexts(pattern_, text, left)) {
    entries_.push_back({.result = {}, .search = std::move(search)});
  }
  if (entries_.size() <= kManyWindows || summary_) return;
  runtime::Message question;
  question.text = "Warning: You have listed " + std::to_string(entries_.size()) +
                  " items to search. ||Opening more than 40 windows can hang TRX. ||Want me to "
                  "check the Summary box?";
  question.caption = kMultiSearchCaption;
  question.icon = runtime::Icon::Warning;
  question.standard = runtime::Buttons::YesNo;
  if (desktop_.ShowMessage(question) == runtime::kAnswerYes) summary_ = true;
}

bool MultiSearch::StartAll() {
  return Start(0, static_cast<int>(entries_.size()) - 1);
}

bool MultiSearch::StartOne(int index) {
  if (!entries_.empty() && (index < 0 || index >= static_cast<int>(entries_.size()))) {
    return false;
  }
  return Start(index, index);
}

bool MultiSearch::Start(int first, int last) {
  if (entries_.empty()) {
    runtime::Tell(desktop_, std::string(kNothingToSearch), std::string(kMultiSearchCaption));
    return false;
  }
  for (int i = first; i <= last; ++i) {
    // The entry of a search still running keeps its "Run..." until the count comes.
    if (!(waiting_ && i == searchEntry_)) entries_[i].result.clear();
  }
  next_ = first;
  last_ = last;
  running_ = true;
  return true;
}

void MultiSearch::Stop() {
  running_ = false;
}

std::optional<MultiSearchStart> MultiSearch::Tick() {
  if (!running_ || waiting_) return std::nullopt;
  if (next_ > last_) {
    running_ = false;
    return std::nullopt;
  }
  const int entry = next_++;
  entries_[entry].result = kResultRunning;
  selected_ = entry;
  MultiSearchStart start;
  start.entry = entry;
  start.mode = summary_ && entry != last_ ? kModeSummary : kModeShow;
  start.request = request_;
  start.request.text = entries_[entry].search;
  waiting_ = true;
  searchEntry_ = entry;
  searchId_ = 0;
  searchMode_ = start.mode;
  shared_.runningSearch = 0;
  shared_.mode = start.mode;
  shared_.lastCount = -1;
  return start;
}

void MultiSearch::SearchStarted(int searchId) {
  if (!waiting_) return;
  if (searchId != 0) {
    searchId_ = searchId;
    shared_.runningSearch = searchId;
    return;
  }
  if (searchEntry_ >= 0) entries_[searchEntry_].result = kResultFail;
  waiting_ = false;
  searchEntry_ = -1;
  running_ = false;
  ClearShared();
}

int MultiSearch::SearchFinished(std::int64_t count) {
  if (!waiting_) return 0;
  if (searchEntry_ >= 0) entries_[searchEntry_].result = std::to_string(count);
  const int toClose = searchMode_ == kModeSummary ? searchId_ : 0;
  waiting_ = false;
  searchEntry_ = -1;
  ClearShared();
  return toClose;
}

void MultiSearch::ClearShared() {
  searchId_ = 0;
  shared_.runningSearch = 0;
  shared_.mode = 0;
  shared_.lastCount = -1;
}

}  // namespace trawlex::shell
