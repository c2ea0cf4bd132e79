#pragma once
// Display pictures for numbers, dates and times, the day-number calendar and the clock.
//
// Dates are day numbers: day 0 is 28 December 1800, day 4 is 1 January 1801, and a day
// number modulo 7 is its weekday with 0 for Sunday. A day number of 0 or less is "no date".
// Times are hundredths of a second since midnight, local time.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace trawlex::runtime {

// ---- Numbers ----

struct NumberPicture {
  std::size_t width = 0;       // right-aligned in this many places, blank filled
  bool grouping = true;        // thousands separated by commas
  bool blankWhenZero = false;  // zero shows as blanks
  bool operator==(const NumberPicture&) const = default;
};

// The pictures the windows and exports use.
inline constexpr NumberPicture n13{13, true, false};
inline constexpr NumberPicture n10{10, true, false};
inline constexpr NumberPicture n6{6, true, false};
inline constexpr NumberPicture n6b{6, true, true};
inline constexpr NumberPicture n3{3, true, false};
inline constexpr NumberPicture n_5{5, false, false};

// Right-aligned in the picture's width; negative numbers get a leading '-'. A number that
// does not fit is returned whole, wider than the picture: a display never hides a value.
std::string FormatNumber(std::int64_t value, NumberPicture picture);

// Reads a picture text such as "n13", "n_5", "n6b" or "N10" (no case): '_' before the width
// turns grouping off, a trailing 'b' blanks zero. Anything else gives no picture.
std::optional<NumberPicture> ParseNumberPicture(std::string_view text);

// ---- Dates ----

struct CivilDate {
  int year = 0;
  int month = 0;
  int day = 0;
  bool operator==(const CivilDate&) const = default;
};

// Gregorian calendar throughout. A month outside 1..12 moves into the neighbouring years and
// a day outside the month counts on from its first day (month 13 is January of the next
// year, day 0 is the last day of the previous month), so date arithmetic can be written
// directly. Results beyond the 32-bit range saturate.
std::int32_t DayNumber(int year, int month, int day);
CivilDate DateOf(std::int32_t dayNumber);
int Weekday(std::int32_t dayNumber);  // 0 Sunday .. 6 Saturday
std::int32_t Today();                 // local date

// "d1" gives mm/dd/yy, "d02" mm/dd/yyyy, with leading zeros (no case). Any other picture
// text gives the mm/dd/yyyy form, so a date is never lost. "No date" gives blanks of the
// picture's width.
std::string FormatDate(std::int32_t dayNumber, std::string_view picture);

// ---- Times ----

inline constexpr std::int32_t kHundredthsPerDay = 24 * 60 * 60 * 100;

std::int32_t Clock();  // local time now

// The date and the time of one moment: read so that a midnight between the two readings
// never pairs one day with the other day's time.
struct DateAndTime {
  std::int32_t date = 0;  // day number
  std::int32_t time = 0;  // hundredths since midnight
};
DateAndTime Now();
std::int32_t TimeOf(int hours, int minutes, int seconds, int hundredths);

// Hundredths from `start` to `end` of two clock readings; a run that crossed midnight
// still gives its true (positive) length.
std::int32_t ElapsedHundredths(std::int32_t start, std::int32_t end);

// "t3": hour right-aligned in two places, colon, two-digit minutes, AM or PM
// (" 1:07PM", "12:05AM"). Any other picture text gives the same form. A negative time gives
// blanks; a time of a day or more is taken modulo a day.
std::string FormatTime(std::int32_t hundredths, std::string_view picture);

// A plain decimal number of at most 14 significant digits, without exponent, trailing zeros
// or trailing decimal point: 0.5 -> "0.5", 12 -> "12", 0.05 -> "0.05". A value that is not a
// number gives "0", infinities "inf" and "-inf".
std::string FormatSeconds(double seconds);

}  // namespace trawlex::runtime
