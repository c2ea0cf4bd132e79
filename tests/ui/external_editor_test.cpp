// The editor and the terminal started for real by the desktop program: a recording fake
// program writes the directory it runs in and every argument it receives, so the test sees
// what a real editor would see for a file whose name holds blanks, quotes, shell syntax and
// a line end.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QTest>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "dialog_driver.h"
#include "results/command_prompt.h"
#include "results/editor_command.h"
#include "support/temp_tree.h"
#include "ui/qt_desktop.h"

namespace trawlex::ui {
namespace {

namespace fs = std::filesystem;

constexpr int kStartTimeoutMs = 30000;  // a loaded machine starts a shell slowly

// A shell script that records its working directory and its arguments, each ended by a
// NUL byte; the record appears whole (written aside, then renamed).
fs::path WriteRecorder(const testing::TempTree& tree, const std::string& relative,
                       const fs::path& record) {
  const std::string file = record.string();
  const fs::path script =
      tree.Write(relative, "#!/bin/sh\nprintf '%s\\0' \"$(pwd -P)\" \"$@\" > '" + file +
                               ".part' && mv '" + file + ".part' '" + file + "'\n");
  fs::permissions(script, fs::perms::owner_all, fs::perm_options::replace);
  return script;
}

// The record's fields, once the program has written it.
std::optional<std::string> WaitForRecord(const fs::path& record) {
  if (!QTest::qWaitFor([&] { return fs::exists(record); }, kStartTimeoutMs)) return std::nullopt;
  std::ifstream in(record, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string Fields(std::initializer_list<std::string> fields) {
  std::string joined;
  for (const std::string& field : fields) joined += field + '\0';
  return joined;
}

// Sets or clears an environment variable for one test and puts it back afterwards.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, const std::optional<std::string>& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value) {
      setenv(name, value->c_str(), 1);
    } else {
      unsetenv(name);
    }
  }
  ~ScopedVariable() {
    if (old_) {
      setenv(name_, old_->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }
  ScopedVariable(const ScopedVariable&) = delete;
  ScopedVariable& operator=(const ScopedVariable&) = delete;

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(ExternalEditor, FileAndLineArriveAsSingleArgumentsInTheFilesDirectory) {
  testing::TempTree tree;
  const fs::path record = tree.root() / "record";
  const fs::path editor = WriteRecorder(tree, "my tools/fake editor", record);
  const std::string name = "-a b 'q' \"d\" ;x $(touch pwned) `touch pwned` \n.vlw";
  const fs::path file = tree.Write("work dir/" + name, "x\r\n");
  const fs::path directory = fs::canonical(tree.root() / "work dir");

  test::DialogDriver driver;  // a failure message fails the test instead of waiting
  QtDesktop desktop;
  ASSERT_TRUE(
      results::EditFile(desktop, "'" + editor.string() + "' --line=%L %F", file.string(), 42));
  const std::optional<std::string> seen = WaitForRecord(record);
  ASSERT_TRUE(seen.has_value()) << "the editor did not start";
  EXPECT_EQ(*seen, Fields({directory.string(), "--line=42", file.string()}));
  EXPECT_FALSE(fs::exists(directory / "pwned"));
  EXPECT_FALSE(fs::exists(fs::current_path() / "pwned"));
}

TEST(ExternalEditor, TerminalWithoutTerminalVariableStartsTheDefaultInTheDirectory) {
  testing::TempTree tree;
  const fs::path record = tree.root() / "record";
  const fs::path bin = WriteRecorder(tree, "bin/x-terminal-emulator", record).parent_path();
  const fs::path directory = fs::canonical(tree.Dir("project dir; $(x)"));
  const char* path = std::getenv("PATH");
  const ScopedVariable searchPath("PATH", bin.string() + ":" + (path != nullptr ? path : ""));
  const ScopedVariable terminal("TERMINAL", std::nullopt);

  test::DialogDriver driver;
  QtDesktop desktop;
  ASSERT_TRUE(results::CommandPromptHere(desktop, directory.string()));
  const std::optional<std::string> seen = WaitForRecord(record);
  ASSERT_TRUE(seen.has_value()) << "the terminal did not start";
  EXPECT_EQ(*seen, Fields({directory.string()}));
}

}  // namespace
}  // namespace trawlex::ui
