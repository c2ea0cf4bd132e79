#pragma once
// Profile ("INI") files read and written one key at a time, the way the Windows profile
// functions do it: "[section]" headers, "key=value" lines and ';' comments; section and key
// names compared without case; the first matching section and the first matching key win.
// Nothing is cached: every read goes to the file and every write replaces it at once.
// Text is bytes; no character-set conversion takes place.

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace trawlex::runtime {

// The value of `key` in `section`: the text after the first '=', blanks and tabs trimmed and
// one pair of enclosing double or single quotes removed. A missing file, section or key gives
// `defaultValue` (trailing blanks removed, as Windows does).
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
// or '[', cannot be stored faithfully and are refused as invalid parameters.
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
