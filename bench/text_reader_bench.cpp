// The text reader over ~16 MB of typical source lines: the cost the line stage pays per byte
// of every candidate file. A plain memchr line count over the same bytes is the floor to
// compare with (roughly what `grep -c ''` does).

#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "runtime/text_reader.h"

namespace {

using trawlex::runtime::TextReader;
using trawlex::runtime::TextRecord;

constexpr std::size_t kTextSize = 16 << 20;

// Source-like lines: most indented by blanks, about one in six by a tab, some with a tab
// before a trailing comment, CR LF line ends, and now and then a line longer than a record.
std::string MakeSourceText(bool withTabs) {
  static const char* const kBodies[] = {
      "IF custTotal = orderCount THEN custTotal += 1.",
      "LOOP I# = 1 TO RECORDS(InvoiceQ)",
      "GET(InvoiceQ,I#)",
      "itemPrice = 'ware it''s batchQueue'",
      "DO PrintReportRtn",
      "END",
      "MESSAGE('StockWare tab','EntryButton',ICON:Exclamation)",
      "amountQty = priceLine * 412 + zipCity",
      "SELF.ListEntry.KeyEquate(custName, orderAddr)",
      "RETURN totalCount",
      "UpdateCustomer PROCEDURE(STRING pName)",
      "",
  };
  std::mt19937 random(42);
  std::string text;
  text.reserve(kTextSize + 1024);
  while (text.size() < kTextSize) {
    const bool tab = withTabs && random() % 6 == 0;
    text += tab ? std::string(1 + random() % 2, '\t') : std::string(2 * (random() % 4), ' ');
    text += kBodies[random() % std::size(kBodies)];
    if (withTabs && random() % 5 == 0) text += "\t! comment";
    if (random() % 200 == 0) text += std::string(300, 'x');
    text += "\r\n";
  }
  return text;
}

const std::string& SourceText(bool withTabs) {
  static const std::string tabbed = MakeSourceText(true);
  static const std::string plain = MakeSourceText(false);
  return withTabs ? tabbed : plain;
}

// The tabbed text written once to a temporary file (read back from the page cache), removed
// when the benchmark program ends.
struct TempFile {
  std::string path;
  TempFile() {
    path = (std::filesystem::temp_directory_path() / "trawlex-bench-XXXXXX").string();
    const int fd = mkstemp(path.data());
    if (fd >= 0) close(fd);
    std::ofstream(path, std::ios::binary) << SourceText(true);
  }
  ~TempFile() { unlink(path.c_str()); }
};

const std::string& SourceFile() {
  static const TempFile file;
  return file.path;
}

std::size_t ReadAll(TextReader& reader) {
  TextRecord record;
  std::size_t chars = 0;
  while (reader.Next(record)) chars += record.text.size();
  return chars;
}

void BM_TextReaderMemory(benchmark::State& state) {
  const std::string& text = SourceText(state.range(0) != 0);
  TextReader reader;
  std::int64_t records = 0;
  for (auto _ : state) {
    reader.OpenMemory(text);
    benchmark::DoNotOptimize(ReadAll(reader));
    records += reader.RecordsRead();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
  state.SetItemsProcessed(records);
}
BENCHMARK(BM_TextReaderMemory)->ArgName("tabs")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_TextReaderFile(benchmark::State& state) {
  const std::string& path = SourceFile();
  TextReader reader;
  std::int64_t records = 0;
  for (auto _ : state) {
    if (!reader.Open(path)) {
      state.SkipWithError("cannot open the benchmark file");
      break;
    }
    benchmark::DoNotOptimize(ReadAll(reader));
    records += reader.RecordsRead();
  }
  reader.Close();
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * SourceText(true).size()));
  state.SetItemsProcessed(records);
}
BENCHMARK(BM_TextReaderFile)->Unit(benchmark::kMillisecond);

// The floor: finding the line feeds and nothing else.
void BM_MemchrLineCount(benchmark::State& state) {
  const std::string& text = SourceText(true);
  for (auto _ : state) {
    std::size_t lines = 0;
    const char* p = text.data();
    const char* const end = p + text.size();
    while (const void* lf = std::memchr(p, '\n', static_cast<std::size_t>(end - p))) {
      p = static_cast<const char*>(lf) + 1;
      ++lines;
    }
    benchmark::DoNotOptimize(lines);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_MemchrLineCount)->Unit(benchmark::kMillisecond);

}  // namespace
