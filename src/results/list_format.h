#pragma once
// List format strings: the column specification of a results, files or path list.
//
// A format string names, per column, its width (in the list control's units), alignment and
// indent ("54L(1)"), flags ("M" resizable, "|" right border, "_" underline), header
// ("~File~", optionally followed by the header's own alignment, "~Line~C(0)"), picture
// ("@s68@") and record field ("#2#"). Columns may be gathered in bracketed groups
// ("[...](59)") whose "/" ends one row of a multi-row entry; a group takes flags and a header
// after its "]" just like a column.
//
// Users keep these strings in the look file and the window saves them back, so a format is
// held as the exact sequence of its pieces: writing it gives the text it was read from, byte
// for byte, with only the widths the window changed put in place of the old numbers. Pieces
// this code does not interpret (colour, icon, tree or tip modifiers, stray blanks) are kept as
// written and ignored by the model.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "engine/file_set.h"
#include "engine/result_line.h"

namespace trawlex::results {

enum class Alignment { Left, Right, Centre, Decimal };

// Widths, indents and field numbers above this are not read (they would be typing errors).
inline constexpr int kMaxFormatNumber = 999'999;

enum class TokenKind {
  Blank,        // blanks between pieces
  Width,        // digits that start a column
  Align,        // the column's alignment letter and optional "(indent)"
  HeaderAlign,  // alignment letter and optional "(indent)" right after a header
  Header,       // "~text~"
  Picture,      // "@text@"
  FieldNumber,  // "#n#"
  Flag,         // "M", "|" or "_"
  RowEnd,       // "/": the next column of the group starts a new row
  GroupOpen,    // "["
  GroupClose,   // "]"
  GroupWidth,   // "(n)" after "]"
  Other,        // any other modifier, kept as written
};

struct FormatToken {
  TokenKind kind = TokenKind::Other;
  std::string text;  // exactly as written
  bool operator==(const FormatToken&) const = default;
};

// One column of the format: one cell of an entry.
struct ListColumn {
  std::size_t index = 0;  // position among all columns of the format, from 0
  int width = 0;
  Alignment alignment = Alignment::Left;
  std::optional<int> indent;
  std::string header;  // text between the '~', empty when the column has none
  std::optional<Alignment> headerAlignment;
  std::optional<int> headerIndent;
  std::string picture;  // text between the '@' ("s68"), empty when none
  int field = 0;        // record field shown, from 1
  bool resizable = false;
  bool rightBorder = false;
  bool underline = false;
  bool endsRow = false;  // followed by "/"
};

// The cells side by side on one row of a group; mostly a single column.
struct ListRow {
  std::vector<ListColumn> columns;
};

// One column of the view: a bracketed group, or a column standing alone (one row, one cell).
struct ListGroup {
  bool bracketed = false;
  int width = 0;                     // "(n)" after "]", else the widest row; a lone column's width
  std::optional<int> declaredWidth;  // the "(n)" of a bracketed group, when written
  std::string header;                // the group's own header (a lone column's header)
  std::optional<Alignment> headerAlignment;
  bool resizable = false;
  bool rightBorder = false;
  std::vector<ListRow> rows;
};

// What the view's header shows for a group: its own header, or else the headers of the columns
// that start its rows, joined by `separator` ("File\nSubDirectory").
std::string DisplayHeader(const ListGroup& group, std::string_view separator = "\n");

struct FormatError {
  std::size_t position = 0;  // byte offset in the format text where reading stopped
  std::string message;
};

struct ParsedListFormat;

class ListFormat {
 public:
  ListFormat() = default;  // the empty format: no columns

  // Reads a format string. Refused (with the position and reason): a header, picture, field
  // number or quoted text without its closing character, an unclosed "(", "]" without "[" or
  // "[" without "]", an empty group, a column that does not start with its width, an indent,
  // width or field number that is not a number from 0 (field numbers: from 1) to
  // kMaxFormatNumber. Everything else is accepted, unknown modifiers included.
  static ParsedListFormat Parse(std::string_view text);

  // The format as text: the text it was read from, with changed widths in place.
  std::string Write() const;

  const std::vector<ListGroup>& groups() const { return groups_; }
  const std::vector<FormatToken>& tokens() const { return tokens_; }
  std::size_t columnCount() const { return columnWidthToken_.size(); }
  bool empty() const { return groups_.empty(); }

  // The column by its position among all columns (ListColumn::index).
  const ListColumn* Column(std::size_t index) const;

  // A width the user dragged. A column's number is replaced in place; a bracketed group's
  // "(n)" likewise, or added after its "]" when it had none; a lone column's group width is
  // that column's width. False (and nothing changed) for an unknown position or a width
  // outside 0 to kMaxFormatNumber.
  bool SetColumnWidth(std::size_t column, int width);
  bool SetGroupWidth(std::size_t group, int width);

 private:
  void Build();

  std::vector<FormatToken> tokens_;
  std::vector<ListGroup> groups_;
  std::vector<std::size_t> columnWidthToken_;  // per column: its Width token
  // Per group: its "]" token for a bracketed group, else the index of its lone column.
  std::vector<std::size_t> groupAnchor_;
};

struct ParsedListFormat {
  std::optional<ListFormat> format;  // set when the text could be read
  FormatError error;                 // otherwise: where and why not
};

// ---- Field values and pictures ----

// A record field as a list shows it: a number or a text.
using FieldValue = std::variant<std::int64_t, std::string>;

// A field value shown through a picture ("@s68@" or "s68"; no case):
//   s<n>  text cut to n bytes (never inside a UTF-8 character), trailing blanks removed;
//   n...  number by runtime::ParseNumberPicture / FormatNumber ("n_5", "n6b", "n10");
//   d...  day number by runtime::FormatDate ("d1");
//   t...  hundredths since midnight by runtime::FormatTime ("t3").
// Texts given to number pictures read as their leading integer (0 when none); numbers given to
// text pictures as decimal text. No picture, or one not understood, shows the value as it is.
std::string FormatField(std::string_view picture, const FieldValue& value);

// The record fields the three lists address, numbered from 1 in record order. A number
// beyond the record gives an empty text.
//   ResultLine: 1 file, 2 subdirectory, 3 line, 4 blank ("x" on a line a test delete flagged),
//               5 location, 6 text, 7 position, 8 directory number.
//   FileEntry:  1 name, 2 date, 3 time, 4 size, 5 found count, 6 subdirectory, 7 mark,
//               8 directory number, 9 file kind.
//   ScanDirEntry: 1 path, 2 files, 3 found count, 4 level, 5 short name (display name).
FieldValue ResultField(const engine::ResultLine& line, int field);
FieldValue FileField(const engine::FileEntry& file, int field);
FieldValue ScanDirField(const engine::ScanDirEntry& dir, int field);

}  // namespace trawlex::results
