#include "runtime/pictures.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <limits>

#include "runtime/case_table.h"

namespace trawlex::runtime {
namespace {

constexpr std::size_t kMaxPictureWidth = 255;

// ---- Numbers ----

std::string GroupedDigits(std::uint64_t magnitude, bool grouping) {
  std::string digits = std::to_string(magnitude);
  if (!grouping) return digits;
  std::string grouped;
  grouped.reserve(digits.size() + digits.size() / 3);
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
    grouped += digits[i];
  }
  return grouped;
}

std::string AlignRight(std::string text, std::size_t width) {
  if (text.size() < width) text.insert(0, width - text.size(), ' ');
  return text;
}

// ---- Calendar (days since 1 March of year 0 based, proleptic Gregorian) ----

constexpr std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
  return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

// Days since 1 January 1970 of a valid year, month and day.
constexpr std::int64_t DaysFromCivil(std::int64_t y, int m, int d) {
  y -= m <= 2 ? 1 : 0;
  const std::int64_t era = FloorDiv(y, 400);
  const std::int64_t yoe = y - era * 400;
  const std::int64_t doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

constexpr CivilDate CivilFromDays(std::int64_t z) {
  z += 719468;
  const std::int64_t era = FloorDiv(z, 146097);
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  const std::int64_t y = yoe + era * 400 + (m <= 2 ? 1 : 0);
  return {static_cast<int>(y), m, d};
}

// Day 0 of the day numbers.
constexpr std::int64_t kDayZero = DaysFromCivil(1800, 12, 28);
static_assert(DaysFromCivil(1801, 1, 1) - kDayZero == 4);

std::int32_t Saturate(std::int64_t value) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(
      value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

std::tm LocalNow(std::chrono::system_clock::time_point now) {
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&seconds, &local);
  return local;
}

// ---- Plain decimals ----

struct Decimal {
  bool negative = false;
  std::string digits;  // significant digits, no trailing zeros
  int exponent = 0;    // power of ten of the first digit
};

// The value rounded to 14 significant digits.
Decimal ToDecimal(double value) {
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.13e", value);
  Decimal dec;
  const char* p = buffer;
  if (*p == '-') {
    dec.negative = true;
    ++p;
  }
  for (; *p != 'e' && *p != '\0'; ++p) {
    if (*p != '.') dec.digits += *p;
  }
  if (*p == 'e') dec.exponent = std::atoi(p + 1);
  const std::size_t last = dec.digits.find_last_not_of('0');
  dec.digits.erase(last == std::string::npos ? 1 : last + 1);
  return dec;
}

}  // namespace

// ---- Numbers ----

std::string FormatNumber(std::int64_t value, NumberPicture picture) {
  if (value == 0 && picture.blankWhenZero) return std::string(picture.width, ' ');
  // Unsigned negation keeps the smallest 64-bit value exact.
  const std::uint64_t magnitude =
      value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
  std::string text = GroupedDigits(magnitude, picture.grouping);
  if (value < 0) text.insert(0, 1, '-');
  return AlignRight(std::move(text), picture.width);
}

std::optional<NumberPicture> ParseNumberPicture(std::string_view text) {
  if (text.empty() || (text.front() != 'n' && text.front() != 'N')) return std::nullopt;
  text.remove_prefix(1);
  NumberPicture picture;
  if (!text.empty() && text.front() == '_') {
    picture.grouping = false;
    text.remove_prefix(1);
  }
  if (!text.empty() && (text.back() == 'b' || text.back() == 'B')) {
    picture.blankWhenZero = true;
    text.remove_suffix(1);
  }
  if (text.empty()) return std::nullopt;
  for (const char ch : text) {
    if (ch < '0' || ch > '9') return std::nullopt;
    picture.width = picture.width * 10 + static_cast<std::size_t>(ch - '0');
    if (picture.width > kMaxPictureWidth) return std::nullopt;
  }
  if (picture.width == 0) return std::nullopt;
  return picture;
}

// ---- Dates ----

std::int32_t DayNumber(int year, int month, int day) {
  const std::int64_t monthIndex = static_cast<std::int64_t>(month) - 1;
  const std::int64_t y = year + FloorDiv(monthIndex, 12);
  const int m = static_cast<int>(monthIndex - FloorDiv(monthIndex, 12) * 12) + 1;
  return Saturate(DaysFromCivil(y, m, 1) + (static_cast<std::int64_t>(day) - 1) - kDayZero);
}

CivilDate DateOf(std::int32_t dayNumber) {
  return CivilFromDays(dayNumber + kDayZero);
}

int Weekday(std::int32_t dayNumber) {
  return static_cast<int>(dayNumber - FloorDiv(dayNumber, 7) * 7);
}

std::int32_t Today() {
  const std::tm local = LocalNow(std::chrono::system_clock::now());
  return DayNumber(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

std::string FormatDate(std::int32_t dayNumber, std::string_view picture) {
  const bool shortYear = EqualNoCase(picture, "d1");
  if (dayNumber <= 0) return std::string(shortYear ? 8 : 10, ' ');
  const CivilDate date = DateOf(dayNumber);
  char buffer[32];
  if (shortYear) {
    std::snprintf(buffer, sizeof buffer, "%02d/%02d/%02d", date.month, date.day, date.year % 100);
  } else {
    std::snprintf(buffer, sizeof buffer, "%02d/%02d/%04d", date.month, date.day, date.year);
  }
  return buffer;
}

// ---- Times ----

std::int32_t Clock() {
  using namespace std::chrono;
  const system_clock::time_point now = system_clock::now();
  const std::tm local = LocalNow(now);
  const auto sinceSecond = now - system_clock::from_time_t(system_clock::to_time_t(now));
  const auto hundredths =
      std::clamp<std::int64_t>(duration_cast<milliseconds>(sinceSecond).count() / 10, 0, 99);
  // A leap second (tm_sec 60) is folded into the last second of its minute.
  return TimeOf(local.tm_hour, local.tm_min, std::min(local.tm_sec, 59),
                static_cast<int>(hundredths));
}

DateAndTime Now() {
  std::int32_t date = Today();
  std::int32_t time = Clock();
  if (const std::int32_t again = Today(); again != date) {
    date = again;
    time = Clock();
  }
  return {date, time};
}

std::int32_t TimeOf(int hours, int minutes, int seconds, int hundredths) {
  return Saturate(static_cast<std::int64_t>(hours) * 360000 +
                  static_cast<std::int64_t>(minutes) * 6000 +
                  static_cast<std::int64_t>(seconds) * 100 + hundredths);
}

std::int32_t ElapsedHundredths(std::int32_t start, std::int32_t end) {
  std::int64_t span = static_cast<std::int64_t>(end) - start;
  if (span < 0) span += kHundredthsPerDay;
  return Saturate(span);
}

std::string FormatTime(std::int32_t hundredths, std::string_view /*picture*/) {
  if (hundredths < 0) return std::string(7, ' ');
  const std::int32_t ofDay = hundredths % kHundredthsPerDay;
  const int hour = ofDay / 360000;
  const int minute = ofDay / 6000 % 60;
  const int clockHour = hour % 12 == 0 ? 12 : hour % 12;
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%2d:%02d%s", clockHour, minute, hour < 12 ? "AM" : "PM");
  return buffer;
}

std::string FormatSeconds(double seconds) {
  if (!std::isfinite(seconds)) return std::isnan(seconds) ? "0" : (seconds < 0 ? "-inf" : "inf");
  const Decimal dec = ToDecimal(seconds);
  if (dec.digits == "0") return "0";  // also drops the sign of -0
  std::string text = dec.negative ? "-" : "";
  const int pointAt = dec.exponent + 1;  // digits before the decimal point
  const int count = static_cast<int>(dec.digits.size());
  if (pointAt <= 0) {
    text += "0.";
    text.append(static_cast<std::size_t>(-pointAt), '0');
    text += dec.digits;
  } else if (pointAt >= count) {
    text += dec.digits;
    text.append(static_cast<std::size_t>(pointAt - count), '0');
  } else {
    text += dec.digits.substr(0, static_cast<std::size_t>(pointAt));
    text += '.';
    text += dec.digits.substr(static_cast<std::size_t>(pointAt));
  }
  return text;
}

}  // namespace trawlex::runtime
