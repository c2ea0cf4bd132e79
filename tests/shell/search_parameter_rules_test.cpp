// The small rules of the search-parameters dialogue.

#include <gtest/gtest.h>

#include "shell/search_parameter_rules.h"
#include "support/temp_tree.h"

namespace trawlex::shell {
namespace {

TEST(SearchParameterRules, WildcardTextLosesItsOuterStars) {
  const struct {
    const char* text;
    const char* tidy;
  } cases[] = {{"**kmn**", "kmn"}, {"* * kmn", "kmn"}, {"k***n", "k*n"}, {"kmn", "kmn"},
               {"***", ""},        {"k?n*", "k?n"}};
  for (const auto& c : cases) EXPECT_EQ(TidyWildcardText(c.text), c.tidy) << c.text;
}

TEST(SearchParameterRules, SpecificationsAreNormalised) {
  const struct {
    const char* specs;
    const char* normal;
  } cases[] = {{" ;*.vlw ;; *.inc; ", "*.vlw;*.inc"},
               {"\t*.vlw;;;;*.inc", "*.vlw;*.inc"},
               {";;", ""},
               {"*.vlw", "*.vlw"}};
  for (const auto& c : cases) EXPECT_EQ(NormaliseSpecs(c.specs), c.normal) << c.specs;
}

TEST(SearchParameterRules, HistoryKeepsTheNewestOnTopWithoutDuplicates) {
  std::vector<std::string> history = {"foo", "bar"};
  UpdateHistory(history, "Foo");
  EXPECT_EQ(history, (std::vector<std::string>{"Foo", "bar"}));
  for (int i = 0; i < 20; ++i) UpdateHistory(history, "x" + std::to_string(i));
  EXPECT_EQ(history.size(), kHistorySize + 1);  // 13 for a moment, until the next update
  EXPECT_EQ(history.front(), "x19");
  UpdateHistory(history, "y");
  EXPECT_EQ(history.size(), kHistorySize + 1);
  EXPECT_EQ(history[1], "x19");
}

TEST(SearchParameterRules, TrimUntilPathExists) {
  testing::TempTree tree;
  tree.Dir("a/b");
  EXPECT_EQ(TrimUntilPathExists(tree.path() + "a/b/missing/deeper"), tree.path() + "a/b");
  EXPECT_EQ(TrimUntilPathExists(tree.path() + "a"), tree.path() + "a");
  EXPECT_EQ(TrimUntilPathExists("/no-such-top/level/two"), "/");
  EXPECT_EQ(TrimUntilPathExists("relative-that-is-not-there/x"), "");
  EXPECT_EQ(TrimUntilPathExists(""), "");
  EXPECT_EQ(WithoutTrailingSlash("/src/app/"), "/src/app");
  EXPECT_EQ(WithoutTrailingSlash("/"), "/");
}

TEST(SearchParameterRules, SpecPresets) {
  EXPECT_TRUE(SpecPresetMenu().starts_with("Erase|-|*.VLW|*.INC|*.INT|"));
  EXPECT_TRUE(SpecPresetMenu().ends_with("|*.C|*.CPP|*.BAS|*.VB"));
  EXPECT_EQ(ApplySpecPreset("*.vlw", 1), "");                       // Erase
  EXPECT_EQ(ApplySpecPreset("", 2), "*.vlw");
  EXPECT_EQ(ApplySpecPreset("*.vlw", 3), "*.vlw;*.inc");
  EXPECT_EQ(ApplySpecPreset("*.vlw;", 3), "*.vlw;*.inc");
  EXPECT_EQ(ApplySpecPreset("", 9), "*.tpl;*.tpw");                 // *.tp?
  EXPECT_EQ(ApplySpecPreset("*.asp", 26), "*.asp;*.bas;*.frm;*.cls");
  EXPECT_EQ(ApplySpecPreset("*.vlw", 0), "*.vlw");                  // nothing chosen
}

TEST(SearchParameterRules, DropMenuSortsAndEmpties) {
  std::vector<std::string> find = {"b", "A"}, path = {"z", "y"}, spec = {"2", "1"};
  ApplyDropChoice(3, find, path, spec);  // sort Find
  EXPECT_EQ(find, (std::vector<std::string>{"A", "b"}));
  EXPECT_EQ(path, (std::vector<std::string>{"z", "y"}));
  ApplyDropChoice(2, find, path, spec);  // sort All
  EXPECT_EQ(path, (std::vector<std::string>{"y", "z"}));
  ApplyDropChoice(8, find, path, spec);  // empty Path
  EXPECT_TRUE(path.empty());
  EXPECT_FALSE(find.empty());
  ApplyDropChoice(6, find, path, spec);  // empty All
  EXPECT_TRUE(find.empty() && spec.empty());
}

TEST(SearchParameterRules, AppSpecsTakeFiveLettersOfEachApplication) {
  EXPECT_EQ(AppSpecs({"/src/Inventory.APP", "/src/ord.app"}), "inven*.VLW;ord*.VLW");
  std::vector<std::string> many;
  for (int i = 0; i < 10; ++i) many.push_back("/a/app" + std::to_string(i) + "xx.app");
  EXPECT_LT(AppSpecs(many).size(), 60u);  // further patterns are skipped once full
}

}  // namespace
}  // namespace trawlex::shell
