#pragma once
// Looks: the user-selectable layouts of the results list, kept in the look file
// "VavaDud2.INI" in the current directory, and the per-window choice among them.
//
// The look file:
//   [General]  DefaultWithLoc (look when hits have locations, 1), DefaultNoLoc (when none
//              has, 3), LookVer (written as 3)
//   [Look1] .. [Look8]  Name (menu caption, "User"), Default (shipped list format), Format
//              (the user's saved format; wins over Default when not blank), FontName,
//              FontSize, FontStyle (the list font; bold 8-point "MS Sans Serif" when no name)
//   [Note]     Fix 1, Fix 2 (advice written by the start-up repair)
// Every key is read when needed, so edits to the file show at the next use.

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "runtime/desktop.h"

namespace trawlex::results {

// The name the program creates; an existing file is found whatever the case of its name.
inline constexpr std::string_view kLookFileName = "VavaDud2.INI";
inline constexpr std::string_view kShippedLookFileName = "VAVADUD2.INI.Shipped";

inline constexpr int kLookCount = 8;

// The results list when no look is applied: file over subdirectory, line over the blank
// field, location over text (two rows per hit).
inline constexpr std::string_view kNoLookFormat =
    "[54L(1)|M~File~@s68@/53R(1)|_M~SubDirectory~@s12@/](59)|M[22R(1)|M~Line~C(0)@n_5@/"
    "13R(1)|_M@s1@]|M[320L(1)~Location~@s80@/320L(20)_~Text~@s199@]";
// Look 1 of a basic look file, "Two Line": as above with a 50-character location.
inline constexpr std::string_view kLook1Format =
    "[54L(1)|M~File~@s68@/53R(1)|_M~SubDirectory~@s12@/](59)|M[22R(1)|M~Line~C(0)@n_5@/"
    "13R(1)|_M@s1@]|M[57L(1)~Location~@s50@/320L(20)_~Text~@s199@]";
// Look 6 of a basic look file, "Line#,Text": one row per hit, no location.
inline constexpr std::string_view kLook6Format =
    "43L(1)|M#2#~Directory~@s36@54L(1)|M#1#~File~@s68@22R(1)|M#3#~Line~@n_5@320L(1)#6#~Text~"
    "@s199@";
// The Files tab's list of the FileQueue.
inline constexpr std::string_view kFilesListFormat =
    "65L(1)|M~Name~@s68@44R(2)|M~Date~C(0)@d1@39R(2)|M~Time~C(0)@t3@39R(2)|M~Size~C(0)@n10@"
    "29L(8)|~Found~L(2)@n3@60L(1)~Sub Directory~@s12@";
// The Path tab's list of the ScanDirQueue.
inline constexpr std::string_view kPathListFormat =
    "164L(1)|M~Path~@s255@28R(2)|M~Files~C(0)@n6@32R(2)|M~Find Cnt~C(0)@n6@22L|M~Level~@n3@"
    "48L(1)|M~Short Name~@s12@";

inline constexpr std::string_view kDefaultLookFontName = "MS Sans Serif";
inline constexpr int kDefaultLookFontSize = 8;
inline constexpr int kDefaultLookFontStyle = 700;  // bold

// A list font as the look file keeps it; the window maps the name to a font of the desktop.
struct LookFont {
  std::string name;
  int size = 0;   // points
  int style = 0;  // weight (400 regular, 700 bold) with the slant flags
  bool operator==(const LookFont&) const = default;
};

// What applying a look gives the list.
struct AppliedLook {
  int look = 1;
  std::string format;  // the list format string; empty when the look has none
  LookFont font;
  bool operator==(const AppliedLook&) const = default;
};

// The "List Format" menu items and the "Change Look" popup text.
struct LookMenus {
  std::array<std::string, kLookCount> captions;  // item N at [N - 1]
  std::string popupText;                         // items separated by '|'
  int checked = 1;                               // the current look
};

// The look file in `dir`: an existing file named "VavaDud2.INI" in any case of letters (the
// exact spelling preferred), else `dir` / "VavaDud2.INI".
std::filesystem::path LookFilePath(const std::filesystem::path& dir);

// The looks of one results window.
class Looks {
 public:
  explicit Looks(std::filesystem::path lookFile) : lookFile_(std::move(lookFile)) {}

  // On opening: reads both defaults (outside 1 to 8: 1 and 3) and applies DefaultWithLoc.
  AppliedLook Open();

  // Applies look `look`, taken into 1 to 8: its saved format when not blank, else its shipped
  // one, and its font.
  AppliedLook Apply(int look);

  // The first completed run of the window chooses the look by whether any hit had a location;
  // later runs (and pruning) keep the current look: nothing is returned then.
  std::optional<AppliedLook> RunCompleted(bool locationFound);

  LookMenus Menus() const;

  // "When Location is present" / "When Location is NOT present": the current look becomes the
  // default, in the file and in the menus. False, with the old default kept, when the file
  // could not be written.
  bool SaveAsDefaultWithLoc();
  bool SaveAsDefaultNoLoc();

  // "Save Current Font as Default" for the current look.
  bool SaveFont(const LookFont& font);
  // "Column Widths" / "Save as Default": the list's format string for the current look.
  bool SaveFormat(std::string_view format);
  // "Reset to Original": the current look's shipped format. The saved one stays in the file
  // and is used again the next time the look is applied.
  std::string OriginalFormat() const;

  int currentLook() const { return currentLook_; }
  int defaultWithLoc() const { return defaultWithLoc_; }
  int defaultNoLoc() const { return defaultNoLoc_; }
  bool lookChosen() const { return lookChosen_; }
  const std::filesystem::path& lookFile() const { return lookFile_; }

 private:
  bool SaveDefault(std::string_view key, int& value);

  std::filesystem::path lookFile_;
  int currentLook_ = 1;
  int defaultWithLoc_ = 1;
  int defaultNoLoc_ = 3;
  bool lookChosen_ = false;
};

// ---- Repair at program start ----

enum class LookFileRepair {
  Present,        // a look file was there: left alone
  CopiedShipped,  // made from the shipped copy
  MadeBasic,      // the user was told, and a basic file was written
  Failed,         // the user was told, but the basic file could not be written
};

inline constexpr std::string_view kMissingLookFileMessage =
    "Missing file: VAVADUD2.INI||Search results will NOT look right. Try to locate this file. A "
    "basic one will now be made.";

// Makes sure `dir` has a look file: copies the shipped copy (found in any case of letters) to
// "VavaDud2.INI" when no look file exists; when that fails too, tells the user and writes the
// basic file (two notes, the defaults 1 and 6, looks 1 and 6).
LookFileRepair RepairLookFile(const std::filesystem::path& dir, runtime::Desktop& desktop);

}  // namespace trawlex::results
