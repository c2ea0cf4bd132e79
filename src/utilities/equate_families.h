#pragma once
// The "Equates" pop-up of the window-structure analyser: families of the language's
// standard equates, each a submenu of its members. Choosing a member gives its name, which
// the window puts on the clipboard to be pasted into code.

#include <optional>
#include <string>
#include <vector>

namespace trawlex::utilities {

struct EquateFamily {
  const char* caption;  // "COLOR: Colors"
  std::vector<const char*> members;
};

const std::vector<EquateFamily>& EquateFamilies();

// The pop-up: the disabled item "idea, not done", a separator, then a submenu per family.
std::string EquatesMenuText();

// The member named by a choice of that pop-up; nullopt for no choice.
std::optional<std::string> EquateForChoice(int choice);

}  // namespace trawlex::utilities
