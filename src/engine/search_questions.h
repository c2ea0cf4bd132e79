#pragma once
// The questions and messages a run gives its user, one method per situation with its facts.
// The run builds no text: the desktop program words and shows them (results layer), `trawl`
// answers them with its --on-error policy.

#include <string>

#include "runtime/error_codes.h"

namespace trawlex::engine {

enum class OpenFailureAnswer { Retry = 1, Ignore = 2, Remove = 3 };

// After a failure the run can go on (skipping what failed) or stop, keeping what it found.
enum class ContinueOrStop { Continue, Stop };

class SearchQuestions {
 public:
  virtual ~SearchQuestions() = default;
  // A file could not be opened. `path` is its full name on disk.
  virtual OpenFailureAnswer OpenFailed(const std::string& path, const runtime::OsError& error) = 0;
  // Reading a file stopped early; the lines read before the failure were searched.
  virtual ContinueOrStop ReadFailed(const std::string& path, const runtime::OsError& error) = 0;
  // A file of the list names no directory of the directory list.
  virtual ContinueOrStop DirectoryMissing() = 0;
  // A directory of the tree could not be read (listed or entered): its files are missing from
  // the search. Told once per directory, before the files are searched.
  virtual void DirectoryUnreadable(const std::string& path, const runtime::OsError& error) = 0;
  // No file matched the request (`path` and `spec` as the request gives them); the results
  // window closes afterwards.
  virtual void NoFilesFound(const std::string& path, const std::string& spec) = 0;
};

}  // namespace trawlex::engine
