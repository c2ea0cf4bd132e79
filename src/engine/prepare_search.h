#pragma once
// Preparing a run: the working values derived from the request, the files searched per
// timer tick, and the options text.

#include <string>

#include "engine/engine_settings.h"
#include "engine/search_spec.h"
#include "engine/search_work.h"

namespace trawlex::engine {

struct PreparedSearch {
  SearchWork work;
  int filesPerTick = 2;
};

PreparedSearch PrepareSearch(const SearchSpec& request, const EngineSettings& settings);

// The short description of a request's switches ("Case Word Sub3 Lbl:Proc"); empty when no
// switch is set. At most 255 characters.
std::string OptionsText(const SearchSwitches& sw);

// Removes every blank and tab, the rest moving left.
std::string Smash(std::string_view text);

}  // namespace trawlex::engine
