// The time stamps, options text and clipboard form of stored searches.

#include "shell/search_text_form.h"

#include <gtest/gtest.h>

#include "runtime/pictures.h"
#include "shell/recent_time_stamp.h"

namespace trawlex::shell {
namespace {

// Times as the store keeps them: hundredths after midnight, plus one.
std::int32_t At(int hours, int minutes) {
  return runtime::TimeOf(hours, minutes, 0, 0) + 1;
}

TEST(RecentTimeStamp, TodayThisWeekAndEarlier) {
  const std::int32_t today = runtime::DayNumber(2024, 12, 10);  // a Tuesday
  ASSERT_EQ(runtime::Weekday(today), 2);
  struct Case {
    std::int32_t date;
    std::int32_t time;
    std::string expected;
  };
  const Case cases[] = {
      {today, At(17, 18), "5:18p"},
      {today, At(0, 5), "12:05a"},
      {today, At(12, 0), "12:00p"},
      {today, At(9, 59) + 5999, "9:59a"},  // 9:59:59.99 is still 9:59
      {today, 1, "12:00a"},                // midnight itself
      {today + 1, At(8, 1), "8:01a"},      // a clock put back: shown as today
      {today - 1, At(17, 18), "5:18p Mon"},
      {today - 2, At(23, 59), "11:59p Sun"},
      {today - 5, At(10, 0), "10:00a Thu"},
      {today - 6, At(10, 0), "10:00a 12/4"},
      {runtime::DayNumber(2023, 1, 3), At(13, 7), "1:07p 1/3"},
      {today - 1, 0, " Mon"},  // no time recorded
  };
  for (const Case& c : cases) {
    const std::string stamp = RecentTimeStamp(c.date, c.time, today);
    EXPECT_EQ(stamp, c.expected) << c.date << " " << c.time;
    EXPECT_LE(stamp.size(), 13u);
  }
}

TEST(RecentTimeStamp, NowIsStoredCountingFromOne) {
  const StoreDateTime now = StoreNow();
  EXPECT_EQ(now.date, runtime::Today());
  EXPECT_GE(now.time, 1);
  EXPECT_LE(now.time, runtime::kHundredthsPerDay);
}

TEST(SpecsText, SavedSearchWithNameLine) {
  SavedSearch record;
  record.name = "Lib  ";
  record.text = "CreateWindow ";
  record.path = "/src/lib";
  record.spec = "*.vlw;*.inc";
  record.sw.caseSensitive = 1;
  record.sw.subdirs = 1;
  record.sw.subLevels = 3;
  EXPECT_EQ(SpecsText(record),
            "[Trawlex Specs]\r\nName=Lib\r\nText=CreateWindow\r\nPath=/src/lib \r\n"
            "Specs=*.vlw;*.inc\r\nOptions=Case Sub3");
}

TEST(SpecsText, RecentSearchWithoutNameLineAndEmptyOptions) {
  RecentSearch record;
  record.text = "x";
  EXPECT_EQ(SpecsText(record), "[Trawlex Specs]\r\nText=x\r\nPath= \r\nSpecs=\r\nOptions=");
}

TEST(RecordOptionsText, ReadsTheRecordsSwitchesOnly) {
  engine::SearchSwitches sw;
  sw.word = 1;
  sw.first = 1;
  sw.subdirs = 0;
  sw.subLevels = 9;  // no subdirectories: no levels
  sw.modal = 1;      // not an option of the text
  sw.oop = 1;
  sw[engine::Extra::Regex] = 1;
  sw[engine::Extra::Favourite] = 1;
  EXPECT_EQ(RecordOptionsText(sw), "Word RegX 1st");
}

TEST(ParmsColumn, IsCutTo59Characters) {
  engine::SearchSwitches sw{1, 1, 1, 1, 0, 1, 1, 255, 0, 0, 0, 1, {0, 1, 1, 136}};
  const std::string full = RecordOptionsText(sw);
  ASSERT_GT(full.size(), 59u);
  EXPECT_EQ(ParmsColumn(sw), full.substr(0, 59));
}

}  // namespace
}  // namespace trawlex::shell
