#include "results/results_text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <filesystem>
#include <optional>
#include <string>

#include "results/editor_command.h"
#include "results/export_texts.h"
#include "runtime/error_codes.h"
#include "runtime/fixed_text.h"

namespace trawlex::results {
namespace {

constexpr std::size_t kPieceSize = 64 * 1024;
constexpr std::size_t kRuleWidth = 80;

// Gathers records into pieces for the sink.
class RecordWriter {
 public:
  explicit RecordWriter(const ExportSink& sink) : sink_(sink) {}

  void Record(std::string_view record) {
    buffer_.append(record.substr(0, runtime::Len(record))).append("\r\n");
    if (buffer_.size() >= kPieceSize) Flush();
  }
  void Raw(std::string_view bytes) { buffer_.append(bytes); }
  // False once the sink has refused a piece; nothing more is passed on after that.
  bool Flush() {
    if (ok_ && !buffer_.empty()) ok_ = sink_(buffer_);
    buffer_.clear();
    return ok_;
  }
  bool ok() const { return ok_; }

 private:
  const ExportSink& sink_;
  std::string buffer_;
  bool ok_ = true;
};

std::string_view WithoutLeadingBlanks(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

void WriteHit(RecordWriter& writer, const engine::ResultLine& hit, const ColumnWidths& widths) {
  const std::size_t fileWidth = static_cast<std::size_t>(widths.file);
  writer.Record(runtime::Pad(hit.file.view(), fileWidth) + "  " +
                std::string(WithoutLeadingBlanks(hit.location.view())));
  // The number ends under the last column of the file name; a number wider than that column
  // is written whole rather than shifted out of the line.
  const std::string number = LineNumberText(hit.lineNo);
  const std::string_view text = WithoutLeadingBlanks(hit.text);
  writer.Record(std::string(fileWidth - std::min(fileWidth, number.size()), ' ') + number + "  " +
                std::string(text.substr(0, runtime::Len(text))) + "\r\n");
}

}  // namespace

bool WriteResultsText(const ExportSource& source, const ExportSink& sink, bool separatorFirst) {
  const ColumnWidths widths = ComputeColumnWidths(source.results);
  RecordWriter writer(sink);
  if (separatorFirst) writer.Raw(kAppendSeparator);
  writer.Record(HeaderLine(source));
  writer.Record(OptionsLine(source.request));
  writer.Record(std::string(kRuleWidth, '-'));
  std::uint32_t currentDir = 0;
  for (const engine::ResultLine& hit : source.results) {
    if (!writer.ok()) return false;
    if (hit.subdirNum != currentDir) {
      currentDir = hit.subdirNum;
      writer.Record("\r\nDir: " + std::string(HitDirectory(source, currentDir)) + "\r\n");
    }
    WriteHit(writer, hit, widths);
  }
  writer.Record(SummaryLine(source));
  return writer.Flush();
}

}  // namespace trawlex::results

namespace trawlex::results {
namespace {

namespace fs = std::filesystem;

enum class Existing { None, Append, Replace };

struct Target {
  std::string name;  // as the user gave it
  Existing existing = Existing::None;
};

// Why saving failed: the errno value and whether the file could not even be opened.
struct Failure {
  int error = 0;
  bool opening = false;
};

bool Exists(const std::string& name) {
  struct stat info {};
  return ::stat(name.c_str(), &info) == 0;
}

// Append for every answer but Replace (2) and Rename (3); nothing for Rename.
std::optional<Existing> AskAboutExisting(runtime::Desktop& desktop, const std::string& name) {
  runtime::Message message;
  message.text = "The file name entered already exists.||" + runtime::Clip(name);
  message.caption = "File Exists";
  message.icon = runtime::Icon::Warning;
  message.buttons = "Append|Replace|Rename";
  message.defaultButton = 1;
  const int answer = desktop.ShowMessage(message);
  if (answer == 3) return std::nullopt;
  return answer == 2 ? Existing::Replace : Existing::Append;
}

std::optional<Target> ChooseTarget(runtime::Desktop& desktop) {
  runtime::FileDialogRequest request;
  request.title = "Enter File Name to Save Results In";
  request.filter = "Text Files|*.TXT|All Files|*.*";
  request.fileName = "Results.TXT";
  request.save = true;
  for (;;) {
    const auto chosen = desktop.ChooseFile(request);
    if (!chosen || chosen->empty()) return std::nullopt;
    request.fileName = *chosen;  // Rename shows the dialog again with this name
    if (!Exists(*chosen)) return Target{*chosen, Existing::None};
    if (const auto existing = AskAboutExisting(desktop, *chosen)) return Target{*chosen, *existing};
  }
}

// A file reached through a symbolic link is written where it really lives; renaming over the
// link would turn it into a private copy.
fs::path RealTarget(const std::string& name) {
  std::error_code ec;
  if (!fs::is_symlink(name, ec)) return name;
  fs::path real = fs::canonical(name, ec);
  return ec ? fs::path(name) : real;
}

bool WriteAll(int fd, std::string_view bytes, int& error) {
  while (!bytes.empty()) {
    const ssize_t put = ::write(fd, bytes.data(), bytes.size());
    if (put < 0 && errno == EINTR) continue;
    if (put < 0) {
      error = errno;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(put));
  }
  return true;
}

// Copies the old file into the new one; the number of bytes copied, or nothing on failure.
std::optional<std::size_t> CopyOldContent(const fs::path& from, int to, Failure& failure) {
  const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) {
    failure = {errno, true};
    return std::nullopt;
  }
  std::size_t copied = 0;
  char piece[64 * 1024];
  for (;;) {
    const ssize_t got = ::read(in, piece, sizeof piece);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) failure = {errno, true};
    if (got <= 0 || !WriteAll(to, {piece, static_cast<std::size_t>(got)}, failure.error)) break;
    copied += static_cast<std::size_t>(got);
  }
  ::close(in);
  if (failure.error != 0) return std::nullopt;
  return copied;
}

int CreateBeside(const fs::path& target, fs::path& temporary, bool keepsMode) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary = target.parent_path() / ("." + target.filename().string() + ".tmp" +
                                        std::to_string(::getpid()) + "-" +
                                        std::to_string(counter++));
    // An existing file's bits are set on it below; until then nobody else may read it.
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                          keepsMode ? 0600 : 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

// Fills the open temporary file: the old content when appending, then the results.
bool FillTemporary(int fd, const fs::path& target, const ExportSource& source, Existing existing,
                   Failure& failure) {
  std::size_t oldBytes = 0;
  if (existing == Existing::Append) {
    const auto copied = CopyOldContent(target, fd, failure);
    if (!copied) return false;
    oldBytes = *copied;
  }
  const ExportSink sink = [fd, &failure](std::string_view piece) {
    return WriteAll(fd, piece, failure.error);
  };
  return WriteResultsText(source, sink, oldBytes > 0);
}

// Writes the results beside the target and renames them over it; the old file stays as it
// was until the rename. Returns the failure, error 0 when saved.
Failure WriteTarget(const Target& chosen, const ExportSource& source) {
  const fs::path target = RealTarget(chosen.name);
  struct stat original {};
  const bool keepsMode = chosen.existing != Existing::None && ::stat(target.c_str(), &original) == 0;
  fs::path temporary;
  const int fd = CreateBeside(target, temporary, keepsMode);
  if (fd < 0) return {errno, true};
  Failure failure;
  const auto failed = [&failure] {
    failure.error = errno;
    return false;
  };
  bool ok = FillTemporary(fd, target, source, chosen.existing, failure);
  if (ok && keepsMode && ::fchmod(fd, original.st_mode & 07777) != 0) ok = failed();
  if (ok && ::fsync(fd) != 0) ok = failed();
  if (::close(fd) != 0 && ok) ok = failed();
  if (ok && ::rename(temporary.c_str(), target.c_str()) != 0) ok = failed();
  if (ok) return {};
  ::unlink(temporary.c_str());
  if (failure.error == 0) failure.error = EIO;  // a refused piece always leaves its errno
  return failure;
}

void TellFailure(runtime::Desktop& desktop, const Failure& failure, const std::string& name) {
  runtime::PostOsError(failure.error, name);
  const std::string what = failure.opening ? "Error opening file " : "Error writing file ";
  runtime::Tell(desktop, what + runtime::ErrorText() + "|" + name, "Save Results",
                runtime::Icon::Error);
}

}  // namespace

bool SaveResultsToTextFile(runtime::Desktop& desktop, const ExportSource& source,
                           SaveResultsMode mode, std::string_view editorName) {
  if (source.results.empty()) return false;
  const auto target = ChooseTarget(desktop);
  if (!target) return false;
  if (const Failure failure = WriteTarget(*target, source); failure.error != 0) {
    TellFailure(desktop, failure, target->name);
    return false;
  }
  if (mode == SaveResultsMode::SaveAndEdit) EditFile(desktop, editorName, target->name, 1);
  return true;
}

}  // namespace trawlex::results
