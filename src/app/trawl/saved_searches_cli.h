#pragma once
// The saved searches of the current directory ("searches.hvn") on the command line: the
// `trawl saved` listing, and loading one by name for `trawl search --saved NAME`.
// Neither creates nor changes the store.

#include <iosfwd>
#include <optional>
#include <string>

#include "commands.h"
#include "engine/search_spec.h"

namespace trawlex::app {

// Prints one line per saved search in name order: name, path, specifications and options
// text, separated by tabs. No store: nothing printed, exit 0. A store that cannot be read
// (not a database, damaged, locked): a message on `err`, exit 2.
int RunSavedCommand(const Arguments& args, std::ostream& out, std::ostream& err);

// The request of the saved search named `name` (without case), as the search dialogue would
// load it: text, path, specifications and switches; line mode off. A saved search without a
// text gives a blank text. On failure nullopt, and `error` says why ("no saved search named
// ...", or why the store could not be read).
std::optional<engine::SearchSpec> LoadSavedSearch(const std::string& name, std::string& error);

extern const char* const kSavedUsage;

}  // namespace trawlex::app
