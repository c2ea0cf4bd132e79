#include "hit_output.h"

#include <ostream>
#include <vector>

#include "commands.h"
#include "json_text.h"
#include "results/results_clipboard.h"
#include "results/results_text_file.h"
#include "terminal_text.h"

namespace trawlex::app {
namespace {

constexpr std::size_t kFlushSize = 64 * 1024;

std::string StartDirectory(const std::string& path) {
  return path.back() == '/' ? path : path + "/";
}

}  // namespace

HitPrinter::HitPrinter(std::ostream& out, const SearchOptions& options)
    : out_(out),
      format_(options.format),
      escapeControls_(IsTerminal(out)),
      pathEnd_(options.nullAfterPath ? '\0' : ':'),
      startPath_(StartDirectory(options.path)) {}

const std::string& HitPrinter::PrintedPath(const engine::FileEntry& file,
                                           const engine::ScanDirEntry& dir) {
  if (pathDir_ != &dir || pathName_ != file.realName) {
    pathDir_ = &dir;
    pathName_ = file.realName;
    path_ = dir.realPath + file.realName;
    if (format_ == OutputFormat::Json) {
      path_ = JsonText(path_);
      return path_;
    }
    // Grep lines show the path relative to the start directory, as on disk.
    if (path_.compare(0, startPath_.size(), startPath_) == 0) path_.erase(0, startPath_.size());
    if (escapeControls_) path_ = EscapeControls(path_);
  }
  return path_;
}

bool HitPrinter::Print(const engine::ResultLine& hit, const engine::FileEntry& file,
                       const engine::ScanDirEntry& dir) {
  const std::string& path = PrintedPath(file, dir);
  const std::string line = std::to_string(hit.lineNo);
  if (format_ == OutputFormat::Grep) {
    PrintGrepLine(path, line, hit);
  } else {
    PrintJsonObject(path, line, hit);
  }
  if (buffer_.size() >= kFlushSize) Flush();
  return !out_.fail();
}

void HitPrinter::PrintGrepLine(const std::string& path, const std::string& line,
                               const engine::ResultLine& hit) {
  buffer_.append(path).append(1, pathEnd_).append(line).append(1, ':');
  AppendGrepField(hit.location.view());
  buffer_.append(1, ':');
  AppendGrepField(hit.text);
  buffer_.append(1, '\n');
}

void HitPrinter::PrintJsonObject(const std::string& path, const std::string& line,
                                 const engine::ResultLine& hit) {
  buffer_.append("{\"path\":").append(path);
  buffer_.append(",\"file\":").append(JsonText(hit.file.view()));
  buffer_.append(",\"subdir\":").append(JsonText(hit.subdir.view()));
  buffer_.append(",\"subdirnum\":").append(std::to_string(hit.subdirNum));
  buffer_.append(",\"line\":").append(line);
  buffer_.append(",\"location\":").append(JsonText(hit.location.view()));
  buffer_.append(",\"text\":").append(JsonText(hit.text));
  buffer_.append(",\"ptr\":").append(std::to_string(hit.ptr)).append("}\n");
}

void HitPrinter::AppendGrepField(std::string_view text) {
  if (escapeControls_) {
    buffer_.append(EscapeControls(text));
  } else {
    buffer_.append(text);
  }
}

void HitPrinter::Flush() {
  if (buffer_.empty()) return;
  out_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
  buffer_.clear();
}

}  // namespace trawlex::app

namespace trawlex::app {
namespace {

// Message texts break lines at '|'; a terminal line reads them better as "; ".
std::string OneLineMessage(std::string_view text) {
  std::string line;
  for (const char c : text) {
    if (c == '|') {
      line += "; ";
    } else {
      line += c;
    }
  }
  return line;
}

}  // namespace

bool WriteExport(std::ostream& out, std::ostream& err, OutputFormat format,
                 const results::ExportSource& source) {
  if (source.results.empty()) return !out.fail();
  if (format == OutputFormat::Text) {
    // Streamed in pieces: the text of a large run never sits in memory whole.
    const results::ExportSink sink = [&out](std::string_view piece) {
      return !out.write(piece.data(), static_cast<std::streamsize>(piece.size())).fail();
    };
    results::WriteResultsText(source, sink, false);
    return !out.fail();
  }
  const auto layout =
      format == OutputFormat::Tsv ? results::ClipboardLayout::Tabs : results::ClipboardLayout::Spaces;
  std::vector<runtime::Message> overflows;
  const std::string text = results::ClipboardText(source, layout, &overflows);
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  for (const runtime::Message& message : overflows) PrintError(err, OneLineMessage(message.text));
  return !out.fail();
}

}  // namespace trawlex::app
