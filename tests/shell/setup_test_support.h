#pragma once
// Shared set-up of the start-up tests: one directory standing for both the current directory
// (Search.DAT, searches.hvn) and the configuration directory (win.ini), with installed
// Veldar environments built inside it.

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "runtime/profile.h"
#include "shell/search_store.h"
#include "shell/settings_files.h"
#include "support/scripted_desktop.h"
#include "support/temp_tree.h"

namespace trawlex::shell::testing {

// A saved search as the tests compare it: name, path, specifications, favourite flag.
struct Search {
  std::string name, path, spec;
  int favourite = 1;
  bool operator==(const Search&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Search& s) {
  return out << "{" << s.name << ", " << s.path << ", " << s.spec << ", " << s.favourite << "}";
}

inline constexpr const char* kNotQrmSpec = "*.VLW;*.INC;*.INT;*.EQU;~QR*.*;~WB*.*";
inline constexpr const char* kQrmSpec = "QR*.VLW;QR*.INC;QR*.INT;QR*.TRN;QR*.EQU";
inline constexpr const char* kSourceSpec = "*.VLW;*.INC;*.INT;*.EQU";
inline constexpr const char* kTemplateSpec = "*.TPW;*.TPL";

// The three searches of a version other than 2, in name order.
inline std::vector<Search> VersionSearches(const std::string& prefix, const std::string& root,
                                           const std::string& suffix = "") {
  return {{prefix + "LibSrc (Not QRM)", root + "/libsrc" + suffix, kNotQrmSpec},
          {prefix + "LibSrc QRM", root + "/libsrc" + suffix, kQrmSpec},
          {prefix + "Templates", root + "/template" + suffix, kTemplateSpec}};
}

// `text` with every `from` replaced by `to`.
inline std::string Replace(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size()) {
    text.replace(at, from.size(), to);
  }
  return text;
}

// "1=T|2=L|" with T and L the template and library directories below `root`.
inline std::string PathPattern(const std::string& pattern, const std::string& root) {
  return Replace(Replace(pattern, "=T", "=" + root + "/template"), "=L", "=" + root + "/libsrc");
}

struct SetupDir {
  // Creates <dir>/bin (and the help file `help` in it) and returns it as an installer
  // writes a working directory: with a trailing separator.
  std::string Install(const std::string& dir, const std::string& help = "") {
    tree.Dir(dir + "/bin");
    if (!help.empty()) tree.Write(dir + "/bin/" + help, "help");
    return Root() + "/" + dir + "/bin/";
  }
  std::string Root() const { return tree.root().string(); }

  // The win.ini section of a version: "Veldar <version>", or the 2.0 section for "2".
  static std::string Section(const std::string& version, const std::string& workDir) {
    const std::string name = version == "2" ? "Veldar for Windows V2.0" : "Veldar " + version;
    return "[" + name + "]\nworkdir=" + workDir + "\n";
  }
  void WriteWinIni(const std::string& text) const { tree.Write("win.ini", text); }

  std::string Dat(std::string_view section, std::string_view key) const {
    return runtime::ReadProfileString(files.searchDat, section, key, "<none>");
  }
  void SetDat(std::string_view section, std::string_view key, std::string_view value) const {
    EXPECT_TRUE(runtime::WriteProfileString(files.searchDat, section, key, value));
  }
  std::string Mark() const { return Dat("Setup", "Searches"); }
  // The keys 1 to 12 of a history section that exist, as "1=a|3=b|".
  std::string Keys(std::string_view section) const {
    std::string keys;
    for (int key = 1; key <= 12; ++key) {
      const std::string value = Dat(section, std::to_string(key));
      if (value != "<none>") keys += std::to_string(key) + "=" + value + "|";
    }
    return keys;
  }

  std::string StorePath() const { return (tree.root() / SavedSearchStore::kFileName).string(); }
  void CreateStore() const {
    SavedSearchStore store;
    EXPECT_TRUE(store.Open(StorePath()));
  }
  std::vector<Search> Searches() const {
    SavedSearchStore store;
    std::vector<Search> searches;
    if (!store.Open(StorePath(), {.create = false})) return searches;
    for (const SavedSearch& s : store.List(SavedKey::ByName).value_or(std::vector<SavedSearch>{})) {
      searches.push_back({s.name.str(), s.path.str(), s.spec.str(), s.sw.extra[0]});
    }
    return searches;
  }

  trawlex::testing::TempTree tree;
  SettingsFiles files = SettingsFilesIn(tree.root());
  trawlex::testing::ScriptedDesktop desktop;
};

// Sets (or, given nullptr, removes) an environment variable for one scope.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) saved_ = old;
    Set(value);
  }
  ~ScopedEnv() { Set(saved_ ? saved_->c_str() : nullptr); }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  void Set(const char* value) {
    if (value) {
      setenv(name_, value, 1);
    } else {
      unsetenv(name_);
    }
  }
  const char* name_;
  std::optional<std::string> saved_;
};

}  // namespace trawlex::shell::testing
