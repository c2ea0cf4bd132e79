// A store path that holds neither a regular file nor nothing: refused by name before SQLite
// opens it, never created or written over, and the refusal stays the reason every later
// operation gives.

#include "shell/store_path.h"

#include <sys/stat.h>

#include <algorithm>
#include <functional>
#include <tuple>
#include <vector>

#include "runtime/error_codes.h"
#include "support/directory_snapshot.h"
#include "support/finishes_in_child.h"
#include "search_store_fixture.h"
#include "shell/store_messages.h"

namespace trawlex::shell::testing {
namespace {

namespace fs = std::filesystem;

// The desktop program opens a store to write it; the command line only reads.
StoreOptions ReadOnly() {
  StoreOptions options = QuickOptions();
  options.create = false;
  options.readOnly = true;
  return options;
}

TEST(StorePath, WhatIsNotAFileIsRefusedByNameAndLeftAlone) {
  struct Case {
    const char* name;
    std::function<void(const fs::path&)> make;
    const char* what;
  };
  const Case cases[] = {
      {"directory", [](const fs::path& p) { fs::create_directory(p); }, "a directory"},
      {"named pipe", [](const fs::path& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); },
       "a named pipe"},
      {"link loop", [](const fs::path& p) { fs::create_symlink(p.filename(), p); },
       "a symbolic link loop"},
      {"dangling link", [](const fs::path& p) { fs::create_symlink("gone.hvn", p); },
       "a symbolic link to a missing file"},
      {"device", [](const fs::path& p) { fs::create_symlink("/dev/null", p); },
       "a character device"},
  };
  SavedSearchStore saved;
  RecentSearchStore recent;
  const std::tuple<RecordStore*, std::string_view, StoreOptions> stores[] = {
      {&saved, SavedSearchStore::kFileName, QuickOptions()},
      {&recent, RecentSearchStore::kFileName, ReadOnly()},
  };
  TempTree tree;
  int number = 0;
  for (const Case& c : cases) {
    for (const auto& [store, name, options] : stores) {
      SCOPED_TRACE(std::string(c.name) + " as " + std::string(name));
      const fs::path dir = tree.Dir("case" + std::to_string(++number));
      const std::string path = (dir / name).string();
      c.make(path);
      const std::string before = trawlex::testing::DirectorySnapshot(dir);
      if (!trawlex::testing::FinishesInChild([&] { store->Open(path, options); })) {
        ADD_FAILURE() << "the open blocked";
        continue;  // here it would hang the run
      }

      const std::string refusal = path + " is " + c.what + ", not a search store";
      EXPECT_EQ(CheckStorePath(path).refusal, refusal);
      EXPECT_FALSE(store->Open(path, options));
      EXPECT_EQ(runtime::ErrorCode(), 36);
      EXPECT_EQ(store->driverError(), refusal);
      EXPECT_EQ(OpenStoreErrorMessage(*store).text,
                "Unable to open the search store|Error: Invalid Data File|File: " + path +
                    " |File Error: " + refusal);
      EXPECT_FALSE(store->Count());
      EXPECT_EQ(runtime::ErrorText(), "File Not Open");
      EXPECT_EQ(store->driverError(), refusal) << "later failures still say why";
      EXPECT_EQ(trawlex::testing::DirectorySnapshot(dir), before) << "nothing created or changed";
    }
  }
}

TEST(StorePath, NothingThereIsNoStoreYetAndAFileIsOpened) {
  TempTree tree;
  const std::string path = (tree.root() / SavedSearchStore::kFileName).string();
  EXPECT_EQ(CheckStorePath(path).kind, runtime::PathKind::Missing);
  SavedSearchStore store;
  ASSERT_TRUE(store.Open(path, QuickOptions()));
  const StorePathCheck check = CheckStorePath(path);
  EXPECT_EQ(check.kind, runtime::PathKind::Regular);
  EXPECT_EQ(check.refusal, "");
}

}  // namespace
}  // namespace trawlex::shell::testing
