#include "results/export_source.h"

#include "runtime/pictures.h"

namespace trawlex::results {

ExportClock ExportClockNow() {
  // Should midnight pass between the readings, the date is read again, so the stamp never
  // pairs one day with the other day's time.
  std::int32_t date = runtime::Today();
  std::int32_t time = runtime::Clock();
  if (const std::int32_t again = runtime::Today(); again != date) {
    date = again;
    time = runtime::Clock();
  }
  return {date, time};
}

}  // namespace trawlex::results
