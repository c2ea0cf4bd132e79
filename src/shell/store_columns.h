#pragma once
// The columns both search stores share: the twelve switch bytes and the extra-slot array,
// in the records' order, and how they are bound and read.

#include <string_view>

#include "engine/search_spec.h"
#include "shell/sqlite_db.h"

namespace trawlex::shell {

// Column declarations for CREATE TABLE, and the same names for SELECT and INSERT.
extern const std::string_view kSwitchColumnsDdl;
extern const std::string_view kSwitchColumns;
inline constexpr int kSwitchColumnCount = 13;

// Binds the switches to parameters first .. first + 12.
void BindSwitches(Statement& statement, int first, const engine::SearchSwitches& sw);
// Reads them from columns first .. first + 12. A value outside a byte's range (a store
// edited by other tools) is held to 0 .. 255; a short extra array leaves its last slots 0.
engine::SearchSwitches ReadSwitches(const Statement& statement, int first);

// "?a, ?a+1, ..., ?b": the placeholders of parameters a .. b.
std::string Placeholders(int first, int last);

}  // namespace trawlex::shell
