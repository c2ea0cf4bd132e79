#pragma once
// The constant converter: C `#define` lines, `typedef enum` blocks and VB `Const` lines become
// Veldar EQUATE declarations, one output line per input line, so a programmer calling an
// operating-system or library interface gets its constants without typing them again.
//
// Everything here is pure (text in, text out): the window and `trawl convert` share it. A line
// that cannot become an EQUATE is never dropped: it stays in the output as a comment that says
// why, so the user sees what still needs a hand.

#include <cstddef>
#include <string>
#include <string_view>

namespace trawlex::utilities {

inline constexpr const char* kConstantConverterCaption = "#Define to Equate() Converter";

// The longest texts the window's fields hold, in characters.
inline constexpr std::size_t kMaxDefineText = 12000;
inline constexpr std::size_t kMaxVbText = 12000;
// Work-record limits of one line: longer parts are not cut but refused for that line.
inline constexpr std::size_t kMaxLabel = 256;
inline constexpr std::size_t kMaxValue = 512;
inline constexpr std::size_t kMaxComment = 512;

// Output layout: labels padded to this column, the comment marker at the other.
inline constexpr std::size_t kLabelWidth = 32;
inline constexpr std::size_t kCommentColumn = 70;

inline constexpr const char* kNoDefinesMessage = "You must enter C #Defines on this tab first";
inline constexpr const char* kNoVbConstMessage = "You must enter VB Const on this tab first";

// The texts the input tabs open with; converting them at once converts their examples.
extern const char* const kDefineHelpText;
extern const char* const kVbHelpText;

enum class SourceLanguage { C, Vb };

// One converted line; `bitwise` when its value used operators an EQUATE cannot evaluate.
struct ConvertedLine {
  std::string text;
  bool bitwise = false;
};

// The result of converting a whole text.
struct ConversionResult {
  std::string refusal;  // not empty: nothing was converted, this says why
  std::string note;     // the bitwise-operator note ("" when none); `text` begins with it
  std::string text;     // the Equates text: the note, then every output line + CR LF
  int bitsFound = 0;    // lines whose value used bitwise operators
};

// Whole texts. A blank text or one longer than its field is refused.
ConversionResult ConvertDefines(std::string_view text, bool assumeAll);
ConversionResult ConvertVbConsts(std::string_view text, bool assumeAll);

// One C line outside an enumeration (enumerations need the lines around them: see
// ConvertDefines).
ConvertedLine ConvertDefineLine(std::string_view line, bool assumeAll);
// One VB line.
ConvertedLine ConvertVbLine(std::string_view line, bool assumeAll);

// Values. `bitwise` is set when the value holds a bitwise operator.
std::string ConvertCValue(std::string_view value, bool& bitwise);
std::string ConvertVbValue(std::string_view value, bool& bitwise);

// Hexadecimal digits (without 0x / &H or suffixes) as a Veldar number: "FF" gives "0FFh".
std::string HexDigitsToVeldar(std::string_view digits);
// A C string or character constant, quotes included, as a Veldar string literal.
std::string CQuotedToVeldar(std::string_view quoted);
// A VB string constant, quotes included, as a Veldar string literal.
std::string VbQuotedToVeldar(std::string_view quoted);

// The output line: label, EQUATE(value) (a value of "=" gives the bare EQUATE that continues
// an enumeration's numbering), then "!" and the comment at column 70.
std::string EquateLine(std::string_view label, std::string_view value, std::string_view comment);
// A comment as it follows the "!": leading spaces dropped, runs of spaces made one.
std::string TidyComment(std::string_view comment);
// The note that heads the output when values used bitwise operators.
std::string BitwiseNote(SourceLanguage language, int count);
// A line kept as a comment because it could not be converted.
std::string NotConvertedLine(std::string_view line, std::string_view reason);

}  // namespace trawlex::utilities
