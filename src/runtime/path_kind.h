#pragma once
// What a path names, told apart the way code that keeps its data in plain files needs it. A
// regular file can be read to its end and replaced; anything else (a directory, a named pipe
// whose read blocks, a device that never ends, a link that leads nowhere) has to be refused
// by name before it is read or written over.

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <string_view>

namespace trawlex::runtime {

enum class PathKind {
  Missing,  // nothing by that name, not even a link
  Regular,
  Directory,
  NamedPipe,
  CharacterDevice,
  BlockDevice,
  Socket,
  DanglingLink,  // a symbolic link to a name that does not exist
  LinkLoop,      // symbolic links that lead back to themselves
  OtherSpecial,  // a special file of some other type
  Unknown,       // cannot be told (no permission to look): the operation reports its own error
};

// The kind a stat mode stands for (a link has been followed: never DanglingLink or LinkLoop).
PathKind KindOfMode(mode_t mode);

// What `path` names, following symbolic links.
PathKind KindOfPath(const std::filesystem::path& path);

// What `path` names after looking it up (stat, open) failed with `lookupErrno`: a dangling
// link or a link loop when the name itself is a link, a socket or a device without a driver
// for ENXIO, Missing for a plain "no such file", else Unknown. errno is kept.
PathKind KindAfterFailedLookup(const std::filesystem::path& path, int lookupErrno);

// True for the kinds that are neither a regular file, nor nothing, nor unknown.
bool IsRefusedPathKind(PathKind kind);

// The kind in words, for messages: "a directory", "a named pipe", ... Empty for Missing,
// Regular and Unknown.
std::string_view KindPhrase(PathKind kind);

// "<name> is <kind phrase>, not <wanted>", as in "searches.hvn is a directory, not a search
// store".
std::string RefusalText(std::string_view name, PathKind kind, std::string_view wanted);

}  // namespace trawlex::runtime
