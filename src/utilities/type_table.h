#pragma once
// The Windows type table of the prototype converter: which Veldar type stands for a Windows
// type name. It lives in a Veldar source file the user may edit, one entry a line:
//
//     DWORD          EQUATE(ULONG)        ! 32-bit unsigned integer
//
// Lines starting with a blank, ';', '!' or '/' are comments, and so are blank lines. Every
// other line must hold "EQUATE(" after its third character; a line that does not is rejected
// (reported, never half-read). "WinTypesUser.VLW" is the user's own copy and wins over the
// shipped "WinTypes.VLW" in the same directory.
//
// Entries whose Veldar type ends in "_T" name a pointer-sized type (HANDLE_T, LONG_T...). The
// _T list pairs each such name with the 32-bit type it stands for, so that a program can be
// converted either to the flexible _T names or to plain SIGNED / UNSIGNED.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace trawlex::utilities {

inline constexpr std::size_t kWinTypeWidth = 32;
inline constexpr std::size_t kVlaTypeWidth = 32;
inline constexpr std::size_t kTypeDescriptionWidth = 255;
inline constexpr std::size_t kTypeTWidth = 16;

inline constexpr const char* kUserTypeTableName = "WinTypesUser.VLW";
inline constexpr const char* kTypeTableName = "WinTypes.VLW";

struct WinTypeEntry {
  std::string winType;       // as written in the file
  std::string vlaType;       // the text inside EQUATE( )
  std::string description;   // the '!' comment, blanks trimmed
  std::string winTypeUpper;  // the lookup key
};

// One pointer-sized type: its _T name and the 32-bit type it is on a 32-bit target.
struct TypeT {
  std::string typeT;    // e.g. "HANDLE_T"
  std::string typeNot;  // "SIGNED" or "UNSIGNED"
};

// A line of the file that is neither a comment nor a usable entry, with the reason.
struct RejectedTypeLine {
  int lineNumber = 0;  // 1-based
  std::string line;
  std::string reason;
};

struct TypeTable {
  std::vector<WinTypeEntry> entries;  // in file order
  std::vector<TypeT> tTypes;          // each _T name once, in order of first use

  // The first entry for `winType`, compared without case; nullptr when there is none.
  const WinTypeEntry* Find(std::string_view winType) const;
  // The _T pair for a Veldar type name, compared without case; nullptr when it is no _T type.
  const TypeT* FindTypeT(std::string_view vlaType) const;
};

struct TypeTableParse {
  TypeTable table;
  std::vector<RejectedTypeLine> rejected;
};

// Reads the entries of a table file's text and builds the _T list from them.
TypeTableParse ParseTypeTable(std::string_view text);

// The 32-bit type a _T name stands for: "SIGNED" for the signed stems (LONG_T, INT_T,
// SIGNED_T, SSIZE_T, LPARAM_T, LRESULT_T, PTRDIFF_T and names starting with them), else
// "UNSIGNED" (handles, pointers, sizes and the unsigned integers).
std::string TypeNotOf(std::string_view typeT);

// The table file to use in `directory`: the user's file when it exists, else the shipped one.
std::filesystem::path TypeTableFile(const std::filesystem::path& directory);

struct TypeTableLoad {
  std::filesystem::path file;  // the file that was read (or could not be)
  TypeTableParse parse;
  std::string error;           // `Open "file" Error: code text` when it could not be read
};

// Reads the table from `directory` (see TypeTableFile). A missing or unreadable file gives an
// empty table and the error text.
TypeTableLoad LoadTypeTable(const std::filesystem::path& directory);

// The text for "C&opy _T": one EQUATE line per _T type, defining it as its 32-bit type, for
// pasting into a program that uses the _T names.
std::string TypeTEquatesText(const TypeTable& table);

}  // namespace trawlex::utilities
