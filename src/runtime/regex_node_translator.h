#pragma once
// Translating the node program of regex_program.h into the states of a RegexNfa.

#include <cstdint>
#include <vector>

#include "runtime/regex_automaton.h"
#include "runtime/regex_program.h"

namespace trawlex::runtime {

struct TranslatedProgram {
  std::vector<RegexNfa::State> states;
  std::uint32_t start = RegexNfa::kNone;  // kNone: no way through the program
};

TranslatedProgram TranslateNodeProgram(const RegexProgram& program);

}  // namespace trawlex::runtime
