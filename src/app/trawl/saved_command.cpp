// trawl saved: lists the saved searches of the current directory; and the saved-search
// loader of trawl search --saved.

#include <ostream>

#include "runtime/error_codes.h"
#include "saved_searches_cli.h"
#include "shell/store_path.h"
#include "shell/search_store.h"
#include "shell/search_text_form.h"
#include "terminal_text.h"

namespace trawlex::app {

const char* const kSavedUsage =
    "Usage: trawl saved\n"
    "\n"
    "Lists the saved searches of searches.hvn in the current directory, in name order,\n"
    "one per line: name, path, file specifications and options, separated by tabs.\n";

namespace {

// The store of the current directory, opened for reading only. On failure `exists` tells a
// missing store (no saved searches) from one that cannot be read (`error` says why): a name
// that is not a store (a directory, a pipe, a link to nowhere) is told, never opened.
bool OpenStore(shell::SavedSearchStore& store, bool& exists, std::string& error) {
  const std::string file(shell::SavedSearchStore::kFileName);
  const shell::StorePathCheck check = shell::CheckStorePath(file);
  exists = check.kind != runtime::PathKind::Missing;
  if (!exists) return false;
  if (!check.refusal.empty()) {
    error = check.refusal;
    return false;
  }
  shell::StoreOptions options;
  options.create = false;
  options.readOnly = true;
  if (store.Open(file, options)) return true;
  error = "cannot read " + file + ": " + runtime::ErrorText();
  if (!store.driverError().empty()) error += " (" + store.driverError() + ")";
  return false;
}

std::string StoreError(const shell::SavedSearchStore& store) {
  std::string error = runtime::ErrorText();
  if (!store.driverError().empty()) error += " (" + store.driverError() + ")";
  return error;
}

}  // namespace

int RunSavedCommand(const Arguments& args, std::ostream& out, std::ostream& err) {
  if (args.size() == 1 && IsHelpOption(args[0])) {
    out << kSavedUsage;
    return kExitOk;
  }
  if (!args.empty()) return UsageError(err, "unexpected argument '" + args[0] + "'", "saved");
  shell::SavedSearchStore store;
  bool exists = false;
  std::string error;
  if (!OpenStore(store, exists, error)) {
    if (!exists) return kExitOk;
    PrintError(err, error);
    return kExitUsage;
  }
  const auto records = store.List(shell::SavedKey::ByName);
  if (!records) {
    PrintError(err, "cannot read " + store.fileName() + ": " + StoreError(store));
    return kExitUsage;
  }
  // The fields come from a file anyone may have written: on a terminal they show escaped.
  for (const shell::SavedSearch& record : *records) {
    out << Shown(out, record.name.str()) << '\t' << Shown(out, record.path.str()) << '\t'
        << Shown(out, record.spec.str()) << '\t' << shell::RecordOptionsText(record.sw) << '\n';
  }
  return kExitOk;
}

std::optional<engine::SearchSpec> LoadSavedSearch(const std::string& name, std::string& error) {
  shell::SavedSearchStore store;
  bool exists = false;
  if (!OpenStore(store, exists, error)) {
    if (!exists) error = "no saved search named '" + name + "' (no searches.hvn here)";
    return std::nullopt;
  }
  const auto record = store.FindByName(name);
  if (!record) {
    error = runtime::ErrorCode() == 35
                ? "no saved search named '" + name + "'"
                : "cannot read " + store.fileName() + ": " + StoreError(store);
    return std::nullopt;
  }
  engine::SearchSpec request;
  shell::CopySavedToRequest(*record, request);
  return request;
}

}  // namespace trawlex::app
