#pragma once
// One run of a search, as its results window owns it: the request copy, working values,
// directory and file lists, counters and results queue. The window (or `trawl`) drives it
// with Step(); Stop, Again, Refresh and ReLoad are the window's buttons.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "engine/engine_settings.h"
#include "engine/file_set.h"
#include "engine/location.h"
#include "engine/prepare_search.h"
#include "engine/result_line.h"
#include "engine/search_questions.h"
#include "engine/search_spec.h"

namespace trawlex::engine {

class Prefetcher;
struct SearchPlan;
struct FileOutcome;
struct FileJob;

enum class RunState { Idle, Loading, Running, Finished };

// What the window shows while and after a run.
struct RunTexts {
  std::string caption;     // window caption
  std::string parmsTip;    // tip of "&Parms..."
  std::string status;      // "Scan: name (i of n)" while running, "Load Files: dir" while loading
  std::string found;       // "n found"
  std::string summary;     // after the run
  std::string filesCount;  // "Files Count:  n"
  std::string withFound;   // "With Found: n"
};

struct RunOptions {
  int workers = 0;                 // threads searching ahead; 0: none
  std::size_t lookAhead = 64;      // files searched ahead at most
  bool keepResults = true;         // store reported lines in the results queue
  // Called for each committed line, with the file it comes from.
  std::function<void(const ResultLine&, const FileEntry&)> onResult;
  std::function<void()> onFinished;                 // called when a run finishes
};

class SearchRun {
 public:
  SearchRun(const SearchSpec& request, const EngineSettings& settings,
            SearchQuestions& questions, LocationTrackers& trackers, RunOptions options = {});
  ~SearchRun();
  SearchRun(const SearchRun&) = delete;
  SearchRun& operator=(const SearchRun&) = delete;

  // Opening: prepare, reset and load the files, ready to run. False when no file was found:
  // the user has been told and the window closes.
  bool Open();
  // Searches up to `maxFiles` files (one timer tick). False once the run has finished.
  bool Step(int maxFiles);
  void Stop();      // "Stop": finish now, keeping what was found
  void Again();     // "&Again": search every file of the list again
  void Refresh();   // "Refres&h": search again the files that had hits, without pre-scan
  bool ReLoad();    // "&ReLoad": rebuild the file list, no search; false when it is empty
  void KeepResultsForNextRun() { keepResults_ = true; }
  // Takes back a request edited in the parameters window with its answer code: 1 takes it,
  // 10 or more takes it and starts a files-with-hits run (10) or a full run (20); 100 more
  // keeps the current results for that run. Other codes leave the request as it is.
  void TakeEditedRequest(const SearchSpec& edited, int code);

  RunState state() const { return state_; }
  bool filesWithHitsRun() const { return filesWithHits_; }
  const SearchSpec& request() const { return request_; }
  const SearchWork& work() const { return prepared_.work; }
  const SearchCounts& counts() const { return counts_; }
  const RunTexts& texts() const { return texts_; }
  int filesPerTick() const { return prepared_.filesPerTick; }
  const ResultsQueue& results() const { return results_; }
  ResultsQueue& results() { return results_; }
  const FileQueue& files() const { return files_; }
  FileQueue& files() { return files_; }
  const ScanDirQueue& dirs() const { return dirs_; }
  const SpecQueue& specs() const { return specs_; }
  std::int64_t progress() const { return progress_; }  // 0 .. number of files

 private:
  void Prepare();
  void Reset();
  bool LoadFileLists();
  void StartPass(bool filesWithHits);
  void SearchFile();
  FileOutcome OutcomeOf(std::size_t fileIndex);
  FileOutcome SearchNow(std::size_t fileIndex);
  void Commit(FileEntry& entry, FileOutcome& outcome);
  void Finish();
  FileJob JobFor(const FileEntry& entry) const;

  SearchSpec request_;
  EngineSettings settings_;
  SearchQuestions& questions_;
  LocationTrackers& trackers_;
  RunOptions options_;

  PreparedSearch prepared_;
  std::shared_ptr<const SearchPlan> plan_;
  ScanDirQueue dirs_;
  SpecQueue specs_;
  FileQueue files_;
  SearchCounts counts_;
  ResultsQueue results_;
  RunTexts texts_;
  RunState state_ = RunState::Idle;
  bool filesWithHits_ = false;
  bool keepResults_ = false;
  std::int64_t progress_ = 0;
  std::size_t removedInPass_ = 0;
  std::unique_ptr<Prefetcher> prefetcher_;
};

// The summary line of a finished run.
std::string SummaryText(const SearchCounts& counts, const SearchWork& work, bool firstOnly);

}  // namespace trawlex::engine
