#include "runtime/profile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <functional>
#include <mutex>
#include <optional>

#include "runtime/case_table.h"
#include "runtime/error_codes.h"
#include "runtime/path_kind.h"
#include "runtime/regular_file_read.h"

namespace trawlex::runtime {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

std::string_view Trim(std::string_view text) {
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(kBlanks);
  return text.substr(first, last - first + 1);
}

// Windows removes one pair of matching quotes around a value.
std::string_view StripQuotes(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

// ---------------------------------------------------------------------------------------------
// Line scanning. Offsets refer to the whole file text, so an edit can copy everything around
// the lines it changes byte for byte.

enum class LineKind { Blank, Comment, Section, Entry, Other };

struct ProfileLine {
  LineKind kind = LineKind::Blank;
  std::string_view name;       // section name or key, trimmed
  std::string_view value;      // trimmed value, quotes still on
  std::size_t begin = 0;       // first byte of the line
  std::size_t end = 0;         // end of the content, before the line end
  std::size_t next = 0;        // first byte of the following line
  std::size_t valueBegin = 0;  // where a new value goes: after '=' and the blanks after it
};

void ClassifyContent(std::string_view content, ProfileLine& line) {
  const std::size_t lead = content.find_first_not_of(kBlanks);
  if (lead == std::string_view::npos) {
    line.kind = LineKind::Blank;
  } else if (content[lead] == ';') {
    line.kind = LineKind::Comment;
  } else if (content[lead] == '[') {
    // Like Windows, the header ends at the last ']' so a name may itself hold one.
    const std::size_t close = content.rfind(']');
    const bool closed = close != std::string_view::npos && close > lead;
    line.kind = closed ? LineKind::Section : LineKind::Other;  // "[Options" heads nothing
    if (closed) line.name = Trim(content.substr(lead + 1, close - lead - 1));
  } else if (const std::size_t equals = content.find('=', lead); equals != std::string_view::npos) {
    line.kind = LineKind::Entry;
    line.name = Trim(content.substr(lead, equals - lead));
    line.value = Trim(content.substr(equals + 1));
    std::size_t valueAt = content.find_first_not_of(kBlanks, equals + 1);
    if (valueAt == std::string_view::npos) valueAt = equals + 1;
    line.valueBegin = line.begin + valueAt;
  } else {
    line.kind = LineKind::Other;  // a line without '=' carries nothing
  }
}

class LineScanner {
 public:
  explicit LineScanner(std::string_view text)
      : text_(text), at_(text.starts_with(kUtf8Bom) ? kUtf8Bom.size() : 0) {}

  // Reads the next line; false at the end of the text. Lines end at LF or CR LF; a CR at
  // the very end of the text counts as a line end too.
  bool Next(ProfileLine& line) {
    if (at_ >= text_.size()) return false;
    const std::size_t lf = text_.find('\n', at_);
    line = ProfileLine{};
    line.begin = at_;
    line.end = lf == std::string_view::npos ? text_.size() : lf;
    line.next = lf == std::string_view::npos ? text_.size() : lf + 1;
    if (line.end > line.begin && text_[line.end - 1] == '\r') --line.end;
    ClassifyContent(text_.substr(line.begin, line.end - line.begin), line);
    at_ = line.next;
    return true;
  }

 private:
  std::string_view text_;
  std::size_t at_;
};

// The value of the first matching key of the first matching section, without copying.
std::optional<std::string_view> FindValue(std::string_view text, std::string_view section,
                                          std::string_view key) {
  LineScanner scanner(text);
  ProfileLine line;
  bool inSection = false;
  while (scanner.Next(line)) {
    if (line.kind == LineKind::Section) {
      if (inSection) return std::nullopt;  // only the first matching section counts
      inSection = EqualNoCase(line.name, section);
    } else if (inSection && line.kind == LineKind::Entry && EqualNoCase(line.name, key)) {
      return line.value;
    }
  }
  return std::nullopt;
}

// A section as an edit sees it.
struct SectionSpan {
  std::size_t begin = 0;              // start of the header line
  std::size_t end = 0;                // start of the next header line, or the end of the text
  ProfileLine lastContent;            // last non-blank line (the header when there is none)
  std::vector<ProfileLine> keyLines;  // lines of the key asked for, in file order
};

std::vector<SectionSpan> FindSections(std::string_view text, std::string_view section,
                                      std::string_view key) {
  std::vector<SectionSpan> found;
  LineScanner scanner(text);
  ProfileLine line;
  bool inSection = false;
  while (scanner.Next(line)) {
    if (line.kind == LineKind::Section) {
      if (inSection) found.back().end = line.begin;
      inSection = EqualNoCase(line.name, section);
      if (inSection) found.push_back({line.begin, text.size(), line, {}});
      continue;
    }
    if (!inSection) continue;
    if (line.kind != LineKind::Blank) found.back().lastContent = line;
    if (line.kind == LineKind::Entry && EqualNoCase(line.name, key)) {
      found.back().keyLines.push_back(line);
    }
  }
  return found;
}

// A file keeps the line ends it has; a new file gets LF.
std::string_view LineEndOf(std::string_view text) {
  const std::size_t lf = text.find('\n');
  return lf != std::string_view::npos && lf > 0 && text[lf - 1] == '\r' ? "\r\n" : "\n";
}

bool LastLineIsBlank(std::string_view text) {
  LineScanner scanner(text);
  ProfileLine line;
  bool blank = true;
  while (scanner.Next(line)) blank = line.kind == LineKind::Blank;
  return blank;
}

// ---------------------------------------------------------------------------------------------
// Edits: each turns the old file text into the new one.

std::string EntryLine(std::string_view key, std::string_view value) {
  std::string entry;
  entry.reserve(key.size() + 1 + value.size());
  entry.append(key).append("=").append(value);
  return entry;
}

std::string SetValue(std::string_view text, std::string_view section, std::string_view key,
                     std::string_view value) {
  const std::string_view eol = LineEndOf(text);
  const std::vector<SectionSpan> sections = FindSections(text, section, key);
  std::string out;
  if (!sections.empty() && !sections.front().keyLines.empty()) {
    const ProfileLine& line = sections.front().keyLines.front();
    out.append(text.substr(0, line.valueBegin)).append(value).append(text.substr(line.end));
  } else if (!sections.empty()) {
    const ProfileLine& last = sections.front().lastContent;
    out.append(text.substr(0, last.end)).append(eol).append(EntryLine(key, value));
    if (last.next == last.end) out.append(eol);  // the last line had no line end
    out.append(text.substr(last.end));
  } else {
    out.append(text);
    if (!out.empty() && !out.ends_with('\n')) out.append(eol);
    if (!LastLineIsBlank(text)) out.append(eol);
    out.append("[").append(section).append("]").append(eol);
    out.append(EntryLine(key, value)).append(eol);
  }
  return out;
}

std::string RemoveRanges(std::string_view text,
                         const std::vector<std::pair<std::size_t, std::size_t>>& ranges) {
  std::string out;
  out.reserve(text.size());
  std::size_t copied = 0;
  for (const auto& [begin, end] : ranges) {
    out.append(text.substr(copied, begin - copied));
    copied = end;
  }
  out.append(text.substr(copied));
  return out;
}

// Every line of the key goes, so a duplicate further down cannot surface as its value.
std::string RemoveKey(std::string_view text, std::string_view section, std::string_view key) {
  const std::vector<SectionSpan> sections = FindSections(text, section, key);
  std::vector<std::pair<std::size_t, std::size_t>> ranges;
  if (!sections.empty()) {
    for (const ProfileLine& line : sections.front().keyLines) {
      ranges.emplace_back(line.begin, line.next);
    }
  }
  return RemoveRanges(text, ranges);
}

std::string RemoveSection(std::string_view text, std::string_view section) {
  std::vector<std::pair<std::size_t, std::size_t>> ranges;
  for (const SectionSpan& span : FindSections(text, section, {})) {
    ranges.emplace_back(span.begin, span.end);
  }
  return RemoveRanges(text, ranges);
}

// ---------------------------------------------------------------------------------------------
// File access.

// What reports and error texts call a profile file.
constexpr std::string_view kProfileWanted = "a settings file";
// A refused write fails with OS error 5, "Access Denied", the code a directory in the file's
// place has always given; the error text then says what stands there instead.
constexpr int kAccessDenied = 305;

RegularFileRead ReadProfileFile(const fs::path& file) {
  return ReadRegularFile(file, kProfileSizeLimit);
}

std::string RefusalOf(const std::string& name, const RegularFileRead& read) {
  if (!read.tooLarge) return RefusalText(name, read.kind, kProfileWanted);
  return name + " is larger than " + std::to_string(kProfileSizeLimit >> 20) +
         " MiB, too large for " + std::string(kProfileWanted);
}

int WriteAll(int fd, std::string_view data) {
  while (!data.empty()) {
    const ssize_t put = ::write(fd, data.data(), data.size());
    if (put < 0 && errno == EINTR) continue;
    if (put < 0) return errno;
    data.remove_prefix(static_cast<std::size_t>(put));
  }
  return 0;
}

fs::path TempPathBeside(const fs::path& target) {
  static std::atomic<unsigned> counter{0};
  std::string name = "." + target.filename().string() + ".tmp" + std::to_string(::getpid()) + "-" +
                     std::to_string(counter++);
  return target.parent_path() / name;
}

// Fills a new file beside the target and renames it over the target, so readers and a crash
// see either the old or the new file. The new file takes the original's permission bits, or
// for a new file the usual ones after the umask. 0 or the errno value.
int ReplaceFile(const fs::path& target, std::string_view content, const struct stat* original) {
  fs::path temp;
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    temp = TempPathBeside(target);
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, original ? 0600 : 0666);
    if (fd < 0 && errno != EEXIST) return errno;
  }
  if (fd < 0) return EEXIST;
  int error = WriteAll(fd, content);
  if (!error && original && ::fchmod(fd, original->st_mode & 07777) != 0) error = errno;
  if (!error && ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && !error) error = errno;
  if (!error && ::rename(temp.c_str(), target.c_str()) != 0) error = errno;
  if (error) {
    ::unlink(temp.c_str());
    return error;
  }
  // Make the rename itself durable; a failure here no longer endangers either version.
  const fs::path dir = target.parent_path().empty() ? fs::path(".") : target.parent_path();
  if (const int dirFd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dirFd >= 0) {
    ::fsync(dirFd);
    ::close(dirFd);
  }
  return 0;
}

// A profile reached through a symbolic link is updated where it really lives; renaming over
// the link would silently turn it into a private copy.
fs::path RealTarget(const fs::path& file) {
  std::error_code ec;
  if (!fs::is_symlink(file, ec)) return file;
  fs::path real = fs::canonical(file, ec);
  return ec ? file : real;
}

bool Fail(int error, const fs::path& file) {
  PostOsError(error, file.string());
  return false;
}

// The error field holds 79 characters: the file's own name keeps the text whole.
bool Refuse(const fs::path& file, const RegularFileRead& read) {
  PostError(OsError{kAccessDenied, RefusalOf(file.filename().string(), read)});
  return false;
}

// Threads of this process must not interleave their read-modify-write cycles, or one
// thread's change would be lost when the other renames its copy over it.
std::mutex& EditMutex() {
  static std::mutex mutex;
  return mutex;
}

using Edit = std::function<std::string(std::string_view)>;

// Applies an edit to the file. With `create` a missing file (and its directories) is made;
// without it a missing file means there is nothing to change.
bool EditProfile(const fs::path& file, bool create, const Edit& edit) {
  if (file.filename().empty()) return Fail(EINVAL, file);
  std::lock_guard lock(EditMutex());
  const fs::path target = RealTarget(file);
  if (create && !target.parent_path().empty()) {
    std::error_code ec;
    fs::create_directories(target.parent_path(), ec);
    if (ec) return Fail(ec.value(), file);
  }
  const RegularFileRead read = ReadProfileFile(target);
  if (read.refused()) return Refuse(file, read);
  const bool exists = read.ok();
  if (!exists && read.error != ENOENT) return Fail(read.error, file);
  if (!exists && !create) {
    ClearError();
    return true;
  }
  // A read-only profile stays as it is, as on Windows; the rename alone would ignore that.
  if (exists && ::access(target.c_str(), W_OK) != 0) return Fail(errno, file);
  const std::string& text = read.text;
  const std::string updated = edit(text);
  if (exists && updated == text) {
    ClearError();
    return true;
  }
  if (const int error = ReplaceFile(target, updated, exists ? &read.info : nullptr)) {
    return Fail(error, file);
  }
  ClearError();
  return true;
}

bool HasLineBreak(std::string_view text) {
  return text.find_first_of("\r\n") != std::string_view::npos;
}

// Names and values that would read back as something else, or break the file's lines.
bool StorableSection(std::string_view section) {
  return !HasLineBreak(section);
}

bool StorableKey(std::string_view key) {
  return !key.empty() && !HasLineBreak(key) && key.find('=') == std::string_view::npos &&
         key.front() != ';' && key.front() != '[';
}

// A file that cannot be read, or is refused, reads as a missing one.
std::string ReadText(const fs::path& file) {
  return ReadProfileFile(file).text;
}

}  // namespace

std::optional<std::string> ProfileFileRefusal(const fs::path& file) {
  const RegularFileRead check = CheckRegularFile(file, kProfileSizeLimit);
  if (!check.refused()) return std::nullopt;
  return RefusalOf(file.string(), check);
}

std::string ReadProfileString(const fs::path& file, std::string_view section, std::string_view key,
                              std::string_view defaultValue) {
  const std::string text = ReadText(file);
  if (auto value = FindValue(text, Trim(section), Trim(key))) {
    return std::string(StripQuotes(*value));
  }
  while (defaultValue.ends_with(' ')) defaultValue.remove_suffix(1);
  return std::string(defaultValue);
}

int ReadProfileInt(const fs::path& file, std::string_view section, std::string_view key,
                   int defaultValue) {
  const std::string value = ReadProfileString(file, section, key, "");
  if (value.empty()) return defaultValue;
  std::string_view digits = value;
  digits.remove_prefix(std::min(digits.size(), digits.find_first_not_of(kBlanks)));
  const bool negative = digits.starts_with('-');
  if (negative || digits.starts_with('+')) digits.remove_prefix(1);
  long long number = 0;
  for (std::size_t i = 0; i < digits.size() && digits[i] >= '0' && digits[i] <= '9'; ++i) {
    number = std::min<long long>(number * 10 + (digits[i] - '0'), 1LL + INT_MAX);
  }
  if (negative) number = -number;
  return static_cast<int>(std::clamp<long long>(number, INT_MIN, INT_MAX));
}

std::vector<std::string> ReadProfileSectionKeys(const fs::path& file, std::string_view section) {
  const std::string text = ReadText(file);
  const std::string_view wanted = Trim(section);
  std::vector<std::string> keys;
  LineScanner scanner(text);
  ProfileLine line;
  bool inSection = false;
  while (scanner.Next(line)) {
    if (line.kind == LineKind::Section) {
      if (inSection) break;
      inSection = EqualNoCase(line.name, wanted);
    } else if (inSection && line.kind == LineKind::Entry) {
      // A repeated key is never read, so it is listed once.
      const bool seen = std::any_of(keys.begin(), keys.end(), [&](const std::string& k) {
        return EqualNoCase(k, line.name);
      });
      if (!seen) keys.emplace_back(line.name);
    }
  }
  return keys;
}

bool WriteProfileString(const fs::path& file, std::string_view section, std::string_view key,
                        std::string_view value) {
  section = Trim(section);
  key = Trim(key);
  if (!StorableSection(section) || !StorableKey(key) || HasLineBreak(value)) {
    return Fail(EINVAL, file);
  }
  return EditProfile(file, true,
                     [&](std::string_view text) { return SetValue(text, section, key, value); });
}

bool WriteProfileStrings(const fs::path& file, std::string_view section,
                         const std::vector<std::pair<std::string, std::string>>& entries) {
  section = Trim(section);
  if (!StorableSection(section)) return Fail(EINVAL, file);
  for (const auto& [key, value] : entries) {
    if (!StorableKey(Trim(key)) || HasLineBreak(value)) return Fail(EINVAL, file);
  }
  return EditProfile(file, true, [&](std::string_view text) {
    std::string edited(text);
    for (const auto& [key, value] : entries) edited = SetValue(edited, section, Trim(key), value);
    return edited;
  });
}

bool DeleteProfileKey(const fs::path& file, std::string_view section, std::string_view key) {
  section = Trim(section);
  key = Trim(key);
  return EditProfile(file, false,
                     [&](std::string_view text) { return RemoveKey(text, section, key); });
}

bool DeleteProfileSection(const fs::path& file, std::string_view section) {
  section = Trim(section);
  return EditProfile(file, false,
                     [&](std::string_view text) { return RemoveSection(text, section); });
}

}  // namespace trawlex::runtime
