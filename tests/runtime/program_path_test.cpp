// Finding a command word's program the way starting it would.

#include "runtime/program_path.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>

#include "support/temp_tree.h"

namespace trawlex::runtime {
namespace {

TEST(ProgramPath, FindsWhatExecvpWouldStart) {
  testing::TempTree tree;
  const auto bin = tree.root() / "bin";
  std::filesystem::create_directories(bin / "adir");
  std::ofstream(bin / "tool") << "#!/bin/sh\n";
  chmod((bin / "tool").c_str(), 0755);
  std::ofstream(bin / "plain") << "not executable\n";
  chmod((bin / "plain").c_str(), 0644);
  const std::string path = "/nonexistent:" + bin.string();
  const struct {
    std::string program;
    bool found;
  } cases[] = {
      {"tool", true},                   // in the second directory of the path
      {"plain", false},                 // there, but not executable
      {"adir", false},                  // a directory is no program
      {"missing", false},               //
      {"", false},                      //
      {(bin / "tool").string(), true},  // a word with '/' names the file itself
      {"bin/tool", false},              // relative to the current directory only
  };
  for (const auto& c : cases) EXPECT_EQ(ProgramExistsOn(c.program, path), c.found) << c.program;
}

}  // namespace
}  // namespace trawlex::runtime
