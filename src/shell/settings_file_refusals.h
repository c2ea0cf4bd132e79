#pragma once
// Settings files that cannot be used because their names stand for something other than a
// regular file of sane size (see runtime::ProfileFileRefusal). Such a file reads as missing,
// so its settings take their defaults, and every write to it fails; the user is told which
// file it is and what it is instead.

#include <string>
#include <vector>

#include "runtime/desktop.h"
#include "shell/settings_files.h"

namespace trawlex::shell {

// The refusal text of every refused file, in the order of the members of SettingsFiles:
// "Search.DAT is a named pipe, not a settings file".
std::vector<std::string> RefusedSettingsFiles(const SettingsFiles& files);

// The warning for one refused file: refusal & ".|Its settings take their default values, and
// changes to them cannot be saved.", caption "Settings File", OK.
runtime::Message RefusedSettingsMessage(const std::string& refusal);

}  // namespace trawlex::shell
