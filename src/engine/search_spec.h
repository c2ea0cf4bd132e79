#pragma once
// The search request (the SER: group): what to find, where, in which files and how.
// Text fields are fixed-width; switches are 0 or 1 unless noted.

#include <array>
#include <cstdint>

#include "runtime/fixed_text.h"

namespace trawlex::engine {

using runtime::FixedText;

// Elements of the extra-switch array, numbered from 1 as the request record numbers them.
enum class Extra : int {
  Favourite = 1,   // favourite flag of a saved search; not read by the run
  Wild = 2,        // the text is a wildcard pattern
  Regex = 3,       // the text is a regular expression
  LabelMode = 4,   // a label mode value (label_modes.h)
  LineMode = 10,   // skip the block pre-scan: read every file line by line
};

struct SearchSwitches {
  std::uint8_t caseSensitive = 0;  // SER:SW:CASE
  std::uint8_t word = 0;           // SER:SW:WORD
  std::uint8_t trail = 0;          // SER:SW:TRAIL
  std::uint8_t codeOnly = 0;       // SER:SW:CODEONLY
  std::uint8_t oop = 0;            // SER:SW:OOP, stored only
  std::uint8_t first = 0;          // SER:SW:FIRST
  std::uint8_t subdirs = 0;        // SER:SW:SUBDIRS
  std::uint8_t subLevels = 0;      // SER:SUBLEVELS, a count
  std::uint8_t modal = 0;          // SER:SW:MODAL
  std::uint8_t literalsOnly = 0;   // SER:SW:LITERALSONLY, stored only
  std::uint8_t literalsSkip = 0;   // SER:SW:LITERALSSKIP, stored only
  std::uint8_t smash = 0;          // SER:SW:SMASH
  std::array<std::uint8_t, 10> extra{};  // SER:SW:EXTRA, element n at index n - 1

  std::uint8_t& operator[](Extra e) { return extra[static_cast<int>(e) - 1]; }
  std::uint8_t operator[](Extra e) const { return extra[static_cast<int>(e) - 1]; }
  bool operator==(const SearchSwitches&) const = default;
};

struct SearchSpec {
  FixedText<60> text;   // SER:TEXT
  FixedText<256> path;  // SER:PATH
  FixedText<60> spec;   // SER:SPEC: ';'-separated, '~' excludes
  SearchSwitches sw;    // SER:SWITCHGROUP

  bool wild() const { return sw[Extra::Wild] != 0; }
  bool regex() const { return sw[Extra::Regex] != 0; }
  std::uint8_t labelMode() const { return sw[Extra::LabelMode]; }
  bool lineMode() const { return sw[Extra::LineMode] != 0; }
  bool operator==(const SearchSpec&) const = default;
};

}  // namespace trawlex::engine
