#include "shell/recent_time_stamp.h"

#include "runtime/case_table.h"
#include "runtime/pictures.h"

namespace trawlex::shell {

StoreDateTime StoreNow() {
  const runtime::DateAndTime now = runtime::Now();
  return {now.date, now.time + 1};
}

std::string RecentTimeStamp(std::int32_t date, std::int32_t time, std::int32_t today) {
  // " 5:18PM": hour, colon, minutes and the A or P; the final M goes. The store's time
  // counts from one; no time (0 or less) gives blanks, which vanish with the leading spaces.
  const std::int32_t sinceMidnight = time > 0 ? time - 1 : -1;
  std::string t = runtime::FormatTime(sinceMidnight, "t3").substr(0, 6);
  const std::size_t first = t.find_first_not_of(' ');
  t = runtime::LowerText(first == std::string::npos ? std::string() : t.substr(first));
  if (today - static_cast<std::int64_t>(date) > 5) {
    const runtime::CivilDate civil = runtime::DateOf(date);
    return t + " " + std::to_string(civil.month) + "/" + std::to_string(civil.day);
  }
  if (date < today) {
    static constexpr const char* kWeekdays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    return t + " " + kWeekdays[runtime::Weekday(date)];
  }
  return t;
}

}  // namespace trawlex::shell
