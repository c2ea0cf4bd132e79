// Pruning a results queue of a million lines by the Delete menu's criteria: the one pass that
// decides for every line and the one compaction that follows. The queue is copied afresh
// (untimed) for every run, since pruning changes it.

#include <benchmark/benchmark.h>

#include <string>

#include "results/pruning.h"

namespace {

using namespace trawlex;

constexpr std::size_t kLines = 1'000'000;
constexpr std::size_t kLinesPerFile = 1'000;

const engine::ResultsQueue& MillionLines() {
  static const engine::ResultsQueue queue = [] {
    static const char* const kTexts[] = {
        "  IF custTotal = orderCount THEN custTotal += 1.  ! check stock",
        "  LOOP I# = 1 TO RECORDS(InvoiceQ)",
        "  SELF.ListEntry.KeyEquate(custName, orderAddr)",
        "UpdateCustomer PROCEDURE(STRING pName)",
        "  amountQty = priceLine * 412 + zipCity",
        "! group file key comment",
        "  RETURN totalCount",
    };
    engine::ResultsQueue lines;
    runtime::SharedText file;
    runtime::SharedText location;
    const runtime::SharedText subdir("app");
    for (std::size_t i = 0; i < kLines; ++i) {
      if (i % kLinesPerFile == 0) {
        file = runtime::SharedText("module" + std::to_string(i / kLinesPerFile) + ".vlw");
        location = runtime::SharedText("Proc" + std::to_string(i / kLinesPerFile) + " PROCEDURE");
      }
      engine::ResultLine line;
      line.file = file;
      line.subdir = subdir;
      line.subdirNum = 1;
      line.location = location;
      line.lineNo = static_cast<std::uint32_t>(i % kLinesPerFile + 1);
      line.text = kTexts[i % std::size(kTexts)];
      lines.push_back(std::move(line));
    }
    return lines;
  }();
  return queue;
}

class NoDesktop final : public runtime::Desktop {
 public:
  int ShowMessage(const runtime::Message&) override { return 1; }
  int PopupMenu(const std::string&) override { return 0; }
  int PopupMenuAt(const std::string&, runtime::ScreenPoint) override { return 0; }
  std::optional<std::string> ChooseFile(const runtime::FileDialogRequest&) override { return {}; }
  std::vector<std::string> ChooseFiles(const runtime::FileDialogRequest&) override { return {}; }
  std::optional<std::string> ChooseDirectory(const std::string&, const std::string&) override {
    return {};
  }
  std::optional<runtime::FontChoice> ChooseFont(const runtime::FontChoice&,
                                                const std::string&) override {
    return {};
  }
  std::optional<int> ChooseColour(int, const std::string&) override { return {}; }
  std::string ClipboardText() override { return {}; }
  void SetClipboardText(const std::string&) override {}
  bool RunProgram(const std::string&, const std::vector<std::string>&) override { return false; }
  runtime::OsError StartProgram(const runtime::ProgramStart&) override { return {}; }
  bool OpenWithSystem(const std::string&, const std::string&) override { return false; }
  bool ShowInFileManager(const std::string&, const std::string&) override { return false; }
  bool ProgramAvailable(const std::string&) override { return true; }
  std::string CurrentDirectory() override { return "/"; }
  void Beep() override {}
};

void Prune(benchmark::State& state, results::DeleteChoice choice, std::size_t selectedRow,
           bool keep, const results::FindAndDeleteRecord& record) {
  NoDesktop desktop;
  std::size_t deleted = 0;
  for (auto _ : state) {
    state.PauseTiming();
    engine::ResultsQueue queue = MillionLines();
    state.ResumeTiming();
    deleted =
        results::ApplyDeleteChoice(queue, selectedRow, choice, keep, record, 1, desktop).deleted;
    benchmark::DoNotOptimize(queue);
    state.PauseTiming();
    { engine::ResultsQueue gone = std::move(queue); }  // freeing the queue is not pruning
    state.ResumeTiming();
  }
  state.counters["deleted"] = static_cast<double>(deleted);
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kLines));
}

void BM_PruneFileExtKeep(benchmark::State& state) {
  Prune(state, results::DeleteChoice::FileExt, 5'000, true, {});
}

void BM_PruneTextContains(benchmark::State& state) {
  Prune(state, results::DeleteChoice::TextContains, 1, false, {});  // "LOOP I# = 1 TO ..."
}

void BM_PruneFindAndDeleteRegex(benchmark::State& state) {
  results::FindAndDeleteRecord record;
  record.find.findText = "cust[a-z]+ *=";
  record.find.sw.regex = true;
  results::PrepareFindText(record.find);
  record.inLocation = true;
  Prune(state, results::DeleteChoice::FindAndDelete, 0, false, record);
}

}  // namespace

BENCHMARK(BM_PruneFileExtKeep)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PruneTextContains)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PruneFindAndDeleteRegex)->Unit(benchmark::kMillisecond);
