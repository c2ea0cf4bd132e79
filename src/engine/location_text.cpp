#include "engine/location.h"

#include "runtime/fixed_text.h"

namespace trawlex::engine {

std::string LocationText(const LocationState& state) {
  std::string text = runtime::Clip(runtime::Fit(state.procName, kLocationPartWidth));
  const std::string method = runtime::Fit(state.method, kLocationPartWidth);
  const std::string rout = runtime::Fit(state.rout, kLocationPartWidth);
  if (!method.empty()) text += "  " + method;
  if (!rout.empty()) text += "  " + rout;
  const std::size_t first = text.find_first_not_of(' ');
  text = first == std::string::npos ? std::string() : text.substr(first);
  text = runtime::Fit(text, 80);
  if (text.empty() && state.inMap != 0) text = "MAP";
  return text;
}

}  // namespace trawlex::engine
