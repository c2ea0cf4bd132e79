#pragma once
// The label modes a search can apply (LabelModeQueue): the value stored in the request, the
// short code used in option texts and the name shown in the parameters window.

#include <optional>
#include <span>
#include <string_view>

namespace trawlex::engine {

struct LabelMode {
  std::string_view code;  // LABELQ:CODE (8)
  std::string_view name;  // LABELQ:NAME (30)
  int eqt;                // LABELQ:EQT
};

// The fixed table, in the order the parameters window lists it.
std::span<const LabelMode> LabelModes();

std::optional<LabelMode> FindLabelMode(int eqt);
// By code, without case ("proc", "LnProc").
std::optional<LabelMode> FindLabelModeByCode(std::string_view code);

}  // namespace trawlex::engine
