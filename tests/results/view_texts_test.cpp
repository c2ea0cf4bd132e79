// The viewer's texts: title and heading, the text tab, row copies, the help word and action,
// the find text of a new search, and its messages.

#include "results/view_texts.h"

#include <gtest/gtest.h>

namespace trawlex::results {
namespace {

TEST(ViewTexts, TitleAndHeading) {
  ViewParams p;
  p.file = "Main.vlw";
  p.fileAndPath = "/src/app/Main.vlw";
  p.lineNo = 12;
  p.resQNum = 3;
  p.resQRecs = 40;
  EXPECT_EQ(ViewTitle(p), "View Main.vlw - line 12 - (3 of 40)");
  EXPECT_EQ(ViewHeading(p), "Main.vlw - Line 12 - (3 of 40)");
  p.location = "Main PROCEDURE  ";
  EXPECT_EQ(ViewHeading(p), "Main PROCEDURE");
  p.location.clear();
  p.file = std::string(40, 'x') + "\xC3\xA9" + std::string(30, 'y');  // é across the cut
  EXPECT_EQ(ViewHeading(p), std::string(40, 'x') + "\xC3\xA9" + std::string(18, 'y'));
  p.file = "";
  EXPECT_EQ(ViewTitle(p), "View Main.vlw - line 12 - (3 of 40)");
  p.file = std::string(59, 'z') + "\xC3\xA9";
  EXPECT_EQ(ViewHeading(p), std::string(59, 'z'));
}

TEST(ViewTexts, PageTextAndRowCopies) {
  const std::vector<ViewRow> rows = {{"  first   ", 1}, {"", 12}, {"third", 13}};
  EXPECT_EQ(PageText(rows), "  first\r\n\r\nthird");
  const std::vector<ViewRow> many(800, ViewRow{std::string(10, 'a'), 1});
  EXPECT_EQ(PageText(many).size(), kPageTextLimit);
  EXPECT_EQ(RowCopyText("   x = 1  ! set x", false), "x = 1  ! set x");
  EXPECT_EQ(RowCopyText("   x = 1  ! set x", true), "x = 1  ");
}

TEST(ViewTexts, HelpWordAndSearchText) {
  EXPECT_EQ(HelpWord(" OPEN \r\n", "CLOSE(f)"), "OPEN");
  EXPECT_EQ(HelpWord("", "    Loc:Name = 1"), "Loc:Name");
  EXPECT_EQ(HelpWord("", "  CLOSE(f)"), "CLOSE");
  EXPECT_EQ(HelpWord("", "  !comment"), std::nullopt);
  EXPECT_EQ(HelpWord("", "    "), std::nullopt);
  EXPECT_EQ(SearchTextFromSelection("  Get(\r\n  Customer,\tKey)"), "Get( Customer, Key)");
  EXPECT_EQ(SearchTextFromSelection(std::string(70, 'q')), std::string(60, 'q'));
}

TEST(ViewTexts, LanguageHelpIsAUrlOrCommandWords) {
  EXPECT_EQ(LanguageHelpFor("   ", "OPEN"), std::nullopt);
  const auto url = LanguageHelpFor(" https://help.example/find?q=%W ", "Loc:A B");
  ASSERT_TRUE(url);
  EXPECT_TRUE(url->isUrl);
  EXPECT_EQ(url->url, "https://help.example/find?q=Loc%3AA%20B");
  const auto command = LanguageHelpFor("vhelp --topic '%W' \"x;%W\"", "$(rm)");
  ASSERT_TRUE(command);
  EXPECT_FALSE(command->isUrl);
  EXPECT_EQ(command->words, (std::vector<std::string>{"vhelp", "--topic", "$(rm)", "x;$(rm)"}));
  EXPECT_EQ(LanguageHelpFor("vhelp 'unclosed", "x"), std::nullopt);
}

TEST(ViewTexts, Messages) {
  const runtime::Message reopen = ReopenErrorMessage({302, "File Not Found"}, "/src/a.vlw");
  EXPECT_EQ(reopen.text,
            "An unexpected error trying to reopen the file you were viewing.||Error: File Not "
            "Found|File: /src/a.vlw");
  EXPECT_EQ(reopen.caption, "Search");
  EXPECT_EQ(reopen.icon, runtime::Icon::Warning);
  const runtime::Message question = FindNotFoundQuestion("Cust  ");
  EXPECT_EQ(question.text, "Did not find: Cust||Start from top of file?");
  EXPECT_EQ(question.caption, "FIND");
  EXPECT_EQ(question.standard, runtime::Buttons::YesNo);
  EXPECT_EQ(question.defaultButton, runtime::kAnswerYes);
  EXPECT_EQ(NoHelpWordMessage().text, "Please select a line with text");
  EXPECT_NE(LanguageHelpNotSetMessage().text.find("LanguageHelp"), std::string::npos);
  EXPECT_EQ(LanguageHelpNotSetMessage().icon, runtime::Icon::Information);
}

}  // namespace
}  // namespace trawlex::results
