// The block scans agree with a byte-by-byte reading of the same rules, at every offset and
// length, past the 16-byte blocks and the 255-block counting runs.

#include "runtime/byte_scan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>

namespace trawlex::runtime {
namespace {

const char* Plain(const char* from, const char* to, auto found) {
  for (; from < to; ++from) {
    if (found(from)) return from;
  }
  return nullptr;
}

TEST(ByteScan, AgreesWithTheBytewiseRules) {
  std::mt19937 random(11);
  for (int round = 0; round < 400; ++round) {
    const std::size_t size = round < 300 ? random() % 80 : 4000 + random() % 9000;
    // An exact allocation, so the sanitizer sees any read past either end.
    auto bytes = std::make_unique<char[]>(size + 1);
    // Every sixth text is all line feeds.
    for (std::size_t i = 0; i <= size; ++i) bytes[i] = "\n \txA\r"[random() % (round % 6 + 1)];
    const char* text = bytes.get();
    const std::size_t from = size == 0 ? 0 : random() % size;
    const char* begin = text + from;
    const char* end = text + size;
    SCOPED_TRACE(std::to_string(size) + " from " + std::to_string(from));

    EXPECT_EQ(FindLineFeed(begin, end),
              Plain(begin, end, [](const char* p) { return *p == '\n'; }));
    EXPECT_EQ(CountLineFeeds(begin, end), static_cast<std::size_t>(std::count(begin, end, '\n')));
    const char* last = nullptr;
    for (const char* p = begin; p < end; ++p) last = *p == '\n' ? p : last;
    EXPECT_EQ(FindLastLineFeed(begin, end), last);
    const char passed = round % 2 ? 'x' : ' ';  // lines that start with it are no label lines
    const char* label = Plain(begin + 1, end, [passed](const char* p) {
      return p[-1] == '\n' && *p != ' ' && *p != '\t' && *p != passed;
    });
    if (label == nullptr) label = end;
    std::size_t feeds = 99;
    EXPECT_EQ(FindLabelLineStart(begin, end, feeds, passed), label);
    EXPECT_EQ(feeds, static_cast<std::size_t>(std::count(begin, label, '\n')));
    const char* special =
        Plain(begin, end, [](const char* p) { return *p == 'x' || *p == 'A' || *p == '\r'; });
    EXPECT_EQ(FindFirstOfThree(begin, end, 'x', 'A', '\r'), special ? special : end);
  }
}

}  // namespace
}  // namespace trawlex::runtime
