#include "engine/engine_settings.h"

#include "runtime/case_table.h"
#include "runtime/profile.h"

namespace trawlex::engine {

EngineSettings LoadEngineSettings(const std::filesystem::path& settingsFile) {
  using runtime::ReadProfileInt;
  using runtime::ReadProfileString;
  EngineSettings s;
  s.extVeldar = runtime::LowerText(ReadProfileString(settingsFile, "Options", "ExtVeldar", s.extVeldar));
  s.extTemplates =
      runtime::LowerText(ReadProfileString(settingsFile, "Options", "ExtTemplates", s.extTemplates));
  s.filesPerTimer = ReadProfileInt(settingsFile, "Options", "FilesPerTimer", s.filesPerTimer);
  s.filesPerTimerModal =
      ReadProfileInt(settingsFile, "Options", "FilesPerTimerModal", s.filesPerTimerModal);
  return s;
}

}  // namespace trawlex::engine
