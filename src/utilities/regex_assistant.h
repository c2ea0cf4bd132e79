#pragma once
// The model behind the "Regular Expression Assistant" window: the pattern being edited, five
// sample texts it is tried on, their results, the explanation rows and the options of the
// trial. The window only draws this state and forwards the user's actions to it.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/desktop.h"
#include "runtime/fixed_text.h"
#include "utilities/regex_checker.h"

namespace trawlex::utilities {

inline constexpr int kTestTextCount = 5;
using TestText = runtime::FixedText<60>;
using TestTexts = std::array<TestText, kTestTextCount>;

// The sample texts outlive the window: blank when the program starts, loaded at every opening
// and stored back at every closing, never written to a file. Windows live on the one GUI
// thread, so the store needs no lock.
class RememberedTestTexts {
 public:
  static TestTexts Load();
  static void Store(const TestTexts& texts);
  // Back to blank, as at program start.
  static void Forget();
};

// How the samples are matched: "No" upper-cases sample and pattern (so sets fold too), "Yes"
// matches as written, "Match:NoCase" uses the matcher's no-case mode (sets stay exact).
enum class CaseOption { No = 1, Yes = 2, MatchNoCase = 3 };
const char* CaseOptionText(CaseOption option);

class RegexAssistant {
 public:
  static constexpr int kCompleted = 1;
  static constexpr int kCancelled = 2;

  explicit RegexAssistant(runtime::Desktop& desktop) : desktop_(desktop) {}

  // Takes the caller's pattern and the remembered samples, resets the options, validates the
  // pattern once and shows its trial and explanation.
  void Open(std::string_view pattern);

  // The pattern field was accepted: it is validated again and the outcome remembered. Returns
  // false after a problem (the window selects the field for correction and refreshes nothing).
  bool SetPattern(std::string_view pattern);
  // Sample k, 1 to 5. Throws std::out_of_range for another k.
  void SetTestText(int k, std::string_view text);
  void SetCaseOption(CaseOption option);
  // Word and Trailing exclude each other: accepting one clears the other.
  void SetWord(bool on);
  void SetTrailing(bool on);

  // "&Parse" and "&Test": both only refresh the trial and the explanation.
  void Refresh();
  // The trial of the pattern on the samples, with the remembered validation outcome.
  void Test();
  // The explanation rows, with the remembered validation outcome.
  void Explain();

  // Seam for "Tool&s": the pattern tools of the pattern converter compute a new pattern (or
  // change only the clipboard); the window hands a new pattern here, which refreshes the trial
  // and explanation without validating again.
  void ApplyToolResult(std::string_view pattern);

  // "&Ok": validates the pattern. When it passes the window closes with kCompleted and the
  // pattern to copy back into the caller's variable is returned; when not, the window stays.
  std::optional<std::string> Ok();
  // "Cancel": closes with kCancelled; the caller's pattern stays as it was.
  void Cancel();
  // The window closes (by any way): the samples become the remembered ones. Idempotent.
  void Close();

  // The pattern as tested: with Word, a blank, the pattern and "{ }"; with Trailing, the
  // pattern and "{ }" (MATCH drops a pattern's trailing blanks, a group keeps the blank).
  std::string TestedPattern() const;

  const std::string& Pattern() const { return regX_.str(); }
  const TestText& TestTextAt(int k) const { return testTexts_.at(Slot(k)); }
  const std::string& ResultAt(int k) const { return results_.at(Slot(k)).str(); }
  CaseOption Case() const { return caseOption_; }
  bool Word() const { return word_ != 0; }
  bool Trailing() const { return trailing_ != 0; }
  bool Validated() const { return validated_; }
  // The outcome of the last validation: 0 passed, 1 a problem was shown.
  int LastValidation() const { return lastValidation_; }
  const std::vector<ParseRow>& Rows() const { return rows_; }
  bool IsOpen() const { return open_; }
  int Result() const { return result_; }

 private:
  static std::size_t Slot(int k) { return static_cast<std::size_t>(k - 1); }
  int Validate();
  std::string ResultFor(std::string_view text, const std::string& tested) const;

  runtime::Desktop& desktop_;
  runtime::FixedText<60> regX_;
  TestTexts testTexts_;
  std::array<runtime::FixedText<3>, kTestTextCount> results_;
  CaseOption caseOption_ = CaseOption::No;
  std::uint8_t word_ = 0;
  std::uint8_t trailing_ = 0;
  bool validated_ = false;
  int lastValidation_ = 0;
  std::vector<ParseRow> rows_;
  bool open_ = false;
  int result_ = kCancelled;
};

}  // namespace trawlex::utilities
