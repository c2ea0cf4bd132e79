#pragma once
// Conversion of one C type, as written before a parameter, member or function name, into the
// Veldar type of a prototype: qualifiers and annotations are dropped, the Windows type is
// mapped through the type table, and pointers and omittable parameters are marked.

#include <string>
#include <string_view>

#include "utilities/prototype_options.h"
#include "utilities/type_table.h"

namespace trawlex::utilities {

struct ConvertedType {
  std::string text;         // e.g. "*ULONG", "<*CSTRING" (the '<' only with typeCvt on)
  bool omittable = false;   // OPTIONAL, an "_opt"/"_reserved" annotation or [optional]
};

// Drops the leading qualifiers (IN, OUT, INOUT, IN OUT, CONST, [IN], [OUT], TYPEDEF, OPTIONAL,
// a bracketed attribute list such as "[in, optional]") and, with SAL on, the source
// annotations (__in_opt, _In_opt_, _Out_writes_bytes_(n)...), in up to four passes, and the
// word CALLBACK. Sets `omittable` where one of them says so.
std::string StripQualifiers(std::string_view type, bool sal, bool& omittable);

// The whole conversion; see ConvertedType. With typeCvt off only the qualifiers go.
ConvertedType ConvertType(std::string_view type, const ProtoOptions& options,
                          const TypeTable& table);

}  // namespace trawlex::utilities
