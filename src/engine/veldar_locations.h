#pragma once
// Location tracking in Veldar source: a small state machine over the structure of the
// language. Procedures and methods start at label lines followed by PROCEDURE or FUNCTION,
// routines at label lines followed by ROUTINE, data sections end at CODE, and MAP and CLASS
// declarations are followed so that the prototypes inside them do not start procedures.

#include <string>

#include "engine/location.h"

namespace trawlex::engine {

// Every line of every file (it has effect only in a data section or a routine, which only
// Veldar files enter).
void VeldarStructureStep(const LineContext& line, LocationState& state);

// Label lines of a Veldar file while outside any map and class.
void VeldarLabelStep(const LineContext& line, LocationState& state);

// Could the line, given raw, move the location of a Veldar file in this state? Label lines
// always could; other lines only through the keywords that open or close data sections,
// maps, classes and routines, whose first letters are tested here.
bool VeldarLineMayMove(const LocationState& state, std::string_view rawLine);
// The lines VeldarLineMayMove can say yes to, as a sieve: label lines, and the lead letters of
// the keywords the state listens for.
const LineSieve& VeldarLineSieve(const LocationState& state);

// The upper-cased text after the line's first blank, leading blanks removed, at most 20
// characters; blank when the line has no blank or its first word holds a '!'.
std::string SecondWord(const LineContext& line);

}  // namespace trawlex::engine
