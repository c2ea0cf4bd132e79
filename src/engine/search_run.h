#pragma once
// One run of a search, as its results window owns it: the request copy, working values,
// directory and file lists, counters and results queue. The window (or `trawl`) drives it
// with Step(); Stop, Again, Refresh and ReLoad are the window's buttons. The run shows no
// text: the window words its state and counters (results layer).

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "engine/edit_answer.h"
#include "engine/engine_settings.h"
#include "engine/file_set.h"
#include "engine/load_files.h"
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

// The file a running search has come to, as the list stood when it came there (a file removed
// from the list later does not change it).
struct ScanPosition {
  SharedText name;          // FQ:NAME of the file
  std::int64_t number = 0;  // its 1-based place in the file list; 0 while no file is searched
  std::size_t total = 0;    // the number of files in the list
};

struct RunOptions {
  int workers = 0;                 // threads searching ahead; 0: none
  std::size_t lookAhead = 64;      // files searched ahead at most
  bool keepResults = true;         // store reported lines in the results queue
  FileDetails fileDetails = FileDetails::Examined;  // NamesOnly: nobody shows sizes and dates
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
  // Takes back a request edited in the parameters window with the window's answer: a
  // cancelled edit leaves the request as it is; any other takes it and, when it asks for one,
  // starts a files-with-hits or a full run, keeping the current results if asked to.
  void TakeEditedRequest(const SearchSpec& edited, EditAnswer answer);

  RunState state() const { return state_; }
  bool filesWithHitsRun() const { return filesWithHits_; }
  const SearchSpec& request() const { return request_; }
  const SearchWork& work() const { return prepared_.work; }
  const SearchCounts& counts() const { return counts_; }
  // The Files list was pruned by hand: FILESFINDCNT counts the entries with hits that remain.
  void FilesPruned(std::int64_t filesWithHits) { counts_.filesFindCnt = filesWithHits; }
  // While running: the file being searched. While loading: the directory being listed
  // (lower-cased, as the directory list shows it); empty otherwise.
  const ScanPosition& scanning() const { return scanning_; }
  const std::string& loadingDirectory() const { return loadingDirectory_; }
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
  // Commits found lines of a file: counts them, hands them on and keeps them.
  void CommitLines(FileEntry& entry, const FileOutcome& outcome);
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
  ScanPosition scanning_;
  std::string loadingDirectory_;
  RunState state_ = RunState::Idle;
  bool filesWithHits_ = false;
  bool keepResults_ = false;
  std::int64_t progress_ = 0;
  std::size_t removedInPass_ = 0;
  std::unique_ptr<Prefetcher> prefetcher_;
};

}  // namespace trawlex::engine
