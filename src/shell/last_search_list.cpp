#include "shell/last_search_list.h"

#include "shell/recent_time_stamp.h"
#include "shell/search_text_form.h"
#include "shell/store_messages.h"

namespace trawlex::shell {

LastSearchList::LastSearchList(RecentSearchStore& store, runtime::Desktop& desktop,
                               int lastSearchCnt, std::int32_t today)
    : store_(store), desktop_(desktop), lastSearchCnt_(lastSearchCnt), today_(today) {}

std::string LastSearchList::title() const {
  return "Last " + std::to_string(lastSearchCnt_) + " Searches";
}

std::optional<std::vector<LastSearchRow>> LastSearchList::Rows(RecentKey order) {
  const auto records = store_.List(order);
  if (!records) return std::nullopt;
  std::vector<LastSearchRow> rows;
  rows.reserve(records->size());
  for (const RecentSearch& record : *records) {
    rows.push_back(
        {record, RecentTimeStamp(record.date, record.time, today_), ParmsColumn(record.sw)});
  }
  return rows;
}

std::optional<RecordPosition> LastSearchList::Locate(RecentKey order, std::string_view typed) {
  return store_.Locate(order, typed);
}

bool LastSearchList::Delete(const RecentSearch& record) {
  if (!ConfirmDelete(desktop_, record.text.view())) return false;
  if (!store_.Delete(record.position)) {
    ShowErrorWithText(desktop_, "!@# err on delete ");
    return false;
  }
  return true;
}

void LastSearchList::CopySpecs(const RecentSearch& record) {
  desktop_.SetClipboardText(SpecsText(record));
}

}  // namespace trawlex::shell
