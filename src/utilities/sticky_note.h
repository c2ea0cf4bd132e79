#pragma once
// Sticky notes: free text jotted down beside the search results. The text of a note is never
// stored; only the look that all notes share (window size, font, background, scroll bars) is
// kept, in section "Stick" of Search.DAT, guarded by the key `Custom`.

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "runtime/desktop.h"

namespace trawlex::utilities {

inline constexpr std::string_view kStickSection = "Stick";
inline constexpr std::string_view kStickNoteCaption = "Stick Note";
// Shown when "Save Settings" could not write the look.
inline constexpr std::string_view kStickSaveFailed = "The note settings could not be saved.";
// Shown when "Reset Settings to Default" could not write `Custom`.
inline constexpr std::string_view kStickResetFailed = "The note settings could not be reset.";

// A note holds at most this many characters.
inline constexpr std::size_t kNoteTextLimit = 3000;

// Colours are 0xBBGGRR, red in the low byte.
inline constexpr int kDefaultNoteFill = 0x80FFFF;  // pale yellow

struct StickLook {
  int winW = 360;  // outer size of the note window, in pixels
  int winH = 240;
  std::string fontName = "Fixedsys";  // the desktop's fixed-pitch face stands in for it
  int fontSize = 9;                   // points
  int fontColor = 0;
  int fontStyle = 400;  // weight plus slant and line flags, as the font dialogue gives them
  int fillColor = kDefaultNoteFill;
  bool hScroll = true;
  bool vScroll = true;

  bool operator==(const StickLook&) const = default;
};

// The saved look when `Custom` is 1, each key that is missing or does not make sense taken
// from the defaults; otherwise the defaults.
StickLook LoadStickLook(const std::filesystem::path& searchDat);

// Writes one key of section "Stick"; false when the write failed.
using StickKeyWriter = std::function<bool(std::string_view key, std::string_view value)>;

// Saves the look: `Custom` = 0 first, then the nine keys, last `Custom` = 1, so that a save
// that stops half way leaves the notes on their defaults rather than on a torn look. Stops at
// the first failed write and returns false.
bool SaveStickLook(const StickLook& look, const StickKeyWriter& write);
bool SaveStickLook(const std::filesystem::path& searchDat, const StickLook& look);

// Writes `Custom` = 0: notes opened from now on take the defaults again.
bool ResetStickLook(const std::filesystem::path& searchDat);

// The window title for the note's text (UTF-8): its first 100 characters with characters
// below 32 read as blanks and leading blanks removed; "Stick Note" when that is blank, else
// its first 20 characters without trailing blanks and " - Stick Note".
std::string StickNoteTitle(std::string_view text);

// "&Color...": the colour list; "Custom" asks the colour dialogue.
inline constexpr std::string_view kNoteColourMenu =
    "Green|Lime|Aqua|Blue|Fuschia|Yellow|Silver|White|-|Custom";
inline constexpr std::string_view kNoteColourTitle = "Select Background Color";

// The background the user picks from the colour list shown at `where`, starting the colour
// dialogue from `current` for "Custom"; none when the list or the dialogue is left without a
// choice.
std::optional<int> ChooseNoteColour(runtime::Desktop& desktop, int current,
                                    runtime::ScreenPoint where);

// "&Both Scrollbars": with the vertical bar on both go off, otherwise both go on.
void SwitchBothScrollbars(StickLook& look);

}  // namespace trawlex::utilities
