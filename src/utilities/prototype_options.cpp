#include "utilities/prototype_options.h"

#include "runtime/profile.h"

namespace trawlex::utilities {

namespace {
constexpr const char* kSection = "Proto";
constexpr const char* kSalKey = "SAL";
constexpr const char* kCvtTKey = "Cvt_T";
}  // namespace

ProtoOptions LoadProtoOptions(const std::filesystem::path& trawlexIni) {
  ProtoOptions options;
  options.sal = runtime::ReadProfileInt(trawlexIni, kSection, kSalKey, 1) != 0;
  options.cvtT = runtime::ReadProfileInt(trawlexIni, kSection, kCvtTKey, 0) != 0;
  return options;
}

bool SaveProtoOptions(const std::filesystem::path& trawlexIni, const ProtoOptions& options) {
  return runtime::WriteProfileStrings(trawlexIni, kSection,
                                      {{kCvtTKey, options.cvtT ? "1" : "0"},
                                       {kSalKey, options.sal ? "1" : "0"}});
}

}  // namespace trawlex::utilities
