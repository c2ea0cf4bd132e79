// Copying between a search request and the two store records.

#include <gtest/gtest.h>

#include "shell/saved_search.h"

namespace trawlex::shell {
namespace {

using engine::Extra;

engine::SearchSpec Request() {
  engine::SearchSpec request;
  request.text = "kmn";
  request.path = std::string(127, 'p') + "/beyond the record's width";
  request.spec = "*.vlw;*.inc";
  request.sw = {1, 1, 1, 1, 1, 1, 1, 4, 1, 1, 1, 1, {1, 1, 1, 6, 5, 0, 0, 0, 9, 1}};
  return request;
}

TEST(CopyRequestToSaved, CutsThePathClearsLineModeAndLeavesModalAndLiterals) {
  SavedSearch record;
  record.sw.modal = 0;
  record.sw.literalsOnly = 7;
  record.sw.literalsSkip = 8;
  CopyRequestToSaved(Request(), record);
  EXPECT_EQ(record.text.str(), "kmn");
  EXPECT_EQ(record.path.str(), std::string(127, 'p'));
  EXPECT_EQ(record.spec.str(), "*.vlw;*.inc");
  EXPECT_EQ(record.sw.subLevels, 4);
  EXPECT_EQ(record.sw.extra, (std::array<std::uint8_t, 10>{1, 1, 1, 6, 5, 0, 0, 0, 9, 0}));
  EXPECT_EQ(record.sw.modal, 0);
  EXPECT_EQ(record.sw.literalsOnly, 7);
  EXPECT_EQ(record.sw.literalsSkip, 8);
}

TEST(CopyRequestToRecent, KeepsLineModeAndStillLeavesModal) {
  RecentSearch record;
  CopyRequestToRecent(Request(), record);
  EXPECT_EQ(record.path.str(), std::string(127, 'p'));
  EXPECT_EQ(record.sw[Extra::LineMode], 1);
  EXPECT_EQ(record.sw.modal, 0);
  EXPECT_EQ(record.sw.literalsOnly, 0);
}

TEST(CopySavedToRequest, ABlankTextKeepsTheDialoguesText) {
  struct Case {
    std::string savedText;
    std::string expected;
  };
  for (const Case& c : {Case{"", "typed"}, Case{"   ", "typed"}, Case{"saved", "saved"}}) {
    SavedSearch record;
    record.text = c.savedText;
    record.path = "/saved";
    engine::SearchSpec request = Request();
    request.text = "typed";
    CopySavedToRequest(record, request);
    EXPECT_EQ(request.text.str(), c.expected) << c.savedText;
    EXPECT_EQ(request.path.str(), "/saved");
  }
}

TEST(CopySavedToRequest, SwitchesComeBackButModalAndLiteralsStay) {
  SavedSearch record;
  record.sw = {0, 1, 0, 1, 0, 1, 0, 2, 1, 1, 1, 0, {0, 0, 1, 3, 0, 0, 0, 0, 0, 0}};
  engine::SearchSpec request = Request();
  CopySavedToRequest(record, request);
  EXPECT_EQ(request.sw.caseSensitive, 0);
  EXPECT_EQ(request.sw.word, 1);
  EXPECT_EQ(request.sw.subLevels, 2);
  EXPECT_EQ(request.sw.smash, 0);
  EXPECT_EQ(request.sw.extra, record.sw.extra);
  EXPECT_EQ(request.sw[Extra::LineMode], 0);  // a saved search reopens without line mode
  EXPECT_EQ(request.sw.modal, 1);             // the request's own
  EXPECT_EQ(request.sw.literalsOnly, 1);
}

TEST(CopyRecentToRequest, TheTextIsAlwaysTaken) {
  RecentSearch record;
  record.path = "/recent";
  engine::SearchSpec request = Request();
  CopyRecentToRequest(record, request);
  EXPECT_EQ(request.text.str(), "");
  EXPECT_EQ(request.path.str(), "/recent");
}

}  // namespace
}  // namespace trawlex::shell
