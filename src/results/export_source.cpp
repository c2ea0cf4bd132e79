#include "results/export_source.h"

#include "runtime/pictures.h"

namespace trawlex::results {

ExportClock ExportClockNow() {
  const runtime::DateAndTime now = runtime::Now();
  return {now.date, now.time};
}

}  // namespace trawlex::results
