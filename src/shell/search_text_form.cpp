#include "shell/search_text_form.h"

#include "engine/prepare_search.h"

namespace trawlex::shell {
namespace {

constexpr const char* kLineBreak = "\r\n";

std::string SpecsLines(std::string nameLine, std::string_view text, std::string_view path,
                       std::string_view spec, const engine::SearchSwitches& sw) {
  std::string form = "[Trawlex Specs]";
  form += kLineBreak;
  if (!nameLine.empty()) form += nameLine + kLineBreak;
  form += "Text=" + runtime::Clip(text) + kLineBreak;
  form += "Path=" + runtime::Clip(path) + " " + kLineBreak;
  form += "Specs=" + runtime::Clip(spec) + kLineBreak;
  form += "Options=" + RecordOptionsText(sw);
  return form;
}

}  // namespace

std::string RecordOptionsText(const engine::SearchSwitches& sw) {
  // The options text reads only the switches a record keeps, so the record's own switch
  // group serves as the request's would.
  return engine::OptionsText(sw);
}

std::string ParmsColumn(const engine::SearchSwitches& sw) {
  return runtime::Fit(RecordOptionsText(sw), kParmsWidth);
}

std::string SpecsText(const SavedSearch& record) {
  return SpecsLines("Name=" + record.name.str(), record.text.view(), record.path.view(),
                    record.spec.view(), record.sw);
}

std::string SpecsText(const RecentSearch& record) {
  return SpecsLines({}, record.text.view(), record.path.view(), record.spec.view(), record.sw);
}

}  // namespace trawlex::shell
