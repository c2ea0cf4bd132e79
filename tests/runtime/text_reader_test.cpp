#include "runtime/text_reader.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "runtime/error_codes.h"
#include "support/temp_tree.h"

namespace trawlex::runtime {
namespace {

namespace fs = std::filesystem;

struct Rec {
  std::string text;
  std::int64_t position = 0;
  std::int64_t rawEnd = 0;
  bool operator==(const Rec&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Rec& r) {
  return out << "{pos " << r.position << ", end " << r.rawEnd << ", len " << r.text.size() << ", \""
             << ::testing::PrintToString(r.text) << "\"}";
}

// The reader's rules written the plain way, one byte at a time, to check the real reader.
std::vector<Rec> Reference(std::string_view s) {
  s = s.substr(0, s.find('\x1a'));  // the text ends at a Ctrl-Z
  std::vector<Rec> out;
  std::size_t i = 0;
  while (i < s.size()) {
    Rec r;
    r.position = static_cast<std::int64_t>(i) + 1;
    std::size_t lineEnd = 0;  // bytes of line end that close the line
    for (; i < s.size(); ++i) {
      const char c = s[i];
      if (c == '\n') {
        lineEnd = 1;
      } else if (c == '\r' && i + 1 < s.size() && s[i + 1] == '\n') {
        lineEnd = 2;
      }
      if (lineEnd != 0) break;
      if (c == '\t') {
        do r.text += ' ';
        while (r.text.size() % 8 != 0);
      } else {
        r.text += c;
      }
    }
    r.rawEnd = static_cast<std::int64_t>(i);
    i += lineEnd;
    out.push_back(std::move(r));
  }
  return out;
}

enum class Mode { kMemory, kFile, kFileSmallBuffer };
const Mode kModes[] = {Mode::kMemory, Mode::kFile, Mode::kFileSmallBuffer};
const char* ModeName(Mode m) {
  return m == Mode::kMemory ? "memory" : m == Mode::kFile ? "file" : "file, small buffer";
}

class TextReaderTest : public ::testing::Test {
 protected:

  std::string Put(const std::string& bytes) {
    const fs::path file = dir_ / ("f" + std::to_string(files_++));
    std::ofstream(file, std::ios::binary) << bytes;
    return file.string();
  }

  // Opens `contents` in the given way; `reader` must have the matching buffer size. In
  // memory the text gets an allocation of its exact size, so the sanitizer sees any read
  // past its end.
  void OpenIn(TextReader& reader, Mode mode, const std::string& contents) {
    if (mode == Mode::kMemory) {
      memory_.push_back(std::make_unique<char[]>(contents.size()));
      std::copy(contents.begin(), contents.end(), memory_.back().get());
      reader.OpenMemory({memory_.back().get(), contents.size()});
    } else {
      ASSERT_FALSE(reader.Open(Put(contents)));
    }
  }

  static std::size_t BufferFor(Mode mode) {
    return mode == Mode::kFileSmallBuffer ? 512 : TextReader::kDefaultBufferSize;
  }

  static std::vector<Rec> ReadAll(TextReader& reader) {
    std::vector<Rec> out;
    TextRecord r;
    while (reader.Next(r)) {
      EXPECT_EQ(r.rawBegin, r.position - 1);
      out.push_back({std::string(r.text), r.position, r.rawEnd});
    }
    return out;
  }

  // Every record of `contents` read in `mode`.
  std::vector<Rec> Records(Mode mode, const std::string& contents) {
    TextReader reader(BufferFor(mode));
    OpenIn(reader, mode, contents);
    auto records = ReadAll(reader);
    EXPECT_FALSE(reader.ReadFailed());
    EXPECT_EQ(reader.RecordsRead(), static_cast<std::int64_t>(records.size()));
    return records;
  }

  testing::TempTree tree_;
  fs::path dir_ = tree_.root();
  int files_ = 0;
  std::vector<std::unique_ptr<char[]>> memory_;
};

std::string Rep(std::size_t n, char c = 'a') {
  return std::string(n, c);
}
std::string Blanks(std::size_t n) {
  return std::string(n, ' ');
}

struct Expected {
  std::string text;
  std::int64_t position;
};

struct Case {
  const char* name;
  std::string input;
  std::vector<Expected> records;
};

std::vector<Case> Cases() {
  return {
      {"empty", "", {}},
      {"CR LF", "abc\r\ndef\r\n", {{"abc", 1}, {"def", 6}}},
      {"lone LF", "abc\ndef", {{"abc", 1}, {"def", 5}}},
      {"lone CR kept", "a\rb\r\nc", {{"a\rb", 1}, {"c", 6}}},
      {"CR CR LF", "a\r\r\nb", {{"a\r", 1}, {"b", 5}}},
      {"CR at the end", "ab\r", {{"ab\r", 1}}},
      {"LF CR", "a\n\rb", {{"a", 1}, {"\rb", 3}}},
      {"empty lines", "\n\r\n\n", {{"", 1}, {"", 2}, {"", 4}}},
      {"no final line end", "x\ny", {{"x", 1}, {"y", 3}}},
      {"final line end", "x\ny\r\n", {{"x", 1}, {"y", 3}}},
      {"NUL bytes",
       std::string("a\0b\n\0", 5),
       {{std::string("a\0b", 3), 1}, {std::string(1, '\0'), 5}}},
      {"high bytes", "\xe9t\xe9\xff\n", {{"\xe9t\xe9\xff", 1}}},
      {"tab at column 0", "\tx", {{Blanks(8) + "x", 1}}},
      {"tab after 7 chars", "1234567\tx", {{"1234567 x", 1}}},
      {"tab after 8 chars", "12345678\tx", {{"12345678" + Blanks(8) + "x", 1}}},
      {"consecutive tabs", "a\t\tb", {{"a" + Blanks(15) + "b", 1}}},
      {"tabs between words", "ab\tcd\tef\n\tg", {{"ab      cd      ef", 1}, {Blanks(8) + "g", 10}}},
      {"tab last", "ab\t\r\n", {{"ab      ", 1}}},
      {"Ctrl-Z alone", "\x1a", {}},
      {"Ctrl-Z at line start", "abc\n\x1a\ndef\n", {{"abc", 1}}},
      {"Ctrl-Z inside a line", "ab\032cd\nef\n", {{"ab", 1}}},
      {"Ctrl-Z after a tab", "\t\x1a", {{Blanks(8), 1}}},
      {"Ctrl-Z after a CR", "ab\r\x1a\r\n", {{"ab\r", 1}}},
      {"a long line is one line", Rep(300) + "\nz", {{Rep(300), 1}, {"z", 302}}},
      {"long line, CR LF", Rep(70000) + "\r\nz", {{Rep(70000), 1}, {"z", 70003}}},
      {"long line at the end", Rep(600), {{Rep(600), 1}}},
      {"long line, tabs", Rep(250) + "\tyz" + Rep(9, '\t') + "w\n",
       {{Rep(250) + Blanks(6) + "yz" + Blanks(6 + 64) + "w", 1}}},
      {"long line then Ctrl-Z", Rep(1000) + "\x1a" + "b\n", {{Rep(1000), 1}}},
  };
}

TEST_F(TextReaderTest, DeliversRecordsByTheRules) {
  for (const Case& c : Cases()) {
    std::vector<Rec> expected;
    for (const Expected& e : c.records) expected.push_back({e.text, e.position, 0});
    for (Mode mode : kModes) {
      SCOPED_TRACE(std::string(c.name) + " (" + ModeName(mode) + ")");
      std::vector<Rec> got = Records(mode, c.input);
      const std::vector<Rec> reference = Reference(c.input);
      EXPECT_EQ(got, reference);  // includes rawEnd
      for (Rec& r : got) r.rawEnd = 0;
      EXPECT_EQ(got, expected);
    }
  }
}

TEST_F(TextReaderTest, RawEndLeavesOutTheLineEnd) {
  struct RawCase {
    std::string input;
    std::vector<std::int64_t> rawEnds;
  };
  const RawCase cases[] = {
      {"abc\r\nd", {3, 6}},
      {"a\r\r\n", {2}},
      {"ab\x1a", {2}},
      {Rep(300), {300}},
      {Rep(250) + "\tyz\n", {253}},
      {"\n", {0}},
  };
  for (const RawCase& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.input));
    std::vector<std::int64_t> ends;
    for (const Rec& r : Records(Mode::kMemory, c.input)) ends.push_back(r.rawEnd);
    EXPECT_EQ(ends, c.rawEnds);
  }
}

TEST_F(TextReaderTest, ReadAtGivesEveryRecordAgain) {
  for (const Case& c : Cases()) {
    for (Mode mode : kModes) {
      SCOPED_TRACE(std::string(c.name) + " (" + ModeName(mode) + ")");
      TextReader reader(BufferFor(mode));
      OpenIn(reader, mode, c.input);
      const std::vector<Rec> records = ReadAll(reader);
      // Reading afresh works after the end and in any order.
      for (auto it = records.rbegin(); it != records.rend(); ++it) {
        std::string text = "stale";
        ASSERT_TRUE(reader.ReadAt(it->position, text)) << it->position;
        EXPECT_EQ(text, it->text);
      }
    }
  }
}

TEST_F(TextReaderTest, ReadAtRefusesPositionsWithoutRecord) {
  const std::string contents = "ab\ncd\032ef";
  for (Mode mode : kModes) {
    SCOPED_TRACE(ModeName(mode));
    TextReader reader(BufferFor(mode));
    OpenIn(reader, mode, contents);
    std::string text;
    for (std::int64_t position : {-1, 0, 6, 9, 10, 1000}) {
      EXPECT_FALSE(reader.ReadAt(position, text)) << position;
    }
    ASSERT_TRUE(reader.ReadAt(2, text));  // a position inside a line starts a record there
    EXPECT_EQ(text, "b");
    ASSERT_TRUE(reader.ReadAt(3, text));  // at the LF: an empty record
    EXPECT_EQ(text, "");
    ASSERT_TRUE(reader.ReadAt(7, text));  // past the Ctrl-Z the bytes are still there
    EXPECT_EQ(text, "ef");
  }
  TextReader closed;
  std::string text;
  EXPECT_FALSE(closed.ReadAt(1, text));
}

TEST_F(TextReaderTest, PeekNextDoesNotMove) {
  for (const Case& c : Cases()) {
    for (Mode mode : kModes) {
      SCOPED_TRACE(std::string(c.name) + " (" + ModeName(mode) + ")");
      TextReader reader(BufferFor(mode));
      OpenIn(reader, mode, c.input);
      TextRecord r;
      for (const Expected& e : c.records) {
        EXPECT_EQ(reader.PeekNext(), e.text);
        EXPECT_EQ(reader.PeekNext(), e.text);
        ASSERT_TRUE(reader.Next(r));
        EXPECT_EQ(r.text, e.text);
        EXPECT_EQ(r.position, e.position);
      }
      EXPECT_EQ(reader.PeekNext(), "");
      EXPECT_FALSE(reader.Next(r));
      EXPECT_EQ(reader.PeekNext(), "");
      EXPECT_FALSE(reader.Next(r));
      EXPECT_EQ(reader.RecordsRead(), static_cast<std::int64_t>(c.records.size()));
    }
  }
}

TEST_F(TextReaderTest, RecordWithoutTabViewsTheCallersText) {
  const std::string contents = "first_line\r\nsecond\tline\n" + Rep(300) + "\n";
  TextReader reader;
  reader.OpenMemory(contents);
  TextRecord r;
  int direct = 0;
  while (reader.Next(r)) {
    const bool viewsInput = r.text.data() == contents.data() + r.rawBegin;
    EXPECT_EQ(viewsInput, r.text.find(' ') == std::string_view::npos) << r.position;
    direct += viewsInput;
  }
  EXPECT_EQ(direct, 2);
}

TEST_F(TextReaderTest, FailuresComeBackAsValuesWithoutTouchingTheCurrentError) {
  ClearError();
  TextReader reader;
  const OsError missing = reader.Open((dir_ / "missing.txt").string());
  EXPECT_EQ(missing.code, 302);
  EXPECT_EQ(missing.text, "File Not Found");
  TextRecord r;
  EXPECT_FALSE(reader.Next(r));
  EXPECT_FALSE(reader.ReadFailed());

  ASSERT_FALSE(reader.Open(dir_.string()));  // a directory opens but cannot be read
  EXPECT_FALSE(reader.Next(r));
  EXPECT_TRUE(reader.ReadFailed());
  EXPECT_NE(reader.error().code, 0);
  EXPECT_EQ(ErrorCode(), 0);
  reader.Close();
  EXPECT_FALSE(reader.ReadFailed());
}

TEST_F(TextReaderTest, ReaderCanBeReusedForTheNextFile) {
  TextReader reader;
  ASSERT_FALSE(reader.Open(Put("one\ntwo\n\x1a")));
  EXPECT_EQ(ReadAll(reader).size(), 2u);
  ASSERT_FALSE(reader.Open(Put("three\n")));
  EXPECT_EQ(reader.RecordsRead(), 0);
  EXPECT_EQ(ReadAll(reader), (std::vector<Rec>{{"three", 1, 5}}));
  const std::string memory = "four";
  reader.OpenMemory(memory);
  EXPECT_EQ(ReadAll(reader), (std::vector<Rec>{{"four", 1, 4}}));
}

// A few megabytes of lines of random lengths and contents, crossing many buffer refills.
std::string GeneratedText(std::uint32_t seed, std::size_t size) {
  std::mt19937 random(seed);
  const std::string alphabet = "abcdefghijklmnopqrstuvwxyz ABCXYZ0123456789=(),.'!";
  auto chance = [&](int percent) { return static_cast<int>(random() % 100) < percent; };
  std::string text;
  while (text.size() < size) {
    std::size_t length = random() % 90;
    if (chance(5)) length = 200 + random() % 400;
    if (chance(1)) length = 2000 + random() % 3000;  // longer than the small buffer
    for (std::size_t i = 0; i < length; ++i) {
      if (chance(6)) {
        text += '\t';
      } else if (chance(1)) {
        text += "\r\0"[random() % 2];
      } else {
        text += alphabet[random() % alphabet.size()];
      }
    }
    text += chance(50) ? "\r\n" : "\n";
  }
  return text;
}

TEST_F(TextReaderTest, StreamingMatchesTheRulesAcrossRefills) {
  for (std::uint32_t seed : {1u, 2u}) {
    SCOPED_TRACE(seed);
    const std::string contents = GeneratedText(seed, 3 << 20);
    const std::vector<Rec> expected = Reference(contents);
    ASSERT_GT(expected.size(), 25000u);
    for (Mode mode : kModes) {
      SCOPED_TRACE(ModeName(mode));
      const std::vector<Rec> got = Records(mode, contents);
      ASSERT_EQ(got.size(), expected.size());
      for (std::size_t i = 0; i < got.size(); ++i) {
        ASSERT_EQ(got[i], expected[i]) << "record " << i;
      }
    }
    TextReader reader;
    ASSERT_FALSE(reader.Open(Put(contents)));
    std::string text;
    for (std::size_t i = 0; i < expected.size(); i += 7) {
      ASSERT_TRUE(reader.ReadAt(expected[i].position, text));
      ASSERT_EQ(text, expected[i].text) << "record " << i;
    }
  }
}

}  // namespace
}  // namespace trawlex::runtime
