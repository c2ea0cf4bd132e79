#pragma once
// Window positions kept in Trawlex.INI, one section per window: "XPosit", "YPosit", "Width",
// "Height" and "Maximize" ("Yes"/"No"). Every window restores its place after it opens and
// saves it when it closes.

#include <filesystem>
#include <string_view>

namespace trawlex::shell {

// Sections of the windows whose position is kept.
inline constexpr std::string_view kMainWindowSection = "Main";
inline constexpr std::string_view kSearchInputSection = "SearchInput";
inline constexpr std::string_view kOpenSearchSection = "OpenSearch";
inline constexpr std::string_view kOpenLastSearchSection = "OpenLastSearch";
inline constexpr std::string_view kSearchResultsSection = "SearchResults";
inline constexpr std::string_view kSearchViewSection = "SearchView";
inline constexpr std::string_view kFindInViewSection = "FindInView";
inline constexpr std::string_view kFindAndDeleteSection = "FindAndDelete";
inline constexpr std::string_view kLine2ClipSection = "Line2Clip";
inline constexpr std::string_view kINIOptionsSection = "INIOptions";

// Position and size in whatever unit the window layer uses, as long as it reads back what
// it wrote.
struct Rect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool operator==(const Rect&) const = default;
};

// What window placement needs of a window; the window layer implements it.
class WindowGeometry {
 public:
  virtual ~WindowGeometry() = default;
  virtual bool IsMaximized() const = 0;
  virtual bool IsMinimized() const = 0;
  // Leaves the maximised state: the window takes its normal position and size again.
  virtual void Restore() = 0;
  virtual void Maximize() = 0;
  // Whether the user can change the window's size (else only its place is restored).
  virtual bool IsResizable() const = 0;
  // The normal (not maximised) position and size.
  virtual Rect Position() const = 0;
  virtual void MoveTo(const Rect& place) = 0;
};

// Saves the window's place on closing. A minimised window writes nothing, so the place
// stored before stays. A maximised window is restored first and stores "Yes" with its
// normal place. False when a write failed.
bool SaveWindowPosition(WindowGeometry& window, const std::filesystem::path& file,
                        std::string_view section);

// Puts the window where it was saved. A coordinate of 0 counts as absent: nothing is moved
// then, and a window saved at x = 0 or y = 0 opens at its designed place. A width or height
// below 1 counts as absent too. "Maximize" = "Yes" maximises the window once any stored
// place has been applied.
void RestoreWindowPosition(WindowGeometry& window, const std::filesystem::path& file,
                           std::string_view section);

}  // namespace trawlex::shell
