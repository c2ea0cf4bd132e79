#pragma once
// The settings the search engine reads: file kinds by extension and files per timer tick.

#include <cstdint>
#include <filesystem>
#include <string>

namespace trawlex::engine {

struct EngineSettings {
  std::string extVeldar = "vlwincintvlavli";  // three-letter extensions, concatenated
  std::string extTemplates = "tpltpwtpxtpd";
  int filesPerTimer = 2;
  int filesPerTimerModal = 50;
};

// Reads section "Options" of the settings file (".\Search.DAT"), each key with its default.
EngineSettings LoadEngineSettings(const std::filesystem::path& settingsFile);

}  // namespace trawlex::engine
