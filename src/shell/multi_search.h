#pragma once
// The multi search: one pattern run over a list of texts, one search after another, with the
// path, file specifications and switches of the search that started it. The pattern is that
// search's text; "_cb_" in it (any case) marks where each line of the list goes.
//
// MultiSearch is the window's logic without the window: it builds the list, walks it on the
// window's timer and collects the counts. Starting a search and closing its results window
// are the caller's: Tick() says which search to start, SearchStarted() and SearchFinished()
// report back.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/search_spec.h"
#include "runtime/desktop.h"
#include "runtime/fixed_text.h"

namespace trawlex::shell {

inline constexpr std::string_view kMultiSearchCaption = "Multi Search";
inline constexpr std::string_view kMultiSearchActive =
    "Multi Search is active, you can only run it once";
inline constexpr std::string_view kNothingToSearch = "There's nothing to be searched";
// Where a list line goes in the pattern; found without regard to case.
inline constexpr std::string_view kClipboardMark = "_cb_";
// Characters the text box holds.
inline constexpr std::size_t kMultiSearchTextWidth = 8192;
// More entries than this without "Summary" would open that many results windows.
inline constexpr std::size_t kManyWindows = 40;

// Result texts of an entry besides its count.
inline constexpr std::string_view kResultRunning = "Run...";
inline constexpr std::string_view kResultFail = "Fail";

// How a search started for the multi search ends.
inline constexpr int kModeShow = 1;     // its results window stays open
inline constexpr int kModeSummary = 2;  // its results window closes; only the count is kept

// State the multi-search window shares with the results windows it starts. A results window
// whose run finishes compares its own id with `runningSearch`, and when they are the same it
// leaves its count in `lastCount` and tells the window numbered `window`.
struct MultiSearchState {
  int window = 0;               // the open multi-search window, 0 when none
  int runningSearch = 0;        // the results window searching for it, 0 when idle
  int mode = 0;                 // kModeShow or kModeSummary while a search runs
  std::int64_t lastCount = -1;  // count of the search that finished, -1 when none
};

// The process-wide state.
MultiSearchState& MultiSearchShared();

// A results window's run finished with `count` lines found. When that window is the search
// running for the multi search and no count was left yet, leaves the count and returns true:
// the caller then tells the multi-search window (state.window).
bool StoreMultiSearchCount(MultiSearchState& state, int searchId, std::int64_t count);

// One text to search (MULSERQ).
struct MultiSearchEntry {
  // Blank, "Run...", "Fail" or the number of lines found. A count is never cut to the
  // seven characters of the list column: a shortened number would be a wrong one.
  std::string result;
  runtime::FixedText<60> search;
};

// The search the caller is to start for an entry.
struct MultiSearchStart {
  int entry = 0;               // 0-based index into entries()
  int mode = kModeShow;        // kModeShow or kModeSummary
  engine::SearchSpec request;  // the pattern's request with the entry's text
};

// The entries' search texts for `text`: each line (ended by CR, LF or both) that is not
// blank, left-justified first when `left` is set, put into `pattern` in place of every
// "_cb_", cut to 60 characters.
std::vector<runtime::FixedText<60>> BuildSearchTexts(std::string_view pattern,
                                                     std::string_view text, bool left);

class MultiSearch {
 public:
  MultiSearch(const engine::SearchSpec& request, runtime::Desktop& desktop,
              MultiSearchState& shared = MultiSearchShared());
  ~MultiSearch();
  MultiSearch(const MultiSearch&) = delete;
  MultiSearch& operator=(const MultiSearch&) = delete;

  // "&Load text into Search List": replaces the list by the lines of `text`. More than 40
  // entries with "Summary" off ask whether to turn it on. A run in progress stops, and a
  // search still running reports to no entry any more.
  void LoadText(std::string_view text, bool left);

  // "Search &All" and "&One": clear the results of the entries to run and start the run;
  // false (and "There's nothing to be searched") for an empty list. StartOne is also false
  // for an index outside the list.
  bool StartAll();
  bool StartOne(int index);
  // "&Stop": no further entry is started; a search still running reports its count.
  void Stop();

  // The timer: the next search to start, if one is due now. Past the last entry the run
  // stops (running() turns false).
  std::optional<MultiSearchStart> Tick();
  // The search Tick() asked for was started as `searchId` (its results window), or could not
  // be started (0): the entry then fails and the run stops.
  void SearchStarted(int searchId);
  // The running search found `count` lines. Returns the results window to close (in summary
  // mode), 0 for none.
  int SearchFinished(std::int64_t count);

  void SetSummary(bool on) { summary_ = on; }

  bool summary() const { return summary_; }
  // Whether the run is on: the timer ticks and the stop button shows.
  bool running() const { return running_; }
  // Whether a search was started and has not reported yet.
  bool searchRunning() const { return waiting_; }
  // The results window of that search, 0 when none or not yet known.
  int runningSearch() const { return searchId_; }
  // kModeShow or kModeSummary for that search.
  int searchMode() const { return searchMode_; }
  // The highlighted entry, -1 for none.
  int selected() const { return selected_; }
  const std::vector<MultiSearchEntry>& entries() const { return entries_; }
  const engine::SearchSpec& request() const { return request_; }
  std::string_view pattern() const { return pattern_; }

 private:
  bool Start(int first, int last);
  void ClearShared();

  engine::SearchSpec request_;
  std::string pattern_;
  runtime::Desktop& desktop_;
  MultiSearchState& shared_;
  std::vector<MultiSearchEntry> entries_;
  bool summary_ = false;
  bool running_ = false;
  int next_ = 0;          // next entry to run
  int last_ = -1;         // last entry of this run
  bool waiting_ = false;  // a search was asked for and has not reported
  int searchEntry_ = -1;  // the entry that search reports to; -1 when the list was rebuilt
  int searchId_ = 0;      // its results window
  int searchMode_ = kModeShow;
  int selected_ = -1;
};

}  // namespace trawlex::shell
