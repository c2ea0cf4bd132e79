#pragma once
// Profile ("INI") files read and written one key at a time, the way the Windows profile
// functions do it: "[section]" headers, "key=value" lines and ';' comments; section and key
// names compared without case; the first matching section and the first matching key win.
// Nothing is cached: every read goes to the file and every write replaces it at once.
// Text is bytes; no character-set conversion takes place.
//
// Only a regular file of at most kProfileSizeLimit bytes is used. Any other name (a directory,
// a named pipe, a device, a symbolic link to nothing or to itself, a file too large to be a
// profile) is refused: reads take it as missing and writes fail on it without replacing it.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace trawlex::runtime {

// Settings files hold a few kilobytes; no read of one goes past this size.
inline constexpr std::size_t kProfileSizeLimit = 16 * 1024 * 1024;

// Why `file` is refused as a profile file, naming it as given: "Search.DAT is a named pipe,
// not a settings file", "Search.DAT is larger than 16 MiB, too large for a settings file".
// nullopt when it is usable, missing, or cannot be looked at. Reads and writes do not report
// a refusal beyond their result; this is how a caller learns why, to tell the user.
std::optional<std::string> ProfileFileRefusal(const std::filesystem::path& file);

// The value of `key` in `section`: the text after the first '=', blanks and tabs trimmed and
// one pair of enclosing double or single quotes removed. A missing or refused file, a missing
// section or key gives `defaultValue` (trailing blanks removed, as Windows does).
std::string ReadProfileString(const std::filesystem::path& file, std::string_view section,
                              std::string_view key, std::string_view defaultValue);

// The leading decimal number (optional sign) of the value; `defaultValue` when the value is
// missing or empty, 0 when it does not start with a number. Out-of-range numbers saturate.
int ReadProfileInt(const std::filesystem::path& file, std::string_view section,
                   std::string_view key, int defaultValue);

// The key names of the first matching section in file order, each name once.
std::vector<std::string> ReadProfileSectionKeys(const std::filesystem::path& file,
                                                std::string_view section);

// Sets `key` in `section`, creating the key, the section, the file and its missing directories
// as needed; every other line stays byte for byte. The file is replaced atomically. On failure
// the file is untouched, the error is posted and false is returned; on success the error is
// cleared. Names and values holding a line break, and keys holding '=' or starting with ';'
// or '[', cannot be stored faithfully and are refused as invalid parameters. On a refused file
// the error is 305 ("Access Denied") with the refusal as its text, the file named without its
// directory so that the text fits the error field: "Search.DAT is a directory, not a settings
// file". The other writes below refuse such a file the same way.
bool WriteProfileString(const std::filesystem::path& file, std::string_view section,
                        std::string_view key, std::string_view value);

// Sets several keys of one section in a single replacement of the file: either all of them
// are written or, on failure, none.
bool WriteProfileStrings(const std::filesystem::path& file, std::string_view section,
                         const std::vector<std::pair<std::string, std::string>>& entries);

// Removes every line of `key` in the first matching section. A missing key is no error.
bool DeleteProfileKey(const std::filesystem::path& file, std::string_view section,
                      std::string_view key);

// Removes every section named `section`, its header and all its lines. A missing section is
// no error.
bool DeleteProfileSection(const std::filesystem::path& file, std::string_view section);

}  // namespace trawlex::runtime
