#include "shell/saved_search.h"

namespace trawlex::shell {
namespace {

// The switches a record takes from a request: all but MODAL and the two literal switches.
void CopySwitches(const engine::SearchSwitches& from, engine::SearchSwitches& to) {
  to.caseSensitive = from.caseSensitive;
  to.word = from.word;
  to.trail = from.trail;
  to.codeOnly = from.codeOnly;
  to.oop = from.oop;
  to.first = from.first;
  to.subdirs = from.subdirs;
  to.subLevels = from.subLevels;
  to.smash = from.smash;
  to.extra = from.extra;
}

template <typename Record>
void RequestToRecord(const engine::SearchSpec& request, Record& record) {
  record.text = request.text;
  record.path = request.path;  // cut to the record's 127 characters
  record.spec = request.spec;
  CopySwitches(request.sw, record.sw);
}

template <typename Record>
void RecordToRequest(const Record& record, engine::SearchSpec& request) {
  request.path = record.path;
  request.spec = record.spec;
  CopySwitches(record.sw, request.sw);
}

}  // namespace

void CopyRequestToSaved(const engine::SearchSpec& request, SavedSearch& record) {
  RequestToRecord(request, record);
  record.sw[engine::Extra::LineMode] = 0;
}

void CopyRequestToRecent(const engine::SearchSpec& request, RecentSearch& record) {
  RequestToRecord(request, record);
}

void CopySavedToRequest(const SavedSearch& record, engine::SearchSpec& request) {
  if (!record.text.empty()) request.text = record.text;
  RecordToRequest(record, request);
}

void CopyRecentToRequest(const RecentSearch& record, engine::SearchSpec& request) {
  request.text = record.text;
  RecordToRequest(record, request);
}

}  // namespace trawlex::shell
