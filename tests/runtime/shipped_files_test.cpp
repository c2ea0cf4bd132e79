#include "runtime/shipped_files.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/temp_tree.h"

namespace trawlex::runtime {
namespace {

namespace fs = std::filesystem;

TEST(ShippedFiles, WorkingDirectoryFirstThenInstallPrefixThenXdgDataDirs) {
  // Unset or empty XDG_DATA_DIRS means the standard pair; relative entries are skipped.
  EXPECT_EQ(InstalledDataDirs("/opt/t/bin/trawl", ""),
            (std::vector<fs::path>{"/opt/t/share/trawlex", "/usr/local/share/trawlex",
                                   "/usr/share/trawlex"}));
  EXPECT_EQ(InstalledDataDirs("", "rel:/a::/b/"),
            (std::vector<fs::path>{"/a/trawlex", "/b/trawlex"}));

  struct Case {
    std::vector<std::string> present;  // a trailing '/' makes a directory of that name
    std::string found;                 // empty: not found
  };
  const Case cases[] = {
      {{"work/F", "prefix/share/trawlex/F", "xdg1/trawlex/F"}, "work/F"},
      {{"prefix/share/trawlex/F", "xdg1/trawlex/F"}, "prefix/share/trawlex/F"},
      {{"xdg1/trawlex/F", "xdg2/trawlex/F"}, "xdg1/trawlex/F"},
      {{"xdg2/trawlex/F"}, "xdg2/trawlex/F"},
      {{"work/F/", "xdg2/trawlex/F"}, "xdg2/trawlex/F"},
      {{"work/f", "xdg1/trawlex/f"}, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.found);
    testing::TempTree tree;
    for (const std::string& entry : c.present) {
      if (entry.back() == '/') {
        tree.Dir(entry);
      } else {
        tree.Write(entry, "x");
      }
    }
    const fs::path root = tree.root();
    const auto dirs = InstalledDataDirs(root / "prefix/bin/trawlex",
                                        (root / "xdg1").string() + ":" + (root / "xdg2").string());
    const auto found = FindShippedFileIn("F", root / "work", dirs);
    EXPECT_EQ(found.value_or(fs::path()), c.found.empty() ? fs::path() : root / c.found);
  }
}

}  // namespace
}  // namespace trawlex::runtime
