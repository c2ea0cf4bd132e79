#pragma once
// The directories (ScanDirQueue) and candidate files (FileQueue) of one search, and the
// parsed file specifications (SpecQueue).
//
// Display names and paths are lower-cased and cut to their field widths, as the windows
// show and compare them; the real on-disk name and path stay beside them for every access.

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/shared_text.h"

namespace trawlex::engine {

using runtime::SharedText;

// How a file's lines are read for locations, chosen from its extension.
enum class FileKind : std::uint8_t {
  Veldar = 1,
  Template = 2,
  TextExport = 3,
  Style = 4,
  PlainText = 5,
  C = 6,
  Asp = 8,
  Php = 9,
  Vb = 10,
  VbNet = 11,
};

struct ScanDirEntry {
  std::string fPathBs;       // SCANDIRQ:FPATHBS: lower case, ending with '/', at most 254
  std::string realPath;      // the directory on disk, ending with '/'
  std::int64_t fileCnt = 0;  // SCANDIRQ:FILECNT
  std::int64_t findCnt = 0;  // SCANDIRQ:FINDCNT
  std::uint8_t level = 0;    // SCANDIRQ:LEVEL
  SharedText subdir;         // SCANDIRQ:SUBDIR: display name, at most 11 characters
};

struct FileEntry {
  SharedText name;            // FQ:NAME: lower case, at most 68 characters
  std::string realName;       // the name on disk
  std::int32_t date = 0;      // FQ:DATE: day number of the last change
  std::int32_t time = 0;      // FQ:TIME: hundredths since midnight
  std::int64_t size = 0;      // FQ:SIZE
  std::uint32_t count = 0;    // FQ:COUNT: lines reported by the last run
  SharedText subdir;          // FQ:SUBDIR
  std::uint8_t mark = 0;      // FQ:MARK
  std::uint32_t subdirNum = 0;  // FQ:SUBDIRNUM: 1-based position in the directory list
  FileKind fileType = FileKind::PlainText;  // FQ:FILETYPE
};

struct SpecEntry {
  std::string spec;        // SPEC (24)
  std::uint8_t tilde = 0;  // TILDE: 1 excludes
};

using ScanDirQueue = std::vector<ScanDirEntry>;
using FileQueue = std::vector<FileEntry>;
using SpecQueue = std::vector<SpecEntry>;

inline constexpr std::size_t kFileNameWidth = 68;
inline constexpr std::size_t kDirPathWidth = 254;
inline constexpr std::size_t kSubdirWidth = 11;
inline constexpr std::size_t kSpecWidth = 24;

}  // namespace trawlex::engine
