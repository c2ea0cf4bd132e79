#pragma once
// Colours of the viewer's rows: by the kind of file (comments grey, procedure and section
// heads highlighted), then the rows of the search's hits, the current hit, and the rows that
// pass the viewer's find. Colours are 0xBBGGRR; kListColour means the list's own.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "results/find_text.h"

namespace trawlex::results {

inline constexpr std::int32_t kListColour = -1;
inline constexpr std::int32_t kHitRowColour = 0xFFFF00;
inline constexpr std::int32_t kCurrentHitColour = 0x00FF00;
inline constexpr std::int32_t kFindRowColour = 0x008080;

struct RowColours {
  std::int32_t fg = kListColour;
  std::int32_t bg = kListColour;
  std::int32_t selectedFg = kListColour;
  std::int32_t selectedBg = kListColour;
  bool operator==(const RowColours&) const = default;
};

enum class ViewFileKind { None, Source, Template, Txa, Sty, C, Asp, Php, Basic, Vb };

// The kind from the file name's extension (up to three characters after the first dot within
// the last five characters of the name); the extension lists are the settings ExtVeldar and
// ExtTemplates (three-letter cells, concatenated).
ViewFileKind ViewFileKindOf(std::string_view fileName, std::string_view extVeldar,
                            std::string_view extTemplates);

// What marks rows beyond their kind.
struct RowMarks {
  const std::vector<std::int64_t>* hitPositions = nullptr;  // ascending
  std::int64_t currentHit = 0;                              // RQ:PTR of the hit shown
  const FindRecord* find = nullptr;                         // when set
};

RowColours ColourRow(ViewFileKind kind, std::string_view text, std::int64_t ptr,
                     const RowMarks& marks);

}  // namespace trawlex::results
