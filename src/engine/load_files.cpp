#include "engine/load_files.h"

#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <map>
#include <set>
#include <thread>
#include <utility>
#include <vector>

#include "runtime/directory_listing.h"
#include "runtime/fixed_text.h"
#include "runtime/names.h"

namespace trawlex::engine {
namespace {

using runtime::DirectoryEntry;
using runtime::FitName;
using runtime::LowerName;

// Extensions that are never searched, as four-character cells.
constexpr std::string_view kSkippedExtensions =
    "app ap~ bpp dct dc~ bct obj exe dll trf hvn ico bmp gif jpg zip $$$ dat mem k01 k02 k03 "
    "k04 k05 k06 dbf ";
static_assert(kSkippedExtensions.size() == 26 * 4);

constexpr char kLevelMark = '\xBB';  // '»' in Windows-1252

// ---- Specifications ----

void AddSegment(std::string_view segment, SpecQueue& specs) {
  const std::size_t first = segment.find_first_not_of(' ');
  if (first == std::string_view::npos) return;  // blank
  SpecEntry entry;
  entry.spec = runtime::Fit(segment.substr(first), kSpecWidth);
  if (entry.spec.front() == '~') {
    entry.spec.erase(0, 1);
    entry.tilde = 1;
  }
  specs.push_back(std::move(entry));
}

// ---- File kinds ----

// The (at most three) characters after the last '.' before the name's last character.
std::string_view ExtensionOf(std::string_view name) {
  if (name.size() < 2) return {};
  const std::size_t dot = name.rfind('.', name.size() - 2);
  if (dot == std::string_view::npos) return {};
  return name.substr(dot + 1, 3);
}

// Whether the extension, blank-padded to three characters, fills one cell of `cells`, a run
// of cells of `cellWidth` characters whose first three characters are the extension. A
// shorter extension therefore never matches the start of a longer one ("v" is not "vlw").
bool InCells(std::string_view cells, std::string_view extension, std::size_t cellWidth) {
  const std::string wanted = runtime::Pad(extension, 3);
  for (std::size_t at = 0; at < cells.size(); at += cellWidth) {
    if (runtime::Pad(cells.substr(at, 3), 3) == wanted) return true;
  }
  return false;
}

std::optional<FileKind> FixedKindOf(std::string_view ext) {
  static constexpr std::pair<std::string_view, FileKind> kKinds[] = {
      {"txa", FileKind::TextExport}, {"sty", FileKind::Style}, {"c", FileKind::C},
      {"cpp", FileKind::C},          {"asp", FileKind::Asp},   {"php", FileKind::Php},
      {"bas", FileKind::Vb},         {"frm", FileKind::Vb},    {"cls", FileKind::Vb},
      {"vb", FileKind::VbNet},
  };
  for (const auto& [name, kind] : kKinds) {
    if (ext == name) return kind;
  }
  return std::nullopt;
}

// ---- Directory list ----

struct ListedDir {
  ScanDirEntry entry;
  std::string lowerPath;  // the whole lower-cased path: the sort key, never cut
};

using DirIdentity = std::pair<std::uint64_t, std::uint64_t>;  // device, inode

std::string DisplayName(std::string_view name, int parentLevel) {
  const std::string marks(static_cast<std::size_t>(parentLevel), kLevelMark);
  if (marks.size() >= kSubdirWidth) return marks.substr(0, kSubdirWidth);
  return marks + FitName(name, kSubdirWidth - marks.size());
}

ListedDir ChildOf(const ListedDir& parent, const DirectoryEntry& listed) {
  ListedDir child;
  child.lowerPath = parent.lowerPath + LowerName(runtime::Clip(listed.name)) + '/';
  child.entry.fPathBs = FitName(child.lowerPath, kDirPathWidth);
  child.entry.realPath = parent.entry.realPath + listed.name + '/';
  child.entry.level = static_cast<std::uint8_t>(parent.entry.level + 1);
  child.entry.subdir = SharedText(DisplayName(listed.name, parent.entry.level));
  return child;
}

// The subdirectories of one directory, in the order it lists them. Only names the file system
// does not already know to be files are examined.
// Remembers, for each directory, the first failure to read it.
using Failures = std::map<std::string, runtime::OsError>;

void NoteFailure(Failures* failures, const std::string& realPath, runtime::OsError error) {
  if (failures != nullptr) failures->emplace(realPath, std::move(error));
}

std::vector<DirectoryEntry> SubdirectoriesOf(const std::string& realPath, Failures* failures) {
  std::vector<DirectoryEntry> subdirs;
  runtime::DirectoryReader reader;
  if (runtime::OsError error = reader.Open(realPath)) {
    NoteFailure(failures, realPath, std::move(error));  // it adds nothing
    return subdirs;
  }
  int failure = 0;
  for (const runtime::DirectoryName& listed : reader.names()) {
    if (listed.name.front() == '.') continue;
    if (listed.type == runtime::DirectoryName::Type::Regular ||
        listed.type == runtime::DirectoryName::Type::Other) {
      continue;
    }
    DirectoryEntry entry;
    if (reader.Examine(listed.name, entry, &failure) && entry.isDirectory) {
      subdirs.push_back(std::move(entry));
    }
  }
  if (failure != 0) NoteFailure(failures, realPath, runtime::OsErrorOf(failure, realPath));
  return subdirs;
}

// Adds the subdirectories of every directory of `level`; false when it added none.
bool ExpandLevel(std::vector<ListedDir>& dirs, int level, std::set<DirIdentity>& seen,
                 Failures* failures) {
  bool added = false;
  for (std::size_t k = dirs.size(); k-- > 0;) {
    if (dirs[k].entry.level != level) continue;
    const ListedDir parent = dirs[k];  // dirs grows below
    const std::vector<DirectoryEntry> subdirs = SubdirectoriesOf(parent.entry.realPath, failures);
    for (auto it = subdirs.rbegin(); it != subdirs.rend(); ++it) {
      // A symbolic link back up the tree would otherwise add the same directories forever.
      if (!seen.insert({it->device, it->inode}).second) continue;
      dirs.push_back(ChildOf(parent, *it));
      added = true;
    }
  }
  return added;
}

// ---- Files of one directory ----

struct Candidate {
  std::string lowerName;
  DirectoryEntry listed;
  FileKind kind;
};

// Does any keep specification take the name, and no exclusion?
bool Wanted(std::string_view lowerName, const std::vector<std::string>& keep,
            const std::vector<std::string>& exclude) {
  auto matches = [lowerName](const std::string& spec) {
    return runtime::LowerSpecMatches(lowerName, spec);
  };
  return std::any_of(keep.begin(), keep.end(), matches) &&
         std::none_of(exclude.begin(), exclude.end(), matches);
}

FileEntry FileOf(const Candidate& c, const ScanDirEntry& dir, std::uint32_t dirNumber) {
  FileEntry file;
  file.name = SharedText(FitName(c.lowerName, kFileNameWidth));
  file.realName = c.listed.name;
  file.date = c.listed.date;
  file.time = c.listed.time;
  file.size = c.listed.size;
  file.subdir = dir.subdir;
  file.subdirNum = dirNumber;
  file.fileType = c.kind;
  return file;
}

}  // namespace

SpecQueue ParseSpecs(std::string_view spec) {
  SpecQueue specs;
  const std::size_t last = runtime::Len(spec);
  std::size_t start = 0;  // 0-based start of the current segment
  for (std::size_t i = 1; i < last; ++i) {
    if (spec[i] != ';') continue;
    if (i - start >= 2) AddSegment(spec.substr(start, i - start), specs);
    start = i + 1;
  }
  return specs;
}

std::optional<FileKind> FileKindOf(std::string_view realName, const EngineSettings& settings) {
  const std::string name = LowerName(runtime::Clip(realName));
  const std::string_view ext = ExtensionOf(name);
  if (ext.empty()) return FileKind::PlainText;
  if (InCells(settings.extVeldar, ext, 3)) return FileKind::Veldar;
  if (InCells(settings.extTemplates, ext, 3)) return FileKind::Template;
  if (auto kind = FixedKindOf(ext)) return kind;
  if (InCells(kSkippedExtensions, ext, 4)) return std::nullopt;
  return FileKind::PlainText;
}

namespace {

ScanDirQueue BuildDirList(const std::string& pathBs, const std::string& realPathBs, bool subdirs,
                          int subLevels, Failures* failures) {
  std::vector<ListedDir> dirs(1);
  dirs[0].lowerPath = pathBs;
  dirs[0].entry.fPathBs = FitName(pathBs, kDirPathWidth);
  dirs[0].entry.realPath = realPathBs;

  std::set<DirIdentity> seen;
  struct stat info {};
  if (stat(realPathBs.c_str(), &info) == 0) seen.insert({info.st_dev, info.st_ino});
  if (subdirs) {
    for (int level = 0; level < subLevels; ++level) {
      if (!ExpandLevel(dirs, level, seen, failures)) break;
    }
  }

  // The starting path is a prefix of every other one, so it stays first.
  std::stable_sort(dirs.begin(), dirs.end(), [](const ListedDir& a, const ListedDir& b) {
    if (a.lowerPath != b.lowerPath) return a.lowerPath < b.lowerPath;
    return a.entry.realPath < b.entry.realPath;
  });
  ScanDirQueue out;
  out.reserve(dirs.size());
  for (ListedDir& d : dirs) out.push_back(std::move(d.entry));
  return out;
}

}  // namespace

ScanDirQueue BuildDirList(const std::string& pathBs, const std::string& realPathBs, bool subdirs,
                          int subLevels) {
  return BuildDirList(pathBs, realPathBs, subdirs, subLevels, nullptr);
}

std::int64_t ListOneDirectory(const ScanDirEntry& dir, std::uint32_t dirNumber,
                              const SpecQueue& specs, const EngineSettings& settings,
                              FileQueue& files, FileDetails details,
                              runtime::OsError* failure) {
  std::vector<std::string> keep;
  std::vector<std::string> exclude;
  for (const SpecEntry& s : specs) (s.tilde ? exclude : keep).push_back(LowerName(s.spec));
  runtime::DirectoryReader reader;
  if (runtime::OsError error = reader.Open(dir.realPath)) {
    if (failure != nullptr) *failure = std::move(error);
    return 0;  // a directory that cannot be listed adds nothing
  }
  int examineFailure = 0;

  // The directory is read once; only the names the file patterns take are examined.
  std::vector<Candidate> candidates;
  const auto& names = reader.names();
  for (auto it = names.rbegin(); it != names.rend(); ++it) {
    if (it->type == runtime::DirectoryName::Type::Directory ||
        it->type == runtime::DirectoryName::Type::Other) {
      continue;
    }
    std::string lowerName = LowerName(it->name);
    if (!Wanted(lowerName, keep, exclude)) continue;
    const std::optional<FileKind> kind = FileKindOf(it->name, settings);
    if (!kind) continue;
    Candidate c{std::move(lowerName), {}, *kind};
    c.listed.name = it->name;
    const bool examine = details == FileDetails::Examined ||
                         it->type != runtime::DirectoryName::Type::Regular;
    if (examine && (!reader.Examine(it->name, c.listed, &examineFailure) || c.listed.isDirectory)) {
      continue;
    }
    candidates.push_back(std::move(c));
  }
  std::sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
    if (a.lowerName != b.lowerName) return a.lowerName < b.lowerName;
    return a.listed.name < b.listed.name;
  });
  for (const Candidate& c : candidates) files.push_back(FileOf(c, dir, dirNumber));
  if (examineFailure != 0 && failure != nullptr) {
    *failure = runtime::OsErrorOf(examineFailure, dir.realPath);
  }
  return static_cast<std::int64_t>(candidates.size());
}

FileSet LoadFiles(const std::string& pathBs, const std::string& realPathBs, const std::string& spec,
                  bool subdirs, int subLevels, const EngineSettings& settings,
                  const std::function<void(const std::string&)>& listing,
                  FileDetails details) {
  FileSet set;
  Failures failures;
  set.dirs = BuildDirList(pathBs, realPathBs, subdirs, subLevels, &failures);
  set.specs = ParseSpecs(spec);
  // Directories are listed on every core (the kernel's name lookups dominate on large trees),
  // each into its own list; the lists are joined in directory order.
  std::vector<FileQueue> listed(set.dirs.size());
  std::vector<runtime::OsError> listFailures(set.dirs.size());
  std::atomic<std::size_t> next{0};
  auto listSome = [&] {
    for (std::size_t d = next++; d < set.dirs.size(); d = next++) {
      set.dirs[d].fileCnt =
          ListOneDirectory(set.dirs[d], static_cast<std::uint32_t>(d + 1), set.specs, settings,
                           listed[d], details, &listFailures[d]);
    }
  };
  std::vector<std::thread> helpers;
  const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
  if (set.dirs.size() >= 4) {
    for (unsigned i = 1; i < std::min(cores, 8u); ++i) helpers.emplace_back(listSome);
  }
  if (listing) {
    for (const ScanDirEntry& dir : set.dirs) listing(dir.fPathBs);
  }
  listSome();
  for (std::thread& helper : helpers) helper.join();
  for (std::size_t d = 0; d < set.dirs.size(); ++d) {
    set.files.insert(set.files.end(), std::make_move_iterator(listed[d].begin()),
                     std::make_move_iterator(listed[d].end()));
    // Each directory that could not be read is told once, whichever look at it failed.
    const auto failed = failures.find(set.dirs[d].realPath);
    if (listFailures[d]) {
      set.unreadable.push_back({set.dirs[d].realPath, std::move(listFailures[d])});
    } else if (failed != failures.end()) {
      set.unreadable.push_back({set.dirs[d].realPath, failed->second});
    }
  }
  return set;
}

}  // namespace trawlex::engine
