#include "shell/veldar_versions.h"

#include <gtest/gtest.h>

#include "support/temp_tree.h"

namespace trawlex::shell {
namespace {

TEST(VeldarVersionsTest, HelpFilesAreLookedForFromSixPointZeroDown) {
  std::string versions;
  for (const VeldarVersion& v : HelpFileVersions()) {
    versions += std::to_string(v.index) + ":" + std::string(v.version) + ":" +
                std::string(v.shortForm) + " ";
  }
  EXPECT_EQ(versions, "4:6.0:60 5:5.5:55 6:5:5 7:4:4 8:2:2 ");
}

TEST(VeldarVersionsTest, VersionNumberReadsTheLeadingNumber) {
  const std::pair<std::string_view, double> cases[] = {
      {"6.0", 6.0}, {"5.6", 5.6}, {" 2 ", 2},     {"", 0},    {"0.0", 0},
      {"abc", 0},   {"7beta", 7}, {"5.5.1", 5.5}, {"inf", 0}, {"1e9", 1},
  };
  for (const auto& [text, number] : cases) {
    EXPECT_DOUBLE_EQ(VersionNumber(text), number) << '"' << text << '"';
  }
}

TEST(VeldarVersionsTest, WorkingDirectoryComesFromTheFirstNonBlankSection) {
  struct Case {
    const char* name;
    std::string winIni;
    std::string_view version;
    std::string expected;
  };
  const Case cases[] = {
      {"enterprise first",
       "[Veldar 5.5]\nworkdir=/pro\n[Veldar 5.5  Enterprise Edition]\nworkdir=/ee", "5.5", "/ee"},
      {"blank enterprise",
       "[Veldar 5.5  Enterprise Edition]\nworkdir= \n[Veldar 5.5]\nworkdir=/pro", "5.5", "/pro"},
      {"one blank before Enterprise", "[Veldar 5.5 Enterprise Edition]\nworkdir=/ee", "5.5", ""},
      {"names without case", "[VELDAR 6.0]\nWORKDIR=/opt/vw60/BIN/", "6.0", "/opt/vw60/BIN/"},
      {"2.0 section for 2", "[Veldar for Windows V2.0]\nworkdir=/vw20", "2", "/vw20"},
      {"2.0 section only for 2", "[Veldar for Windows V2.0]\nworkdir=/vw20", "2.0", ""},
      {"plain before 2.0", "[Veldar for Windows V2.0]\nworkdir=/old\n[Veldar 2]\nworkdir=/new", "2",
       "/new"},
      {"no such file", "", "5.5", ""},
  };
  for (const Case& c : cases) {
    testing::TempTree tree;
    if (!c.winIni.empty()) tree.Write("win.ini", c.winIni);
    EXPECT_EQ(WorkingDirectoryOf(c.version, tree.root() / "win.ini"), c.expected) << c.name;
  }
}

}  // namespace
}  // namespace trawlex::shell
