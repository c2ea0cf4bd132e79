#include "results/list_format.h"

#include <gtest/gtest.h>

#include <limits>

#include "results/look_file.h"
#include "runtime/pictures.h"

namespace trawlex::results {
namespace {

ListFormat Parsed(std::string_view text) {
  ParsedListFormat parsed = ListFormat::Parse(text);
  EXPECT_TRUE(parsed.format) << text << ": " << parsed.error.message;
  return parsed.format.value_or(ListFormat());
}

// What a test expects of one column.
struct Cell {
  int width;
  Alignment alignment;
  std::optional<int> indent;
  std::string header;
  std::string picture;
  int field;
};

void ExpectCell(const ListColumn& column, const Cell& cell) {
  EXPECT_EQ(column.width, cell.width) << cell.header;
  EXPECT_EQ(column.alignment, cell.alignment) << cell.header;
  EXPECT_EQ(column.indent, cell.indent) << cell.header;
  EXPECT_EQ(column.header, cell.header);
  EXPECT_EQ(column.picture, cell.picture) << cell.header;
  EXPECT_EQ(column.field, cell.field) << cell.header;
}

// Groups as lists of rows of one cell each.
void ExpectLayout(const ListFormat& format, const std::vector<std::vector<Cell>>& groups) {
  ASSERT_EQ(format.groups().size(), groups.size());
  for (std::size_t g = 0; g < groups.size(); ++g) {
    const auto& rows = format.groups()[g].rows;
    ASSERT_EQ(rows.size(), groups[g].size()) << "group " << g;
    for (std::size_t r = 0; r < rows.size(); ++r) {
      ASSERT_EQ(rows[r].columns.size(), 1u) << "group " << g << " row " << r;
      ExpectCell(rows[r].columns[0], groups[g][r]);
    }
  }
}

TEST(ListFormat, WritesBackEveryReadableStringUnchanged) {
  const std::string_view texts[] = {
      kNoLookFormat,
      kLook1Format,
      kLook6Format,
      kFilesListFormat,
      kPathListFormat,
      "",
      "   ",
      "10L",
      "10",
      "007L(01)~Zero padded~@s5@",
      "20l(2)m~lower case~c(1)@s10@",
      "54 L(1) | M ~File~ C(0) @s68@ #3#  60R",  // blanks between every piece
      "20L( 2 )~a~@s5@[ 10L~b~@s3@ / 12R~c~@n3@ ] ( 40 ) |M~Group~C(0)",
      "[[20L~a~@s5@/20L~b~@s5@]/[30R~c~@n6@]](80)|M",    // nested groups
      "[20L~a~@s5@20L~b~@s5@/40L~c~@s10@]",              // two cells on one row
      "30L(2)|M*Y~Coloured~@s20@?F#4#",                  // colour, style, locator, fixed
      "30L(2)S(200)T(R)~Tree~Q'A ''quoted'' tip'@s20@",  // arguments and quoted text
      "30L~a]b[c~@s5@x",                                 // brackets inside a header
      "40D(12)~Amount~R(3)@n_10@",
  };
  for (std::string_view text : texts) {
    const ParsedListFormat parsed = ListFormat::Parse(text);
    ASSERT_TRUE(parsed.format) << text << ": " << parsed.error.message;
    EXPECT_EQ(parsed.format->Write(), text);
  }
}

TEST(ListFormat, RefusesWhatItCannotRead) {
  const std::pair<std::string_view, std::size_t> cases[] = {
      {"20L~File@s5@", 3},      // header not closed
      {"20L~File~@s5", 9},      // picture not closed
      {"20L#3~File~@s5@", 3},   // the field number runs into the header: "#3~File~@s5@" lacks '#'
      {"20L#x#@s5@", 4},        // field number not a number
      {"20L#0#@s5@", 4},        // fields count from 1
      {"20L(x)@s5@", 4},        // indent not a number
      {"20L(1@s5@", 3},         // '(' not closed
      {"[20L@s5@](5", 9},       // group width not closed
      {"[20L@s5@](wide)", 10},  // group width not a number
      {"20L@s5@]", 7},          // ']' without '['
      {"[20L@s5@", 0},          // '[' without ']'
      {"[]", 0},                // a group with no columns
      {"[ ]20L", 0},
      {"L(1)~File~@s5@", 0},  // a column starts with its width
      {"[~Group~]", 1},
      {"20LQ'tip@s5@", 4},    // quoted text not closed
      {"9999999L~Huge~", 0},  // width beyond any list
  };
  for (const auto& [text, position] : cases) {
    const ParsedListFormat parsed = ListFormat::Parse(text);
    EXPECT_FALSE(parsed.format) << text;
    EXPECT_FALSE(parsed.error.message.empty()) << text;
    EXPECT_EQ(parsed.error.position, position) << text << ": " << parsed.error.message;
  }
}

TEST(ListFormat, ReadsTheResultsListWithoutALook) {
  const ListFormat format = Parsed(kNoLookFormat);
  ExpectLayout(format, {
                           {{54, Alignment::Left, 1, "File", "s68", 1},
                            {53, Alignment::Right, 1, "SubDirectory", "s12", 2}},
                           {{22, Alignment::Right, 1, "Line", "n_5", 3},
                            {13, Alignment::Right, 1, "", "s1", 4}},
                           {{320, Alignment::Left, 1, "Location", "s80", 5},
                            {320, Alignment::Left, 20, "Text", "s199", 6}},
                       });
  const auto& groups = format.groups();
  EXPECT_EQ(groups[0].width, 59);  // written after the group
  EXPECT_EQ(groups[0].declaredWidth, 59);
  EXPECT_EQ(groups[1].width, 22);  // none written: the widest row
  EXPECT_FALSE(groups[1].declaredWidth);
  EXPECT_EQ(groups[2].width, 320);
  for (const ListGroup& group : groups) EXPECT_TRUE(group.bracketed);
  EXPECT_TRUE(groups[0].resizable && groups[0].rightBorder);
  EXPECT_FALSE(groups[2].resizable || groups[2].rightBorder);
  EXPECT_EQ(DisplayHeader(groups[0]), "File\nSubDirectory");
  EXPECT_EQ(DisplayHeader(groups[1], " / "), "Line");
  EXPECT_EQ(DisplayHeader(groups[2], " / "), "Location / Text");

  const ListColumn& line = groups[1].rows[0].columns[0];
  EXPECT_EQ(line.headerAlignment, Alignment::Centre);
  EXPECT_EQ(line.headerIndent, 0);
  EXPECT_TRUE(line.endsRow);
  const ListColumn& blank = groups[1].rows[1].columns[0];
  EXPECT_TRUE(blank.underline && blank.rightBorder && blank.resizable);
  EXPECT_FALSE(blank.endsRow);
  EXPECT_TRUE(groups[2].rows[1].columns[0].underline);
  EXPECT_EQ(format.columnCount(), 6u);
}

TEST(ListFormat, ReadsLooksOneAndSix) {
  const ListFormat look1 = Parsed(kLook1Format);
  ASSERT_EQ(look1.groups().size(), 3u);
  ExpectCell(look1.groups()[2].rows[0].columns[0], {57, Alignment::Left, 1, "Location", "s50", 5});
  EXPECT_EQ(look1.groups()[2].width, 320);  // the text row is the widest

  ExpectLayout(Parsed(kLook6Format), {
                                         {{43, Alignment::Left, 1, "Directory", "s36", 2}},
                                         {{54, Alignment::Left, 1, "File", "s68", 1}},
                                         {{22, Alignment::Right, 1, "Line", "n_5", 3}},
                                         {{320, Alignment::Left, 1, "Text", "s199", 6}},
                                     });
  const ListFormat look6 = Parsed(kLook6Format);
  for (const ListGroup& group : look6.groups()) {
    EXPECT_FALSE(group.bracketed);
    EXPECT_EQ(group.width, group.rows[0].columns[0].width);
    EXPECT_EQ(group.header, group.rows[0].columns[0].header);
  }
}

TEST(ListFormat, ReadsTheFilesAndPathLists) {
  ExpectLayout(Parsed(kFilesListFormat), {
                                             {{65, Alignment::Left, 1, "Name", "s68", 1}},
                                             {{44, Alignment::Right, 2, "Date", "d1", 2}},
                                             {{39, Alignment::Right, 2, "Time", "t3", 3}},
                                             {{39, Alignment::Right, 2, "Size", "n10", 4}},
                                             {{29, Alignment::Left, 8, "Found", "n3", 5}},
                                             {{60, Alignment::Left, 1, "Sub Directory", "s12", 6}},
                                         });
  const ListFormat files = Parsed(kFilesListFormat);
  EXPECT_EQ(files.groups()[4].headerAlignment, Alignment::Left);
  EXPECT_TRUE(files.groups()[4].rightBorder);
  EXPECT_FALSE(files.groups()[4].resizable);
  EXPECT_FALSE(files.groups()[5].rightBorder);

  ExpectLayout(Parsed(kPathListFormat), {
                                            {{164, Alignment::Left, 1, "Path", "s255", 1}},
                                            {{28, Alignment::Right, 2, "Files", "n6", 2}},
                                            {{32, Alignment::Right, 2, "Find Cnt", "n6", 3}},
                                            {{22, Alignment::Left, std::nullopt, "Level", "n3", 4}},
                                            {{48, Alignment::Left, 1, "Short Name", "s12", 5}},
                                        });
}

TEST(ListFormat, NumbersFieldsInOrderUnlessTold) {
  const std::pair<std::string_view, std::vector<int>> cases[] = {
      {"10L@s1@10L@s1@10L@s1@", {1, 2, 3}},
      {"10L#5#@s1@10L@s1@10L@s1@", {5, 6, 7}},  // the count goes on after a given number
      {"10L@s1@10L#1#@s1@10L@s1@", {1, 1, 2}},
      {"10L#3#10L#1#10L#2#10L", {3, 1, 2, 3}},
      {"[10L/10L#6#][10L]10L", {1, 6, 7, 8}},  // groups do not interrupt the count
      {"10L#2##4#", {2}},                      // the first number given counts
      {"[10L](20)#4#10L", {1, 2}},             // a number after a group belongs to no column
  };
  for (const auto& [text, fields] : cases) {
    const ListFormat format = Parsed(text);
    ASSERT_EQ(format.columnCount(), fields.size()) << text;
    for (std::size_t i = 0; i < fields.size(); ++i) {
      ASSERT_NE(format.Column(i), nullptr);
      EXPECT_EQ(format.Column(i)->field, fields[i]) << text << " column " << i;
    }
  }
}

TEST(ListFormat, SplitsRowsAtSlashesAndFlattensInnerGroups) {
  // rows per group; cells per row
  const std::pair<std::string_view, std::vector<std::vector<int>>> cases[] = {
      {"[10L/20L/]", {{10}, {20}}},  // a closing "/" opens no empty row
      {"[10L20L/30L]", {{10, 20}, {30}}},
      {"[[10L/20L]/[30L]](99)", {{10}, {20}, {30}}},  // "/" after an inner group ends a row
      {"[[10L/20L][30L]]", {{10}, {20, 30}}},
      {"10L/20L", {{10}}},  // outside groups "/" makes no rows
  };
  for (const auto& [text, rows] : cases) {
    const ListFormat format = Parsed(text);
    ASSERT_FALSE(format.groups().empty()) << text;
    const ListGroup& group = format.groups()[0];
    ASSERT_EQ(group.rows.size(), rows.size()) << text;
    for (std::size_t r = 0; r < rows.size(); ++r) {
      std::vector<int> widths;
      for (const ListColumn& column : group.rows[r].columns) widths.push_back(column.width);
      EXPECT_EQ(widths, rows[r]) << text << " row " << r;
    }
  }
  EXPECT_EQ(Parsed("[10L20L/30L]").groups()[0].width, 30);
  EXPECT_EQ(Parsed("[10L25L/30L]").groups()[0].width, 35);
}

TEST(ListFormat, PutsChangedWidthsWhereTheOldOnesStood) {
  ListFormat format = Parsed(kNoLookFormat);
  ASSERT_TRUE(format.SetColumnWidth(0, 70));    // File
  ASSERT_TRUE(format.SetGroupWidth(0, 75));     // its group
  ASSERT_TRUE(format.SetGroupWidth(1, 30));     // no width written yet: added after "]"
  ASSERT_TRUE(format.SetColumnWidth(5, 1000));  // Text
  EXPECT_EQ(format.Write(),
            "[70L(1)|M~File~@s68@/53R(1)|_M~SubDirectory~@s12@/](75)|M[22R(1)|M~Line~C(0)@n_5@/"
            "13R(1)|_M@s1@](30)|M[320L(1)~Location~@s80@/1000L(20)_~Text~@s199@]");
  EXPECT_EQ(format.groups()[0].width, 75);
  EXPECT_EQ(format.groups()[1].width, 30);
  EXPECT_EQ(format.groups()[2].width, 1000);  // the widest row follows the column
  EXPECT_EQ(format.Column(0)->width, 70);
  // The changed text reads back to the same model.
  EXPECT_EQ(Parsed(format.Write()).Write(), format.Write());

  ListFormat look6 = Parsed(kLook6Format);
  ASSERT_TRUE(look6.SetGroupWidth(1, 60));  // a lone column: its own width
  ASSERT_TRUE(look6.SetColumnWidth(3, 0));
  EXPECT_EQ(look6.Write(),
            "43L(1)|M#2#~Directory~@s36@60L(1)|M#1#~File~@s68@22R(1)|M#3#~Line~@n_5@0L(1)#6#~Text~"
            "@s199@");

  ListFormat spaced = Parsed("[ 007L~a~ ] ( 059 ) |M");
  ASSERT_TRUE(spaced.SetGroupWidth(0, 61));
  ASSERT_TRUE(spaced.SetColumnWidth(0, 8));
  EXPECT_EQ(spaced.Write(), "[ 8L~a~ ] ( 61 ) |M");
}

TEST(ListFormat, RefusesWidthsItCannotPlace) {
  ListFormat format = Parsed(kLook6Format);
  EXPECT_FALSE(format.SetColumnWidth(4, 10));
  EXPECT_FALSE(format.SetGroupWidth(4, 10));
  EXPECT_FALSE(format.SetColumnWidth(0, -1));
  EXPECT_FALSE(format.SetColumnWidth(0, kMaxFormatNumber + 1));
  EXPECT_EQ(format.Write(), kLook6Format);
  ListFormat empty;
  EXPECT_FALSE(empty.SetGroupWidth(0, 10));
  EXPECT_EQ(empty.Write(), "");
  EXPECT_EQ(format.Column(4), nullptr);
}

TEST(ListFormat, SurvivesArbitraryBytes) {
  // Every prefix of the built-in strings, and some noise: no crash, and what is read writes back.
  std::vector<std::string> texts;
  for (std::string_view text : {kNoLookFormat, kLook6Format, kFilesListFormat}) {
    for (std::size_t n = 0; n <= text.size(); ++n) texts.emplace_back(text.substr(0, n));
  }
  texts.push_back(std::string("20L\0~a~", 7));
  texts.push_back("20L\xff\xfe~\xc3\xa9~@s5@");
  texts.push_back("))))20L");
  texts.push_back("20L))))");
  texts.push_back(std::string(500, '['));
  texts.push_back(std::string(500, ']'));
  for (const std::string& text : texts) {
    const ParsedListFormat parsed = ListFormat::Parse(text);
    if (parsed.format) {
      EXPECT_EQ(parsed.format->Write(), text);
    } else {
      EXPECT_LE(parsed.error.position, text.size()) << text;
    }
  }
}

TEST(FieldPicture, ShowsValuesThroughPictures) {
  struct Case {
    std::string_view picture;
    FieldValue value;
    std::string shown;
  };
  const Case cases[] = {
      {"@s5@", std::string("abcdefgh"), "abcde"},
      {"s5", std::string("abc"), "abc"},
      {"@S3@", std::string("abcdef"), "abc"},
      {"@s4@", std::string("ab  cd"), "ab"},             // trailing blanks do not show
      {"@s3@", std::string("a\xc3\xa9z"), "a\xc3\xa9"},  // whole characters only
      {"@s2@", std::string("a\xc3\xa9z"), "a"},
      {"@s6@", std::int64_t{1234567}, "123456"},
      {"@s0@", std::string("abc"), ""},
      {"@n_5@", std::int64_t{42}, "   42"},
      {"@n_5@", std::int64_t{123456}, "123456"},  // too wide: shown whole
      {"@n6b@", std::int64_t{0}, "      "},
      {"@n6b@", std::int64_t{1500}, " 1,500"},
      {"@n3@", std::int64_t{7}, "  7"},
      {"@n10@", std::int64_t{1234567}, " 1,234,567"},
      {"@n10@", std::string(" 2048 "), "     2,048"},  // a text read as its number
      {"@n3@", std::string("abc"), "  0"},
      {"@d1@", std::int64_t{4}, "01/01/01"},  // day 4 is 1 January 1801
      {"@d1@", std::int64_t{0}, "        "},
      {"@t3@", std::int64_t{13 * 360000 + 7 * 6000}, " 1:07PM"},
      {"@t3@", std::int64_t{5 * 6000}, "12:05AM"},
      {"@d1@", -(std::int64_t{1} << 40), "        "},  // beyond any date: clamped
      {"", std::int64_t{-3}, "-3"},                    // no picture: the value itself
      {"@@", std::string("as is"), "as is"},
      {"@p##p@", std::string("x"), "x"},  // not understood: the value itself
      {"@n10.2@", std::int64_t{5}, "5"},
      {"@s@", std::string("x"), "x"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatField(c.picture, c.value), c.shown) << c.picture;
  }
  EXPECT_EQ(FormatField("@d1@", std::int64_t{1} << 40),
            runtime::FormatDate(std::numeric_limits<std::int32_t>::max(), "d1"));
}

// Each column of a format, showing its field of one record through its picture.
template <typename Record>
std::vector<std::string> Shown(std::string_view text, const Record& record,
                               FieldValue (*fieldOf)(const Record&, int)) {
  const ListFormat format = Parsed(text);
  std::vector<std::string> shown;
  for (std::size_t i = 0; i < format.columnCount(); ++i) {
    const ListColumn* column = format.Column(i);
    shown.push_back(FormatField(column->picture, fieldOf(record, column->field)));
  }
  return shown;
}

TEST(FieldPicture, AddressesRecordFieldsInRecordOrder) {
  using Texts = std::vector<std::string>;
  engine::ResultLine line;
  line.file = runtime::SharedText("main.vl");
  line.subdir = runtime::SharedText("src");
  line.lineNo = 70000;  // beyond 16 bits
  line.location = runtime::SharedText("Main  Init");
  line.text = "x = 1";
  EXPECT_EQ(Shown(kNoLookFormat, line, ResultField),
            (Texts{"main.vl", "src", "70000", "", "Main  Init", "x = 1"}));
  EXPECT_EQ(Shown(kLook6Format, line, ResultField), (Texts{"src", "main.vl", "70000", "x = 1"}));

  engine::FileEntry file;
  file.name = runtime::SharedText("a.vl");
  file.date = 4;
  file.time = 100;
  file.size = 12345;
  file.count = 3;
  file.subdir = runtime::SharedText("lib");
  EXPECT_EQ(Shown(kFilesListFormat, file, FileField),
            (Texts{"a.vl", "01/01/01", "12:00AM", "    12,345", "  3", "lib"}));

  const engine::ScanDirEntry dir{
      "/home/src/", "/home/src/", 40, 1200, 1, runtime::SharedText("src")};
  EXPECT_EQ(Shown(kPathListFormat, dir, ScanDirField),
            (Texts{"/home/src/", "    40", " 1,200", "  1", "src"}));

  EXPECT_EQ(FormatField("@s5@", ResultField(line, 99)), "");
  EXPECT_EQ(FormatField("@s5@", FileField(file, 0)), "");
}

}  // namespace
}  // namespace trawlex::results
