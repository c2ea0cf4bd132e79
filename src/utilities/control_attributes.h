#pragma once
// The control types of the language's window and report structures, and the table of which
// attributes each type accepts (A2CQ).

#include <string>
#include <string_view>
#include <vector>

#include "runtime/fixed_text.h"

namespace trawlex::utilities {

// The 35 control types: the structure and control keywords, with "COMBO-DROP" and
// "LIST-DROP" for a COMBO or LIST with DROP( and "STRING-REP" for a STRING in a REPORT.
// DETAIL and BREAK stand for the report bands.
const std::vector<std::string>& ControlTypes();

// A keyword that may start a control declaration: the control types without the variants,
// and the report bands HEADER, FOOTER and FORM. `keyword` is upper case.
bool IsControlKeyword(std::string_view keyword);

// A keyword whose declaration holds others up to its END.
bool OpensLevel(std::string_view keyword);

// One row of the attribute table (A2CQ).
struct AttributeRow {
  runtime::FixedText<16> attr;
  int cnt = 0;                    // how many control types accept the attribute
  runtime::FixedText<200> ctrls;  // accepting types; after '~' the types that do not
};

// The 147 attributes in their fixed order.
const std::vector<AttributeRow>& AttributeTable();

}  // namespace trawlex::utilities
