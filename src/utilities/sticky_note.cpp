#include "utilities/sticky_note.h"

#include <array>
#include <charconv>
#include <utility>

#include "runtime/names.h"
#include "runtime/profile.h"

namespace trawlex::utilities {
namespace {

// A saved window smaller than this could not show its menu, larger than this fits no screen.
constexpr int kMinWindowSide = 80;
constexpr int kMaxWindowSide = 16384;
constexpr int kMaxFontSize = 400;
constexpr int kMaxColour = 0xFFFFFF;
// Weight up to 1000 plus the italic, underline and strike-out flags.
constexpr int kMaxFontStyle = 0x7FFF;
constexpr int kMaxFontWeight = 1000;

constexpr std::size_t kTitleSource = 100;
constexpr std::size_t kTitleLength = 20;

// The value of `key` when it is a whole decimal number within [low, high].
std::optional<int> SavedNumber(const std::filesystem::path& file, std::string_view key, int low,
                               int high) {
  const std::string text = runtime::ReadProfileString(file, kStickSection, key, "");
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end || value < low || value > high) {
    return std::nullopt;
  }
  return value;
}

int SavedOr(const std::filesystem::path& file, std::string_view key, int low, int high,
            int fallback) {
  return SavedNumber(file, key, low, high).value_or(fallback);
}

bool SavedSwitch(const std::filesystem::path& file, std::string_view key, bool fallback) {
  const std::optional<int> value = SavedNumber(file, key, 0, 1);
  return value ? *value == 1 : fallback;
}

bool ValidStyle(int style) {
  return (style & 0xFFF) <= kMaxFontWeight;
}

// The first `count` characters of `text`.
std::string_view FirstCharacters(std::string_view text, std::size_t count) {
  std::size_t seen = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!runtime::IsUtf8Continuation(text[i]) && seen++ == count) return text.substr(0, i);
  }
  return text;
}

// Green sets a pale green, in the row of the other pale note colours; Lime is the full green.
constexpr std::array<int, 8> kListColours = {
    0x80FF80,  // Green
    0x00FF00,  // Lime
    0xFFFF00,  // Aqua
    0xFFFF80,  // Blue
    0xFF00FF,  // Fuschia
    0x80FFFF,  // Yellow
    0xC0C0C0,  // Silver
    0xFFFFFF,  // White
};
constexpr int kCustomChoice = 9;

}  // namespace

StickLook LoadStickLook(const std::filesystem::path& searchDat) {
  const StickLook fallback;
  if (runtime::ReadProfileInt(searchDat, kStickSection, "Custom", 0) != 1) return fallback;
  StickLook look;
  look.winW = SavedOr(searchDat, "WinW", kMinWindowSide, kMaxWindowSide, fallback.winW);
  look.winH = SavedOr(searchDat, "WinH", kMinWindowSide, kMaxWindowSide, fallback.winH);
  look.fontName = runtime::ReadProfileString(searchDat, kStickSection, "FontName", "");
  if (look.fontName.empty()) look.fontName = fallback.fontName;
  look.fontSize = SavedOr(searchDat, "FontSize", 1, kMaxFontSize, fallback.fontSize);
  look.fontColor = SavedOr(searchDat, "FontColor", 0, kMaxColour, fallback.fontColor);
  look.fontStyle = SavedOr(searchDat, "FontStyle", 0, kMaxFontStyle, fallback.fontStyle);
  if (!ValidStyle(look.fontStyle)) look.fontStyle = fallback.fontStyle;
  look.fillColor = SavedOr(searchDat, "FillColor", 0, kMaxColour, fallback.fillColor);
  look.hScroll = SavedSwitch(searchDat, "HScroll", fallback.hScroll);
  look.vScroll = SavedSwitch(searchDat, "VScroll", fallback.vScroll);
  return look;
}

bool SaveStickLook(const StickLook& look, const StickKeyWriter& write) {
  const auto number = [](int value) { return std::to_string(value); };
  const std::pair<std::string_view, std::string> keys[] = {
      {"WinW", number(look.winW)},           {"WinH", number(look.winH)},
      {"FontName", look.fontName},           {"FontSize", number(look.fontSize)},
      {"FontColor", number(look.fontColor)}, {"FontStyle", number(look.fontStyle)},
      {"FillColor", number(look.fillColor)}, {"HScroll", look.hScroll ? "1" : "0"},
      {"VScroll", look.vScroll ? "1" : "0"},
  };
  if (!write("Custom", "0")) return false;
  for (const auto& [key, value] : keys) {
    if (!write(key, value)) return false;
  }
  return write("Custom", "1");
}

bool SaveStickLook(const std::filesystem::path& searchDat, const StickLook& look) {
  return SaveStickLook(look, [&searchDat](std::string_view key, std::string_view value) {
    return runtime::WriteProfileString(searchDat, kStickSection, key, value);
  });
}

bool ResetStickLook(const std::filesystem::path& searchDat) {
  return runtime::WriteProfileString(searchDat, kStickSection, "Custom", "0");
}

std::string StickNoteTitle(std::string_view text) {
  std::string source(FirstCharacters(text, kTitleSource));
  for (char& c : source) {
    if (static_cast<unsigned char>(c) < 32) c = ' ';
  }
  const std::size_t start = source.find_first_not_of(' ');
  if (start == std::string::npos) return std::string(kStickNoteCaption);
  std::string title(FirstCharacters(std::string_view(source).substr(start), kTitleLength));
  title.erase(title.find_last_not_of(' ') + 1);
  return title + " - " + std::string(kStickNoteCaption);
}

std::optional<int> ChooseNoteColour(runtime::Desktop& desktop, int current,
                                    runtime::ScreenPoint where) {
  const int choice = desktop.PopupMenuAt(std::string(kNoteColourMenu), where);
  if (choice == kCustomChoice) return desktop.ChooseColour(current, std::string(kNoteColourTitle));
  if (choice < 1 || choice > static_cast<int>(kListColours.size())) return std::nullopt;
  return kListColours[static_cast<std::size_t>(choice - 1)];
}

void SwitchBothScrollbars(StickLook& look) {
  const bool on = !look.vScroll;
  look.hScroll = on;
  look.vScroll = on;
}

}  // namespace trawlex::utilities
