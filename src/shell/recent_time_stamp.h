#pragma once
// The "Time Stamp" column of the recent searches: when a search ran, as briefly as it can be
// said ("5:18p" today, "5:18p Tue" this week, "5:18p 12/3" before that).

#include <cstdint>
#include <string>

namespace trawlex::shell {

// A recent search's date and time as the store keeps them: a day number and hundredths of a
// second after midnight plus one (0 is "no time").
struct StoreDateTime {
  std::int32_t date = 0;
  std::int32_t time = 0;
};

// Now, in the store's form.
StoreDateTime StoreNow();

// At most 13 characters. `today` is the day number of today.
std::string RecentTimeStamp(std::int32_t date, std::int32_t time, std::int32_t today);

}  // namespace trawlex::shell
