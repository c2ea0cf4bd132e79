// Locations end to end: the sample tree searched through a whole run, every file kind, and
// the same locations whether or not the quick pre-scan picks the files.

#include <gtest/gtest.h>

#include <map>
#include <tuple>

#include "engine/search_run.h"
#include "engine/standard_trackers.h"
#include "support/scripted_questions.h"

#ifndef TRAWLEX_SAMPLES_DIR
#error "TRAWLEX_SAMPLES_DIR must name the sample tree"
#endif

namespace trawlex::engine {
namespace {

using Key = std::tuple<std::string, std::string, std::uint32_t>;  // subdir, file, line

SearchSpec SampleRequest(const char* text, bool regex) {
  SearchSpec r;
  r.text = text;
  r.path = TRAWLEX_SAMPLES_DIR;
  r.spec = "*.*";
  r.sw.subdirs = 1;
  r.sw.subLevels = 9;
  r.sw[Extra::Regex] = regex;
  return r;
}

std::map<Key, std::string> LocationsOf(const SearchSpec& request) {
  testing::ScriptedQuestions questions;
  SearchRun run(request, {}, questions, StandardTrackers());
  std::map<Key, std::string> locations;
  if (!run.Open()) return locations;
  while (run.Step(100)) {
  }
  for (const ResultLine& r : run.results()) {
    locations[{r.subdir.str(), r.file.str(), r.lineNo}] = r.location.str();
  }
  return locations;
}

TEST(SampleLocations, EveryFileKindLocatesItsLines) {
  // "." matches every line: the subject always starts with a blank.
  const auto all = LocationsOf(SampleRequest(".", true));
  const struct {
    const char* subdir;
    const char* file;
    std::uint32_t line;
    const char* location;
  } expected[] = {
      // Veldar: program, maps, procedures, routines.
      {"app", "inventory.vlw", 5, "MAP"},
      {"app", "inventory.vlw", 21, ""},
      {"app", "inventory.vlw", 23, "Main"},
      {"app", "inventory.vlw", 24, "Main"},
      {"app", "inventory.vlw", 32, "Main"},
      {"app", "inventory.vlw", 39, "Main  RefreshTotals"},
      // A member module: class declaration, methods after a procedure, routine data.
      {"app", "stockupd.vlw", 5, "MAP"},
      {"app", "stockupd.vlw", 15, ""},
      {"app", "stockupd.vlw", 19, "UpdateStock"},
      {"app", "stockupd.vlw", 32, "UpdateStock  LogChange"},
      {"app", "stockupd.vlw", 34, "UpdateStock  LogChange"},
      {"app", "stockupd.vlw", 39, "UpdateStock  StockCls.Init"},
      {"app", "stockupd.vlw", 51, "UpdateStock  StockCls.Adjust  ClampStock"},
      {"app", "stockupd.vlw", 56, "ReportStock"},
      // Global class code.
      {"app", "classes.vlw", 8, ""},
      {"app", "classes.vlw", 18, "ReportWriter.Write"},
      {"app", "classes.vlw", 24, "ReportWriter.Write  CountPage"},
      {"app", "classes.vlw", 29, "ReportWriter.PrinterIface.PrintLine"},
      {"app", "orders.vlw", 4, ""},
      {"app", "orders.vlw", 12, "TakeOrder"},
      // Templates.
      {"templates", "browse.tpl", 1, "Inventory  #TEMPLATE"},
      {"templates", "browse.tpl", 4, "BrowseStock  #PROCEDURE"},
      {"templates", "browse.tpl", 7, "SaveButton  #EXTENSION"},
      {"templates", "browse.tpl", 9, "SetStockFilter  #CODE"},
      // Application text export.
      {"export", "inventory.txa", 4, "[PROGRAM]"},
      {"export", "inventory.txa", 8, "UpdateCustomer"},
      {"export", "inventory.txa", 16, "UpdateCustomer  TPL: Veldar SaveButton"},
      {"export", "inventory.txa", 20, "UpdateCustomer  EMBED %ProcedureSetup"},
      {"export", "inventory.txa", 23, "BrowseStock"},
      // Style file.
      {"styles", "inventory.sty", 3, "EntryFields"},
      {"styles", "inventory.sty", 7, "Buttons"},
      // C.
      {"native", "stockcalc.c", 6, "clamp_stock"},
      {"native", "stockcalc.c", 14, "total_stock"},
      {"native", "stockcalc.c", 19, "total_stock"},  // a prototype changes nothing
      {"native", "stockcalc.c", 23, "main"},
      // ASP, PHP, VB.
      {"web", "orders.asp", 4, "OrderTotal"},
      {"web", "orders.asp", 8, "ShowOrder"},
      {"web", "orders.php", 4, "orderTotal"},
      {"web", "orders.php", 8, "showOrder"},
      {"vb", "stock.bas", 4, "StockLevel"},
      {"vb", "stock.bas", 8, "Form_Load"},
      // VB.NET.
      {"vb", "order.vb", 4, "Order  CLASS"},
      {"vb", "order.vb", 9, "Order  Save"},
      {"vb", "order.vb", 10, "Order"},
      {"vb", "order.vb", 13, "Order  Total"},
      {"vb", "order.vb", 19, "Main"},
      {"vb", "order.vb", 22, ""},
      // Plain text has none.
      {"notes", "readme.txt", 2, ""},
  };
  for (const auto& e : expected) {
    const auto found = all.find({e.subdir, e.file, e.line});
    ASSERT_NE(found, all.end()) << e.subdir << "/" << e.file << ":" << e.line;
    EXPECT_EQ(found->second, e.location) << e.subdir << "/" << e.file << ":" << e.line;
  }
}

TEST(SampleLocations, SameWithAndWithoutThePreScan) {
  for (const char* text : {"stock", "order", "code"}) {
    SearchSpec request = SampleRequest(text, false);
    const auto quick = LocationsOf(request);
    request.sw[Extra::LineMode] = 1;
    EXPECT_EQ(LocationsOf(request), quick) << text;
    EXPECT_FALSE(quick.empty()) << text;
  }
}

}  // namespace
}  // namespace trawlex::engine
