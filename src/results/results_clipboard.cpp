#include "results/results_clipboard.h"

#include <algorithm>

#include "runtime/fixed_text.h"

namespace trawlex::results {
namespace {

constexpr std::size_t kHeadRuleWidth = 100;
constexpr std::int64_t kHitMargin = 120;  // room kept after each hit for what follows

std::string Spaces(std::int64_t count) {
  return std::string(static_cast<std::size_t>(std::max<std::int64_t>(count, 0)), ' ');
}

std::string_view Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  text.remove_prefix(first);
  return text.substr(0, runtime::Len(text));
}

std::string ColumnHeading(ClipboardLayout layout, const ColumnWidths& widths) {
  if (layout == ClipboardLayout::Tabs) return "File\tLine#\tLocation\tText\r\n";
  // Each caption starts in the column where its data starts.
  return "File" + Spaces(widths.file - 3) + "L#" + Spaces(widths.lineNo - 1) + "Location" +
         Spaces(widths.location - 7) + "Text\r\n";
}

std::string Head(const ExportSource& source, ClipboardLayout layout, const ColumnWidths& widths) {
  return runtime::Clip(HeaderLine(source)) + "\r\n" + runtime::Clip(OptionsLine(source.request)) +
         "\r\n" + runtime::Clip(ColumnHeading(layout, widths)) +
         std::string(kHeadRuleWidth, '=') + "\r\n";
}

std::string HitLine(const engine::ResultLine& hit, ClipboardLayout layout,
                    const ColumnWidths& widths) {
  const std::string number = LineNumberText(hit.lineNo);
  if (layout == ClipboardLayout::Tabs) {
    return runtime::Clip(hit.file.view()) + "\t" + number + "\t" +
           runtime::Clip(hit.location.view()) + "\t" + std::string(Trimmed(hit.text)) + "\r\n";
  }
  // Indentation stays: it shows the shape of the code.
  return runtime::Pad(hit.file.view(), static_cast<std::size_t>(widths.file)) + " " +
         runtime::Pad(number, static_cast<std::size_t>(widths.lineNo)) + " " +
         runtime::Pad(hit.location.view(), static_cast<std::size_t>(widths.location)) + " " +
         runtime::Clip(hit.text) + "\r\n";
}

// The text grows up to the estimate; `Position()` is where the next piece would start, from 1.
class ClipboardBuilder {
 public:
  ClipboardBuilder(const ExportSource& source, ClipboardLayout layout,
                   std::vector<runtime::Message>* messages)
      : source_(source),
        layout_(layout),
        widths_(ComputeColumnWidths(source.results)),
        max_(ClipboardEstimate(source, widths_)),
        messages_(messages) {}

  std::string Build() {
    text_ = Head(source_, layout_, widths_);
    AddHits();
    AddSummary();
    return std::move(text_);
  }

 private:
  std::int64_t Position() const { return static_cast<std::int64_t>(text_.size()) + 1; }

  void AddHits() {
    const std::string count = std::to_string(source_.results.size());
    std::uint32_t currentDir = 0;
    std::size_t position = 0;
    for (const engine::ResultLine& hit : source_.results) {
      ++position;
      if (hit.subdirNum != currentDir) {
        currentDir = hit.subdirNum;
        if (!AddDirectory(currentDir)) {
          Tell("Clipboard string overflowed adding Dir at line " + std::to_string(position) +
               " of " + count);
          return;
        }
      }
      const std::string line = HitLine(hit, layout_, widths_);
      const auto addLen = static_cast<std::int64_t>(runtime::Len(line));
      if (Position() + addLen + kHitMargin > max_) {
        Tell("Clipboard string overflowed at line " + std::to_string(position) + " of " + count +
             "|Clip:Max=" + std::to_string(max_) + "|Clip:AddLen=" + std::to_string(addLen));
        return;
      }
      text_ += line;
    }
  }

  // The directory line and its underline; false when they would not fit.
  bool AddDirectory(std::uint32_t dirNumber) {
    const std::string line = "Dir: " + std::string(HitDirectory(source_, dirNumber)) + "\r\n";
    const auto addLen = static_cast<std::int64_t>(line.size());
    if (Position() + 2 * addLen > max_) return false;
    text_ += line;
    text_ += std::string(line.size() - 2, '-') + "\r\n";
    return true;
  }

  // The summary follows an empty line. Should it not fit, the text ends where it is: the
  // message says so, and the clipboard gets no padding blanks after the last line.
  void AddSummary() {
    const std::string summary = "\r\n" + SummaryLine(source_) + "\r\n";
    if (Position() + static_cast<std::int64_t>(summary.size()) > max_) {
      Tell("Clipboard string overflowed at end " + std::to_string(max_ - Position()));
      return;
    }
    text_ += summary;
  }

  void Tell(std::string text) {
    if (!messages_) return;
    runtime::Message message;
    message.text = std::move(text);
    messages_->push_back(std::move(message));
  }

  const ExportSource& source_;
  ClipboardLayout layout_;
  ColumnWidths widths_;
  std::int64_t max_;
  std::vector<runtime::Message>* messages_;
  std::string text_;
};

ClipboardLayout AskLayout(runtime::Desktop& desktop) {
  runtime::Message message;
  message.text = "Space or Tab Separated?||(TSV can be pasted directly into Excel.)";
  message.caption = "Copy to Clipboard";
  message.icon = runtime::Icon::Question;
  message.buttons = "Space|Tab";
  message.defaultButton = 1;
  return desktop.ShowMessage(message) == 2 ? ClipboardLayout::Tabs : ClipboardLayout::Spaces;
}

// False when the user declines a large text.
bool ConfirmSize(runtime::Desktop& desktop, std::int64_t estimate) {
  if (estimate <= kLargeClipboard) return true;
  runtime::Message message;
  message.text = "This will result in a large clipboard of " + std::to_string(estimate) +
                 " bytes.||Continue?";
  message.caption = "Clipboard";
  message.icon = runtime::Icon::Warning;
  message.standard = runtime::Buttons::YesNo;
  message.defaultButton = runtime::kAnswerNo;
  return desktop.ShowMessage(message) != runtime::kAnswerNo;
}

}  // namespace

std::int64_t ClipboardEstimate(const ExportSource& source, const ColumnWidths& widths) {
  // 64-bit throughout: a million hits must not wrap the estimate into a small buffer.
  const auto hits = static_cast<std::int64_t>(source.results.size());
  const std::int64_t perHit = std::int64_t{widths.file} + widths.lineNo + widths.location + 7;
  return hits * perHit + widths.totalText + 2500 +
         static_cast<std::int64_t>(source.dirs.size()) * 500;
}

std::string ClipboardText(const ExportSource& source, ClipboardLayout layout,
                          std::vector<runtime::Message>* overflowMessages) {
  return ClipboardBuilder(source, layout, overflowMessages).Build();
}

void CopyResultsToClipboard(runtime::Desktop& desktop, const ExportSource& source) {
  if (source.results.empty()) return;
  const ClipboardLayout layout = AskLayout(desktop);
  if (!ConfirmSize(desktop, ClipboardEstimate(source, ComputeColumnWidths(source.results)))) {
    return;
  }
  std::vector<runtime::Message> overflows;
  const std::string text = ClipboardText(source, layout, &overflows);
  // What was built is placed even after an overflow; the messages say where it stopped.
  desktop.SetClipboardText(text);
  for (const runtime::Message& message : overflows) desktop.ShowMessage(message);
}

}  // namespace trawlex::results
