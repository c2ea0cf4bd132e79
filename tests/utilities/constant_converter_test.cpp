// The constant converter: single lines to their EQUATE lines, enumerations, the bitwise
// note, the opening examples as a Veldar programmer would write them, and the refusals.

#include "utilities/constant_converter.h"

#include <gtest/gtest.h>

#include <string>

namespace trawlex::utilities {
namespace {

struct LineCase {
  bool vb;
  bool assumeAll;
  const char* input;
  const char* output;
  bool bitwise;
};

const LineCase kLines[] = {
    // C: layout, comments, hexadecimal, suffixes, ~0, casts, TEXT(), strings, octal.
    {false, false, "#define FILE_FLAG_WRITE_THROUGH         0x80000000",
     "FILE_FLAG_WRITE_THROUGH           EQUATE(80000000h)                   !", false},
    {false, false, "#define X 5 // five",
     "X                                 EQUATE(5)                           !// five", false},
    {false, false, "#define A (B | C)",
     "A                                 EQUATE(B | C)                       !", true},
    {false, false, "#define WIDE (FLAG_A) | (FLAG_B)",
     "WIDE                              EQUATE((FLAG_A) | (FLAG_B))         !", true},
    {false, false, "#define FF 0xFF",
     "FF                                EQUATE(0FFh)                        !", false},
    {false, false, "  #define LOW 0x1fUL;",
     "LOW                               EQUATE(1fh)                         !", false},
    {false, false, "#define NONE ~0",
     "NONE                              EQUATE(-1)                          !", false},
    {false, false, "#define ALL (~ 0L)",
     "ALL                               EQUATE(-1)                          !", false},
    {false, false, "#define BIG 4000000000UL",
     "BIG                               EQUATE(4000000000)                  !", false},
    {false, false, "#define H ((HANDLE)-1)",
     "H                                 EQUATE(-1)                          !", false},
    {false, false, "#define NAME TEXT(\"kmn\")",
     "NAME                              EQUATE('kmn')                       !", false},
    {false, false, "#define ESC \"a\\tb\\x1B\\\\c\\0\"",
     "ESC                               EQUATE('a<9>b<01Bh>\\c<0>')          !", false},
    {false, false, "#define Q \"it's <b>\"",
     "Q                                 EQUATE('it''s <<b>')                !", false},
    {false, false, "#define OCT 0755",
     "OCT                               EQUATE(0755o)                       !", false},
    {false, false, "#define O o17",
     "O                                 EQUATE(17o)                         !", false},
    {false, false, "#define\tTABBED\t12",
     "TABBED                            EQUATE(12)                          !", false},
    {false, false, "#define LONG_NAME_OF_MORE_THAN_THIRTY_TWO_CHARS 1",
     "LONG_NAME_OF_MORE_THAN_THIRTY_TWO_CHARS  EQUATE(1)                    !", false},
    {false, false, "#define C 1 /*  two   spaces */",
     "C                                 EQUATE(1)                           !/* two spaces */",
     false},
    {false, false, "#define LONGER \"0123456789012345678901234567890123456789\"",
     "LONGER                            EQUATE('0123456789012345678901234567890123456789')  !",
     false},
    {false, false, "   /* section */", "! section */", false},
    {false, false, "   ", "", false},
    {false, false, "int x = 5;", "! int x = 5;", false},
    {false, true, "WM_USER 0x0400",
     "WM_USER                           EQUATE(0400h)                       !", false},
    {false, false, "#define MAX(a,b) ((a)>(b)?(a):(b))",
     "! Not converted (a macro with parameters): #define MAX(a,b) ((a)>(b)?(a):(b))", false},
    {false, false, "#define FLAG", "! Not converted (no value): #define FLAG", false},
    // VB: scope words, type clauses, &H, type marks, strings, comments.
    {true, false, "Public Const WM_LBUTTONDOWN As Long = &H201&",
     "WM_LBUTTONDOWN                    EQUATE(201h)                        !", false},
    {true, false, "Const Z = &H0",
     "Z                                 EQUATE(0h)                          !", false},
    {true, false, "private global CONST FF=&HFF",
     "FF                                EQUATE(0FFh)                        !", false},
    {true, false, "Const S As String = \"say \"\"hi\"\"\"",
     "S                                 EQUATE('say \"hi\"')                  !", false},
    {true, false, "Const B = (&H1 Or &H2)   '  both  bits",
     "B                                 EQUATE(1h Or 2h)                    !' both bits", true},
    {true, false, "Const N& = 100&",
     "N                                 EQUATE(100)                         !", false},
    {true, false, "  ' a comment", "! a comment", false},
    {true, false, "Dim x As Long", "! Dim x As Long", false},
    {true, true, "MAX_ITEMS = 10",
     "MAX_ITEMS                         EQUATE(10)                          !", false},
    {true, false, "Const T As Long", "! Not converted (no value): Const T As Long", false},
};

TEST(ConstantConverter, ConvertsEachLine) {
  for (const LineCase& row : kLines) {
    const ConvertedLine line = row.vb ? ConvertVbLine(row.input, row.assumeAll)
                                      : ConvertDefineLine(row.input, row.assumeAll);
    EXPECT_EQ(line.text, row.output) << row.input;
    EXPECT_EQ(line.bitwise, row.bitwise) << row.input;
  }
}

// The last lines of a converted text, without their CR LF.
std::vector<std::string> LastLines(const std::string& text, std::size_t count) {
  std::vector<std::string> lines;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = text.find("\r\n", start);
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return {lines.end() - static_cast<std::ptrdiff_t>(std::min(count, lines.size())), lines.end()};
}

TEST(ConstantConverter, OpeningCExamplesBecomeEquates) {
  const std::string help = kDefineHelpText;
  ASSERT_TRUE(help.starts_with("Place your C Code with your #define's in the "));
  const ConversionResult result = ConvertDefines(help, false);
  EXPECT_EQ(result.refusal, "");
  EXPECT_EQ(result.note, "");
  EXPECT_TRUE(result.text.starts_with("! Place your C Code with your #define's in the "));
  const std::vector<std::string> expected = {
      "FILE_FLAG_WRITE_THROUGH           EQUATE(80000000h)                   !",
      "FILE_FLAG_OVERLAPPED              EQUATE(40000000h)                   !// asynchronous I/O",
      "MAX_PATH                          EQUATE(260)                         !",
      "_FINDEX_SEARCH_OPS    ITEMIZE(0)   !,PRE    !",
      "FindExSearchNameMatch             EQUATE                              !",
      "FindExSearchLimitToDirectories    EQUATE                              !",
      "FindExSearchLimitToDevices        EQUATE                              !",
      "FindExSearchMaxSearchOp           EQUATE                              !",
      "    END !} FINDEX_SEARCH_OPS;",
  };
  EXPECT_EQ(LastLines(result.text, expected.size()), expected);
}

TEST(ConstantConverter, OpeningVbExamplesBecomeEquates) {
  const std::string help = kVbHelpText;
  ASSERT_TRUE(help.starts_with("Place your VB Code with your CONST lines in the "));
  const ConversionResult result = ConvertVbConsts(help, false);
  const std::vector<std::string> expected = {
      "WM_LBUTTONDOWN                    EQUATE(201h)                        !",
      "MAX_PATH                          EQUATE(260)                         !' longest path",
      "APP_TITLE                         EQUATE('Trawlex \"Demo\"')            !",
  };
  EXPECT_EQ(LastLines(result.text, expected.size()), expected);
  // The prose stays as comments, one output line per input line.
  EXPECT_EQ(LastLines(result.text, 100).size(), 11u);
  EXPECT_EQ(LastLines(result.text, 100).front().substr(0, 2), "! ");
}

TEST(ConstantConverter, EnumerationNamedByItsClosingLine) {
  const ConversionResult result =
      ConvertDefines("typedef enum {  // kinds\n  KIND_A = 0x10,\n  KIND_B\n} KIND;\n", false);
  EXPECT_EQ(result.text,
            "KIND    ITEMIZE(0)   !,PRE    !// kinds\r\n"
            "KIND_A                            EQUATE(10h)                         !\r\n"
            "KIND_B                            EQUATE                              !\r\n"
            "    END !} KIND;\r\n");
}

TEST(ConstantConverter, EnumerationOnOneLineIsKeptAsComment) {
  const ConversionResult result = ConvertDefines("enum { A, B };\n#define C 1", false);
  EXPECT_TRUE(result.text.starts_with(
      "! Not converted (an enumeration on one line): enum { A, B };\r\nC    "));
}

TEST(ConstantConverter, BitwiseNoteHeadsTheOutput) {
  const ConversionResult c = ConvertDefines("#define A (B | C)\r\n#define D (1L << 4)", false);
  EXPECT_EQ(c.bitsFound, 2);
  EXPECT_EQ(c.note,
            "Bitwise operators (&AND |OR ^XOR  << >> SHIFT) were found in 2 equates.\r\n"
            "You can use BAND BOR BXOR functions in a Veldar EQUATE() but not BSHIFT().\r\n\r\n");
  EXPECT_TRUE(c.text.starts_with(c.note + "A    "));
  EXPECT_NE(c.text.find("EQUATE(1 << 4)"), std::string::npos);

  const ConversionResult vb = ConvertVbConsts("Const A = B Or C\nConst D = \"X OR Y\"", false);
  EXPECT_EQ(vb.bitsFound, 1);
  EXPECT_TRUE(vb.text.starts_with("Bitwise operators (AND OR XOR) were found in 1 equates."));
}

TEST(ConstantConverter, RefusesBlankAndOverlongTexts) {
  EXPECT_EQ(ConvertDefines(" \r\n\t", false).refusal, kNoDefinesMessage);
  EXPECT_EQ(ConvertVbConsts("", false).refusal, kNoVbConstMessage);

  const std::string full(kMaxDefineText, 'x');
  EXPECT_EQ(ConvertDefines(full, false).refusal, "");
  const ConversionResult tooLong = ConvertDefines(full + "y", false);
  EXPECT_EQ(tooLong.refusal,
            "The #Define text holds 12001 characters; at most 12000 can be converted at once. "
            "Please convert it in parts.");
  EXPECT_EQ(tooLong.text, "");
  // Characters, not bytes: 12000 'ä' are 24000 bytes and still fit.
  std::string umlauts;
  for (std::size_t i = 0; i < kMaxVbText; ++i) umlauts += "\xC3\xA4";
  EXPECT_EQ(ConvertVbConsts(umlauts, false).refusal, "");
}

TEST(ConstantConverter, OverlongPartsKeepTheLineAsComment) {
  const std::string label(kMaxLabel + 1, 'L');
  EXPECT_EQ(ConvertDefineLine("#define " + label + " 1", false).text,
            "! Not converted (name longer than 256 characters): #define " + label + " 1");
  const std::string value(kMaxValue + 1, '7');
  EXPECT_EQ(ConvertVbLine("Const V = " + value, false).text,
            "! Not converted (value longer than 512 characters): Const V = " + value);
}

}  // namespace
}  // namespace trawlex::utilities
