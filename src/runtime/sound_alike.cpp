// Sound-alike code: a letter followed by three digits that group consonants which sound
// alike, so that "Robert" and "Rupert" share "R163".

#include "runtime/case_table.h"
#include "runtime/match.h"

namespace trawlex::runtime {
namespace {

// The digit of an upper-case letter, or 0 for letters that have none.
char DigitOf(unsigned char upper) {
  switch (upper) {
    case 'B': case 'F': case 'P': case 'V':
      return '1';
    case 'C': case 'G': case 'J': case 'K': case 'Q': case 'S': case 'X': case 'Z':
      return '2';
    case 'D': case 'T':
      return '3';
    case 'L':
      return '4';
    case 'M': case 'N':
      return '5';
    case 'R':
      return '6';
    default:
      return 0;
  }
}

}  // namespace

std::string SoundAlikeCode(std::string_view text) {
  std::string code = "!000";
  std::size_t at = 0;
  while (at < text.size() && !IsLetter(static_cast<unsigned char>(text[at]))) ++at;
  if (at == text.size()) return code;
  const unsigned char first = ToUpper(static_cast<unsigned char>(text[at++]));
  code[0] = static_cast<char>(first);
  char previous = DigitOf(first);
  std::size_t place = 1;
  // Letters without a digit and other characters are passed over; they do not separate
  // two equal digits.
  for (; at < text.size() && place < code.size(); ++at) {
    const unsigned char c = ToUpper(static_cast<unsigned char>(text[at]));
    if (!IsLetter(c)) continue;
    const char digit = DigitOf(c);
    if (digit == 0 || digit == previous) continue;
    code[place++] = digit;
    previous = digit;
  }
  return code;
}

}  // namespace trawlex::runtime
