#include "shell/settings_file_refusals.h"

#include "runtime/profile.h"

namespace trawlex::shell {

std::vector<std::string> RefusedSettingsFiles(const SettingsFiles& files) {
  std::vector<std::string> refusals;
  for (const auto* file :
       {&files.searchDat, &files.trawlexIni, &files.lookFile, &files.winIni, &files.uedit32Ini}) {
    if (auto refusal = runtime::ProfileFileRefusal(*file)) refusals.push_back(std::move(*refusal));
  }
  return refusals;
}

runtime::Message RefusedSettingsMessage(const std::string& refusal) {
  runtime::Message message;
  message.text =
      refusal + ".|Its settings take their default values, and changes to them cannot be saved.";
  message.caption = "Settings File";
  message.icon = runtime::Icon::Warning;
  message.standard = runtime::Buttons::Ok;
  return message;
}

}  // namespace trawlex::shell
