#pragma once
// The sub-commands of `trawl`. Each takes the arguments after its own name and returns the
// process exit status: 0 success (or hits found), 1 no match, 2 bad usage or error.

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace trawlex::app {

using Arguments = std::vector<std::string>;

inline constexpr int kExitOk = 0;
inline constexpr int kExitNoMatch = 1;
inline constexpr int kExitUsage = 2;

int RunMatchCommand(const Arguments& args, std::ostream& out, std::ostream& err);
int RunSearchCommand(const Arguments& args, std::ostream& out, std::ostream& err);
int RunRegexCommand(const Arguments& args, std::ostream& out, std::ostream& err);
int RunSavedCommand(const Arguments& args, std::ostream& out, std::ostream& err);
// Reads its input from std::cin; the overload with `in` is the same command on any stream.
int RunConvertCommand(const Arguments& args, std::ostream& out, std::ostream& err);
int RunConvertCommand(const Arguments& args, std::istream& in, std::ostream& out,
                      std::ostream& err);
// The window-structure analyser on the structure of std::cin (or `in`).
int RunWindowCommand(const Arguments& args, std::ostream& out, std::ostream& err);
int RunWindowCommand(const Arguments& args, std::istream& in, std::ostream& out,
                     std::ostream& err);

// Prints "trawl: <message>" on `err`; a name in the message cannot reach a terminal's
// control sequences (terminal_text.h).
void PrintError(std::ostream& err, std::string_view message);

// Prints "trawl: <message>" and a pointer to the help; returns kExitUsage.
int UsageError(std::ostream& err, const std::string& message, const std::string& command = {});

bool IsHelpOption(const std::string& arg);

}  // namespace trawlex::app
