#pragma once
// LoadFiles: the directories and candidate files of one search, built from the starting
// directory, the subdirectory switches and the file specifications.
//
// Paths and names are lower-cased and cut to their widths for display, comparison and
// export; every access uses the real on-disk path and name kept beside them. On Linux two
// names that differ only in case are two files, so exclusions and duplicates are decided by
// the real name.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "engine/engine_settings.h"
#include "engine/file_set.h"
#include "runtime/error_codes.h"

namespace trawlex::engine {

// Splits the file specifications text (the request's specifications followed by ';') at each ';'.
// A segment is taken only when it holds two characters or more and is not blank; it loses
// its leading blanks and is cut to 24 characters, and a leading '~' turns it into an
// exclusion. The first character is never taken as a separator, and text after the last
// ';' is not a segment.
SpecQueue ParseSpecs(std::string_view spec);

// The kind of a file from the extension of its name (the (at most three) characters after
// the last '.' that is not the name's last character, lower-cased); plain text without one.
// Nothing for an extension that is always skipped (programs, images, data files...), unless
// the Veldar or template settings name it.
std::optional<FileKind> FileKindOf(std::string_view realName, const EngineSettings& settings);

// The starting directory and, with `subdirs`, its subdirectories down to `subLevels` levels,
// sorted by lower-cased path. `pathBs` is the lower-cased starting path and `realPathBs` the
// path on disk, both ending with '/'. Names beginning with '.' are passed over; a directory
// reached a second time (through a symbolic link or otherwise) is not added again; a
// directory that cannot be listed adds nothing.
ScanDirQueue BuildDirList(const std::string& pathBs, const std::string& realPathBs, bool subdirs,
                          int subLevels);

// Whether the listing examines each file for its size, date and time, which the windows
// show; a caller that never shows them lists names only, and a file's size is then learnt
// when it is searched. Names whose type the directory does not tell are examined anyway.
enum class FileDetails { Examined, NamesOnly };

// Appends the files of one directory that match a keep specification and no exclusion,
// each file once, in ascending order of lower-cased name (ties by real name). `dirNumber` is
// the directory's 1-based position in the directory list. Returns the number of files added;
// `failure` receives why the directory, or some of its entries, could not be read.
std::int64_t ListOneDirectory(const ScanDirEntry& dir, std::uint32_t dirNumber,
                              const SpecQueue& specs, const EngineSettings& settings,
                              FileQueue& files, FileDetails details = FileDetails::Examined,
                              runtime::OsError* failure = nullptr);

// A directory of the tree that could not be read (listed, or its entries examined): its
// files, or some of them, are not in the list.
struct UnreadableDirectory {
  std::string realPath;
  runtime::OsError error;
};

struct FileSet {
  ScanDirQueue dirs;
  SpecQueue specs;
  FileQueue files;
  std::vector<UnreadableDirectory> unreadable;  // in directory-list order, each once
};

// Builds the directory list, parses the file specifications and lists every directory in order,
// setting each directory's file count. `listing` receives each directory's lower-cased path,
// in order, as the listing starts. An empty file list is for the caller to report.
FileSet LoadFiles(const std::string& pathBs, const std::string& realPathBs, const std::string& spec,
                  bool subdirs, int subLevels, const EngineSettings& settings,
                  const std::function<void(const std::string&)>& listing = {},
                  FileDetails details = FileDetails::Examined);

}  // namespace trawlex::engine
