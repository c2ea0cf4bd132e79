#include "engine/label_modes.h"

#include <array>

#include "runtime/case_table.h"

namespace trawlex::engine {
namespace {

constexpr std::array<LabelMode, 23> kLabelModes = {{
    {"", "No Label Processing", 0},
    {"Proc", "Procedure Label", 1},
    {"Routine", "Routine Label", 2},
    {"Class", "Class Label", 3},
    {"Queue", "Queue Label", 4},
    {"Group", "Group Label", 5},
    {"File", "File Label", 6},
    {"Key", "Key Label", 7},
    {"Equate", "Equate Label", 8},
    {"Label", "Search Label Only", 11},
    {"LnProc", "Procedure Line", 129},
    {"LnRout", "Routine Line", 130},
    {"LnClass", "Class Line", 131},
    {"LnQueue", "Queue Line", 132},
    {"LnGroup", "Group Line", 133},
    {"LnFile", "File Line", 134},
    {"LnKey", "Key Line", 135},
    {"LnEquate", "Equate Line", 136},
    {"LnWindow", "Window Line", 137},
    {"LnReport", "Report Line", 138},
    {"LnLabel", "Label Line", 139},
    {"Ignore", "Ignore Label Portion", 251},
    {"NoLblLn", "Skip Lines w/Label", 252},
}};

}  // namespace

std::span<const LabelMode> LabelModes() {
  return kLabelModes;
}

std::optional<LabelMode> FindLabelMode(int eqt) {
  for (const LabelMode& mode : LabelModes()) {
    if (mode.eqt == eqt) return mode;
  }
  return std::nullopt;
}

std::optional<LabelMode> FindLabelModeByCode(std::string_view code) {
  for (const LabelMode& mode : LabelModes()) {
    if (!mode.code.empty() && runtime::EqualNoCase(mode.code, code)) return mode;
  }
  return std::nullopt;
}

}  // namespace trawlex::engine
