// The snippets of the window-structure analyser: the shipped snippet file, the file's error
// texts, control lists, the control pop-up and the filling of a template.

#include "utilities/feq_snippets.h"

#include <gtest/gtest.h>

namespace trawlex::utilities {
namespace {

const std::string kWindow =
    "Win WINDOW('Orders'),AT(,,200,100)\n"
    "  SHEET,USE(?Sheet)\n"
    "    TAB('One'),USE(?Tab1)\n"
    "      LIST,AT(1,1,50,50),USE(Loc:Pick,?OrderList),FROM(OrderQ)\n"
    "    END\n"
    "  END\n"
    "  BUTTON('&Ok'),USE(?OkButton)\n"
    "END\n";

SnippetRow Snippet(const char* gen, const char* comment = "") {
  return {
      .seq = 1, .codeCat = 1, .menuTxt = "x", .genCode = gen, .comments = comment, .controls = ""};
}

TEST(FeqSnippets, ShippedFileLoadsWithoutProblems) {
  const auto load =
      LoadSnippetFile(std::string(TRAWLEX_SOURCE_DIR) + "/share/FeqUseLoad.vlw.Shipped");
  ASSERT_TRUE(load.has_value());
  EXPECT_TRUE(load->problems.empty()) << ProblemsMessage(load->problems);
  EXPECT_GE(load->snippets.size(), 40u);
  EXPECT_GE(load->properties.size(), 10u);
  for (const SnippetCategory& category : SnippetCategories()) {
    EXPECT_TRUE(std::any_of(load->snippets.begin(), load->snippets.end(), [&](const SnippetRow& s) {
      return s.codeCat == category.codeCat;
    })) << category.name;
  }
  EXPECT_FALSE(LoadSnippetFile("/nonexistent/FeqUseLoad.vlw").has_value());
}

TEST(FeqSnippets, ReadsBothCharacterSetsAndNamesBrokenLines) {
  const std::string cp1252 =
      "CATEGORY('State')\r\nCONTROLS('~MENU')\r\n\"Hide\"  \xAB%?{PROP:Hide}=1\xBB  ! hidden\r\n"
      "PROP:Hide EQUATE(7C8Ch)\r\n\"Broken\" \xAB%?{PROP:Hide}\r\n\"No end  \xAB"
      "x\xBB\r\n";
  const SnippetLoad load = ParseSnippets(cp1252);
  ASSERT_EQ(load.snippets.size(), 1u);
  EXPECT_EQ(load.snippets[0].codeCat, 2);
  EXPECT_EQ(load.snippets[0].genCode.str(), "%?{PROP:Hide}=1");
  EXPECT_EQ(load.snippets[0].comments.str(), "hidden");
  EXPECT_EQ(load.snippets[0].controls.str(), "~MENU");
  ASSERT_EQ(load.properties.size(), 1u);
  EXPECT_EQ(load.properties[0].name, "PROP:Hide");
  ASSERT_EQ(load.problems.size(), 2u);
  EXPECT_EQ(load.problems[0].text, "No End Code \xC2\xBB|\"Broken\" \xC2\xAB%?{PROP:Hide}");
  EXPECT_EQ(load.problems[0].lineNumber, 5);
  EXPECT_EQ(load.problems[1].text, "No End Quote \"|\"No end  \xC2\xABx\xC2\xBB");

  const SnippetLoad utf8 = ParseSnippets("\"Hide\" \xC2\xAB%?{PROP:Hide}=1\xC2\xBB\n");
  ASSERT_EQ(utf8.snippets.size(), 1u);
  EXPECT_EQ(utf8.snippets[0].genCode.str(), "%?{PROP:Hide}=1");
  EXPECT_EQ(utf8.snippets[0].codeCat, 1);
}

TEST(FeqSnippets, ControlListsAcceptTheirTypes) {
  const std::vector<std::tuple<const char*, const char*, bool>> cases = {
      {"", "BUTTON", true},
      {"BUTTON,ENTRY", "entry", true},
      {"BUTTON,ENTRY", "LIST", false},
      {"LIST", "LIST-DROP", true},
      {"LIST-DROP", "LIST", false},
      {"~MENUBAR,MENU", "MENU", false},
      {"~MENUBAR,MENU", "ITEM", true},
      {"~STRING", "STRING-REP", false}};
  for (const auto& [controls, type, accepted] : cases) {
    EXPECT_EQ(SnippetAccepts(controls, type), accepted) << controls << " / " << type;
  }
}

TEST(FeqSnippets, FillsTheCodesForTheRow) {
  const WindowLoad window = LoadWindowStructure(kWindow, false);
  ASSERT_EQ(window.rows.size(), 5u);
  const std::size_t ok = 4;
  const std::size_t list = 3;
  EXPECT_EQ(FillSnippet(Snippet("%?{PROP:Hide}=1", "hide it"), window.rows, ok, false),
            "?OkButton{PROP:Hide}=1     !hide it");
  EXPECT_EQ(FillSnippet(Snippet("%?{PROP:Hide}=1", "hide it"), window.rows, ok, true),
            "?OkButton{PROP:Hide}=1");
  EXPECT_EQ(FillSnippet(Snippet("GET(%Q,CHOICE(%?))  ;;%U=1 ;;%PF/%PU"), window.rows, list, true),
            "GET(OrderQ,CHOICE(?OrderList))\r\nLoc:Pick=1\r\n?Tab1/ParentUSE");
  EXPECT_EQ(FillSnippet(Snippet("%PF %PU"), window.rows, 0, true), "ParentFEQ ParentUSE");
  EXPECT_EQ(FillSnippet(Snippet("%codeline%"), window.rows, ok, true),
            "BUTTON('&Ok'),USE(?OkButton)");
}

TEST(FeqSnippets, PopupOffersFieldsThenAcceptingSnippetsByCategory) {
  const SnippetLoad load = ParseSnippets(
      "CATEGORY('Control')\nCONTROLS('LIST')\n\"Row\" \xAB"
      "GET(%Q,CHOICE(%?))\xBB\n"
      "CATEGORY('Common')\n\"Hide\" \xAB"
      "HIDE(%?)\xBB ! gone\n");
  const WindowLoad window = LoadWindowStructure(kWindow, false);
  const ControlPopup button = BuildControlPopup(load.snippets, "BUTTON");
  EXPECT_EQ(button.menuText, "FEQ|USE|Text|Code Line|-|Common{Hide}");
  const ControlPopup list = BuildControlPopup(load.snippets, "LIST");
  EXPECT_EQ(list.menuText, "FEQ|USE|Text|Code Line|-|Common{Hide}|Control{Row}");
  const auto choose = [&](int choice, std::size_t row) {
    return PopupChoiceText(list, choice, load.snippets, window.rows, row, false).value_or("-");
  };
  EXPECT_EQ(choose(1, 3), "?OrderList");
  EXPECT_EQ(choose(2, 3), "Loc:Pick");
  EXPECT_EQ(choose(3, 2), "One");
  EXPECT_EQ(choose(5, 3), "HIDE(?OrderList)     !gone");
  EXPECT_EQ(choose(6, 3), "GET(OrderQ,CHOICE(?OrderList))");
  EXPECT_EQ(choose(0, 3), "-");
}

}  // namespace
}  // namespace trawlex::utilities
