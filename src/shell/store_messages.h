#pragma once
// The messages with which the search operations report a store that failed. Each appends
// the runtime's current error text (and, for saves, the file and the driver's own message).

#include <string>

#include "runtime/desktop.h"

namespace trawlex::shell {

class RecordStore;

// "An error occured while adding a Search record|Error: ...|File: ... |File Error: ...",
// caption "ADD SEARCH ERROR".
runtime::Message AddSearchErrorMessage(const RecordStore& store);
// "An error occured while saveing the Search|Error: ...", caption "PUT SEARCH ERROR".
runtime::Message PutSearchErrorMessage(const RecordStore& store);
// A store that could not be opened: "Unable to open the search store|Error: ...|File: ... |
// File Error: ...", caption "OPEN SEARCH ERROR".
runtime::Message OpenStoreErrorMessage(const RecordStore& store);

// "You've selected to Delete the highlighted record.|...|||Name: " & name, caption
// "Confirm Delete", OK and Cancel with Cancel the default. True when OK is chosen.
bool ConfirmDelete(runtime::Desktop& desktop, std::string_view name);

// `lead` followed by the current error text, as an exclamation message with an OK button
// and no caption of its own ("!@# err on delete " & error).
void ShowErrorWithText(runtime::Desktop& desktop, const std::string& lead);

}  // namespace trawlex::shell
