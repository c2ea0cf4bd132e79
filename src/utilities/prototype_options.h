#pragma once
// The options of the prototype converter. SAL and Cvt_T are kept in Trawlex.INI, section
// "Proto"; " Type C&vt" lasts only while the window is open.

#include <filesystem>

namespace trawlex::utilities {

struct ProtoOptions {
  bool sal = true;       // "SAL": drop source annotations; "_opt"/"_reserved" ones make <Omittable>
  bool cvtT = false;     // "&Use _T 32/64 types": keep _T names instead of SIGNED / UNSIGNED
  bool typeCvt = true;   // " Type C&vt": map Windows types through the type table
};

// SAL (default 1) and Cvt_T (default 0) from the file; typeCvt stays on.
ProtoOptions LoadProtoOptions(const std::filesystem::path& trawlexIni);
// Writes SAL and Cvt_T as 1 or 0 in one replacement of the file; false when it failed.
bool SaveProtoOptions(const std::filesystem::path& trawlexIni, const ProtoOptions& options);

}  // namespace trawlex::utilities
