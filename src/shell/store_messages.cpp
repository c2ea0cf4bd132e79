#include "shell/store_messages.h"

#include "runtime/error_codes.h"
#include "runtime/fixed_text.h"
#include "shell/record_store.h"

namespace trawlex::shell {
namespace {

runtime::Message Exclamation(std::string text, std::string caption) {
  runtime::Message message;
  message.text = std::move(text);
  message.caption = std::move(caption);
  message.icon = runtime::Icon::Warning;
  message.standard = runtime::Buttons::Ok;
  return message;
}

// "|Error: " error "|File: " file " " "|File Error: " driver error, each clipped.
std::string FileErrorLines(const RecordStore& store) {
  return "|Error: " + runtime::Clip(runtime::ErrorText()) +
         "|File: " + runtime::Clip(store.fileName()) + " " +
         "|File Error: " + runtime::Clip(store.driverError());
}

}  // namespace

runtime::Message AddSearchErrorMessage(const RecordStore& store) {
  return Exclamation("An error occured while adding a Search record" + FileErrorLines(store),
                     "ADD SEARCH ERROR");
}

runtime::Message PutSearchErrorMessage(const RecordStore& store) {
  return Exclamation("An error occured while saveing the Search" + FileErrorLines(store),
                     "PUT SEARCH ERROR");
}

runtime::Message OpenStoreErrorMessage(const RecordStore& store) {
  return Exclamation("Unable to open the search store" + FileErrorLines(store),
                     "OPEN SEARCH ERROR");
}

bool ConfirmDelete(runtime::Desktop& desktop, std::string_view name) {
  runtime::Message message;
  message.text =
      "You've selected to Delete the highlighted record.|Press OK to confirm the deletion of "
      "this record.|||Name: " +
      runtime::Clip(name);
  message.caption = "Confirm Delete";
  message.icon = runtime::Icon::Question;
  message.standard = runtime::Buttons::OkCancel;
  message.defaultButton = runtime::kAnswerCancel;
  return desktop.ShowMessage(message) == runtime::kAnswerOk;
}

void ShowErrorWithText(runtime::Desktop& desktop, const std::string& lead) {
  desktop.ShowMessage(Exclamation(lead + runtime::ErrorText(), {}));
}

}  // namespace trawlex::shell
