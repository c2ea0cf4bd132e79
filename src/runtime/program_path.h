#pragma once
// Whether a program named by a command word can be started, looked for the way the starting
// itself looks for it (execvp): a word holding '/' names a file as it stands; a bare name is
// looked for in each directory of the search path. Used to name a missing program in a
// message instead of failing with a bare "not found".

#include <string_view>

namespace trawlex::runtime {

// With the search path given (a ':'-separated list; an empty entry is the current directory).
bool ProgramExistsOn(std::string_view program, std::string_view searchPath);

// With $PATH, or "/usr/local/bin:/usr/bin:/bin" when it is not set.
bool ProgramExists(std::string_view program);

}  // namespace trawlex::runtime
