#pragma once
// The current error of the last operation: a numeric code and its text, held per thread.
// File operations post an error when they fail; callers test ErrorCode() afterwards and,
// where they tell the user, append ErrorText() to their message.

#include <string>

namespace trawlex::runtime {

// Width of the error text field; at most kErrorTextWidth - 1 characters are kept.
inline constexpr int kErrorTextWidth = 80;

// Code 0 and a blank text.
void ClearError();

// Sets the current code and text. Code 0 means "the operating system's last error":
// the code becomes 300 + the Windows-style number that errno maps to.
void PostError(int code);

// Posts 300 + the Windows-style number for the given errno value. When `path` is given and
// the error is "no such file", a missing directory on the way to it gives "Path Not Found".
void PostOsError(int errnoValue, const std::string& path = {});

// An operating-system failure as a value, for code that reports it later or on another
// thread: the code and text PostOsError would post. Code 0 means no failure.
struct OsError {
  int code = 0;
  std::string text;
  explicit operator bool() const { return code != 0; }
};

// The failure an errno value stands for, without touching the current error.
OsError OsErrorOf(int errnoValue, const std::string& path = {});

// Makes a failure the current error, where a message is about to show it.
void PostError(const OsError& error);

int ErrorCode();
std::string ErrorText();  // without trailing blanks

// The message table lookup: a loaded replacement first, then the built-in text, then
// "Unknown Error Posted : <id>".
std::string TextOf(int id);

// Loads a replacement text for an identifier (an empty text removes the replacement).
void SetReplacementText(int id, const std::string& text);

// The Windows-style operating-system error number an errno value stands for.
int OsErrorNumber(int errnoValue, const std::string& path = {});

}  // namespace trawlex::runtime
