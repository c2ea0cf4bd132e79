#include "utilities/regex_assistant.h"

#include "runtime/case_table.h"
#include "runtime/match.h"

namespace trawlex::utilities {
namespace {

TestTexts& RememberedStore() {
  static TestTexts texts;
  return texts;
}

}  // namespace

TestTexts RememberedTestTexts::Load() {
  return RememberedStore();
}
void RememberedTestTexts::Store(const TestTexts& texts) {
  RememberedStore() = texts;
}
void RememberedTestTexts::Forget() {
  RememberedStore() = TestTexts{};
}

const char* CaseOptionText(CaseOption option) {
  switch (option) {
    case CaseOption::Yes:
      return "Yes";
    case CaseOption::MatchNoCase:
      return "Match:NoCase";
    default:
      return "No";
  }
}

void RegexAssistant::Open(std::string_view pattern) {
  regX_ = pattern;
  testTexts_ = RememberedTestTexts::Load();
  for (auto& result : results_) result.clear();
  caseOption_ = CaseOption::No;
  word_ = 0;
  trailing_ = 0;
  open_ = true;
  result_ = kCancelled;
  Validate();
  Refresh();
}

int RegexAssistant::Validate() {
  lastValidation_ = ValidateRegex(regX_.view(), &word_, &trailing_, desktop_);
  validated_ = true;
  return lastValidation_;
}

bool RegexAssistant::SetPattern(std::string_view pattern) {
  regX_ = pattern;
  if (Validate() != 0) return false;
  Refresh();
  return true;
}

void RegexAssistant::SetTestText(int k, std::string_view text) {
  testTexts_.at(Slot(k)) = text;
  Refresh();
}

void RegexAssistant::SetCaseOption(CaseOption option) {
  caseOption_ = option;
  Refresh();
}

void RegexAssistant::SetWord(bool on) {
  word_ = on ? 1 : 0;
  trailing_ = 0;
  Refresh();
}

void RegexAssistant::SetTrailing(bool on) {
  trailing_ = on ? 1 : 0;
  word_ = 0;
  Refresh();
}

void RegexAssistant::Refresh() {
  Test();
  Explain();
}

std::string RegexAssistant::TestedPattern() const {
  const std::string& pattern = regX_.str();  // stored without trailing blanks
  if (word_ != 0) return " " + pattern + "{ }";
  if (trailing_ != 0) return pattern + "{ }";
  return pattern;
}

std::string RegexAssistant::ResultFor(std::string_view text, const std::string& tested) const {
  using runtime::Match::NoCase;
  using runtime::Match::Regular;
  int answer = -1;  // an option outside 1..3 answers nothing
  switch (caseOption_) {
    case CaseOption::No:
      answer = runtime::MATCH(runtime::UpperText(text), runtime::UpperText(tested), Regular);
      break;
    case CaseOption::Yes:
      answer = runtime::MATCH(text, tested, Regular);
      break;
    case CaseOption::MatchNoCase:
      answer = runtime::MATCH(text, tested, Regular | NoCase);
      break;
  }
  if (answer == 1) return "Yes";
  if (answer == 0) return "No";
  return "???";
}

void RegexAssistant::Test() {
  for (auto& result : results_) result.clear();
  if (regX_.empty()) return;
  if (lastValidation_ != 0) {
    results_[0] = "Err";
    return;
  }
  const std::string tested = TestedPattern();
  for (std::size_t k = 0; k < testTexts_.size(); ++k) {
    if (!testTexts_[k].empty()) results_[k] = ResultFor(testTexts_[k].view(), tested);
  }
}

void RegexAssistant::Explain() {
  rows_ = ExplainRegex(regX_.view(), lastValidation_ == 0);
}

void RegexAssistant::ApplyToolResult(std::string_view pattern) {
  regX_ = pattern;
  Refresh();
}

std::optional<std::string> RegexAssistant::Ok() {
  if (Validate() != 0) return std::nullopt;
  result_ = kCompleted;
  Close();
  return regX_.str();
}

void RegexAssistant::Cancel() {
  result_ = kCancelled;
  Close();
}

void RegexAssistant::Close() {
  if (!open_) return;
  RememberedTestTexts::Store(testTexts_);
  open_ = false;
}

}  // namespace trawlex::utilities
