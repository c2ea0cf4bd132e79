// The naming dialogue "Search Save": titles, and which names it accepts.

#include "search_store_fixture.h"

namespace trawlex::shell::testing {
namespace {

using SearchSaveTest = StoreTest;

TEST_F(SearchSaveTest, NamingRules) {
  AddSaved(Saved("Templates"));
  const std::string blank = "You cannot leave the Search Name blank.";
  const std::string used = "That Search Name is already used.|Please use a different name.";
  struct Case {
    SearchSaveMode mode;
    std::string nameOnEntry;
    std::string typed;
    std::string refusal;  // empty: accepted
  };
  const Case cases[] = {
      {SearchSaveMode::SaveAsNew, "", "", blank},
      {SearchSaveMode::SaveAsNew, "", "    ", blank},
      {SearchSaveMode::SaveAsNew, "", "Templates", used},
      {SearchSaveMode::SaveAsNew, "", "tEMPLATES", used},     // names are keys without case
      {SearchSaveMode::SaveAsNew, "", "Templates   ", used},  // trailing blanks do not count
      {SearchSaveMode::SaveAsNew, "Lost", "Lost", used},      // the name held on entry
      {SearchSaveMode::SaveAsNew, "Lost", "LOST", used},
      {SearchSaveMode::SaveAsNew, "", "Templates 2", ""},
      {SearchSaveMode::Rename, "Templates", "Templates", used},  // renaming to itself
      {SearchSaveMode::Rename, "Templates", "TEMPLATES", used},
      {SearchSaveMode::Rename, "Templates", "Library", ""},
      {SearchSaveMode::SaveAsNew, "", " Templates", ""},  // a leading blank counts
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    ScriptedDesktop answers;
    SearchSaveModel model(c.mode, c.nameOnEntry, c.nameOnEntry, 1, saved, answers);
    model.name = c.typed;
    const bool accepted = model.Ok();
    EXPECT_EQ(accepted, c.refusal.empty());
    if (accepted) {
      EXPECT_TRUE(answers.messages.empty());
      EXPECT_EQ(answers.beeps, 0);
      continue;
    }
    ASSERT_EQ(answers.messages.size(), 1u);
    EXPECT_EQ(answers.messages[0].text, c.refusal);
    EXPECT_EQ(answers.messages[0].caption, model.title());
    EXPECT_EQ(answers.messages[0].icon, runtime::Icon::Warning);
    EXPECT_EQ(answers.messages[0].standard, runtime::Buttons::Ok);
    EXPECT_EQ(answers.beeps, 1);
  }
}

TEST_F(SearchSaveTest, NamesAreCutToTheirThirtyCharacters) {
  AddSaved(Saved(std::string(30, 'n')));
  SearchSaveModel model(SearchSaveMode::SaveAsNew, "", "", 0, saved, desktop);
  model.name = std::string(30, 'n') + "different tail";
  EXPECT_EQ(model.name.str(), std::string(30, 'n'));
  EXPECT_FALSE(model.Ok());
  model.name = std::string(29, 'n') + "m";
  EXPECT_TRUE(model.Ok());
}

}  // namespace
}  // namespace trawlex::shell::testing
