#include "runtime/pictures.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace trawlex::runtime {
namespace {

TEST(NumberPictures, Format) {
  struct Case {
    std::int64_t value;
    NumberPicture picture;
    std::string expected;
  };
  const Case cases[] = {
      {1234567, n13, "    1,234,567"},
      {0, n13, "            0"},
      {1000, n10, "     1,000"},
      {123456, n6, "123,456"},  // the comma makes it wider than the picture
      {12345, n6, "12,345"},
      {0, n6b, "      "},
      {7, n6b, "     7"},
      {-7, n6b, "    -7"},
      {-1234, n10, "    -1,234"},
      {12345, n_5, "12345"},
      {123456, n_5, "123456"},  // too wide: whole number, never '#' marks
      {1000, n3, "1,000"},
      {42, n3, " 42"},
      {std::numeric_limits<std::int64_t>::min(), n13, "-9,223,372,036,854,775,808"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(FormatNumber(c.value, c.picture), c.expected);
  }
}

TEST(NumberPictures, Parse) {
  struct Case {
    const char* text;
    std::optional<NumberPicture> expected;
  };
  const Case cases[] = {
      {"n13", n13},          {"N10", n10},
      {"n6b", n6b},          {"N6B", n6b},
      {"n_5", n_5},          {"n_8b", NumberPicture{8, false, true}},
      {"", std::nullopt},    {"n", std::nullopt},
      {"nb", std::nullopt},  {"n0", std::nullopt},
      {"s12", std::nullopt}, {"n1x", std::nullopt},
      {"n-5", std::nullopt}, {"n99999999999999999999", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ParseNumberPicture(c.text), c.expected);
  }
}

TEST(DayNumbers, OfKnownDays) {
  struct Case {
    int year, month, day;
    std::int32_t number;
    int weekday;
  };
  const Case cases[] = {
      {1800, 12, 28, 0, 0},     // day zero, a Sunday
      {1801, 1, 1, 4, 4},       // a Thursday
      {1900, 2, 28, 36221, 3},  // a Wednesday
      {1900, 3, 1, 36222, 4},   // 1900 has no 29 February
      {2000, 2, 29, 72746, 2},  // but 2000 does
      {2000, 3, 1, 72747, 3},   // the day after
      {1970, 1, 1, 61730, 4},   // a Thursday
      {2026, 12, 8, 82525, 2},  // a Tuesday
      {2027, 0, 31, 82548, 4},  // month 0 is December of the year before
      {2026, 13, 1, 82549, 5},  // month 13 is January of the next year
      {2026, 3, 0, 82242, 6},   // day 0 is the last day of February
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.year << "-" << c.month << "-" << c.day);
    EXPECT_EQ(DayNumber(c.year, c.month, c.day), c.number);
    EXPECT_EQ(Weekday(c.number), c.weekday);
  }
  EXPECT_EQ(Weekday(-1), 6);  // before day zero weekdays still run backwards
}

TEST(DayNumbers, DateOfRoundTrips) {
  for (std::int32_t n = -800000; n <= 3000000; n += 7) {
    const CivilDate date = DateOf(n);
    ASSERT_EQ(DayNumber(date.year, date.month, date.day), n) << n;
    const CivilDate next = DateOf(n + 1);
    ASSERT_TRUE(next.day == date.day + 1 || (next.day == 1 && date.day >= 28)) << n;
  }
  EXPECT_EQ(DateOf(72746), (CivilDate{2000, 2, 29}));
  EXPECT_EQ(DateOf(36222), (CivilDate{1900, 3, 1}));
}

TEST(DayNumbers, TodayIsPlausible) {
  const CivilDate today = DateOf(Today());
  EXPECT_GE(today.year, 2024);
  EXPECT_LE(today.year, 2200);
}

TEST(DatePictures, D1AndD02) {
  struct Case {
    std::int32_t day;
    const char* picture;
    std::string expected;
  };
  const Case cases[] = {
      {82525, "d1", "12/08/26"},
      {DayNumber(2026, 1, 5), "d02", "01/05/2026"},
      {DayNumber(2000, 2, 29), "d1", "02/29/00"},
      {DayNumber(1801, 1, 1), "d02", "01/01/1801"},
      {DayNumber(2026, 1, 5), "d17", "01/05/2026"},  // unknown pictures keep the full date
      {0, "d1", "        "},
      {-5, "d02", "          "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.picture);
    EXPECT_EQ(FormatDate(c.day, c.picture), c.expected);
  }
}

TEST(TimePictures, T3) {
  struct Case {
    std::int32_t time;
    std::string expected;
  };
  const Case cases[] = {
      {0, "12:00AM"},
      {TimeOf(0, 5, 0, 0), "12:05AM"},
      {TimeOf(1, 7, 59, 99), " 1:07AM"},
      {TimeOf(12, 0, 0, 0), "12:00PM"},
      {TimeOf(13, 7, 0, 0), " 1:07PM"},
      {TimeOf(23, 59, 59, 99), "11:59PM"},
      {kHundredthsPerDay + TimeOf(13, 7, 0, 0), " 1:07PM"},
      {-1, "       "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.time);
    EXPECT_EQ(FormatTime(c.time, "t3"), c.expected);
    EXPECT_EQ(FormatTime(c.time, "T3"), c.expected);
  }
}

TEST(TimePictures, ClockAndSpans) {
  EXPECT_EQ(TimeOf(13, 7, 5, 42), 13 * 360000 + 7 * 6000 + 5 * 100 + 42);
  EXPECT_EQ(TimeOf(100000, 0, 0, 0), std::numeric_limits<std::int32_t>::max());
  const std::int32_t now = Clock();
  EXPECT_GE(now, 0);
  EXPECT_LT(now, kHundredthsPerDay);
  EXPECT_EQ(ElapsedHundredths(1000, 1250), 250);
  EXPECT_EQ(ElapsedHundredths(TimeOf(23, 59, 59, 0), TimeOf(0, 0, 1, 0)), 200);  // past midnight
}

TEST(TimePictures, FormatSeconds) {
  struct Case {
    double seconds;
    std::string expected;
  };
  const Case cases[] = {
      {0.5, "0.5"},
      {12, "12"},
      {1.50, "1.5"},
      {0.05, "0.05"},
      {0, "0"},
      {-0.0, "0"},
      {1234.56, "1234.56"},
      {-3.25, "-3.25"},
      {1e-5, "0.00001"},
      {1e15, "1000000000000000"},
      {1.0 / 3, "0.33333333333333"},  // 14 significant digits
      {2.0 / 3, "0.66666666666667"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.seconds);
    EXPECT_EQ(FormatSeconds(c.seconds), c.expected);
  }
}

}  // namespace
}  // namespace trawlex::runtime
