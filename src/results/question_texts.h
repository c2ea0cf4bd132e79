#pragma once
// The texts of the questions and messages a search run gives its user ('|' breaks a message
// box's lines), shared by the desktop program's message boxes and `trawl`'s error lines.

#include <string>

namespace trawlex::results {

// A file could not be opened: retry, ignore it this pass, or remove it from the list.
std::string OpenFailedText(const std::string& path, const std::string& error);

// Reading a file stopped early: "Read error <path>\r\n<error>".
std::string ReadFailedText(const std::string& path, const std::string& error);

// A file of the list names no directory of the directory list.
inline constexpr const char* kDirectoryMissingText = "ScanDirQ no path ??";

// No file matched the request.
std::string NoFilesFoundText(const std::string& path, const std::string& spec);

}  // namespace trawlex::results
