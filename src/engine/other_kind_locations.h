#pragma once
// Location handlers for the file kinds other than Veldar source: templates, application text
// exports, style files, and C, ASP, PHP, VB and VB.NET source. Each looks at the current line
// and updates PROCNAME and METHOD (and INCLASS for VB.NET) of the file's LocationState; none
// changes the line.

#include "engine/location.h"

namespace trawlex::engine {

// Templates, label lines: "#PROCEDURE(Name,...)" and the other section statements.
void TemplateSectionLine(const LineContext& line, LocationState& state);

// Application text exports, label lines: [MODULE], [PROCEDURE] and friends, with the NAME
// line that follows them, and "EMBED %" points.
void TextExportLine(const LineContext& line, LocationState& state);

// Style files, label lines: "[PROPERTYCLASS]" followed by "Name: ...".
void StylePropertyLine(const LineContext& line, LocationState& state);

// C source, every line not passed over: function headers.
void CFunctionLine(const LineContext& line, LocationState& state);

// ASP, PHP and VB source, every line not passed over: Sub, Function and Property headers.
void VbStyleLine(const LineContext& line, LocationState& state);

// VB.NET source, every line not passed over: procedures, classes and their ends.
void VbNetLine(const LineContext& line, LocationState& state);

// Could the line, given raw, move the location of a file of this kind (not Veldar)? Templates,
// text exports and style files change only at label lines; C source only at lines with a
// '(' and no ';' before the header's end; VB, ASP, PHP and VB.NET only at lines whose first
// word starts with one of the letters of the words their handlers look for. Plain text never.
bool OtherKindLineMayMove(FileKind kind, std::string_view rawLine);
// The same as a sieve (every line for C, whose test looks at the whole line).
const LineSieve& OtherKindLineSieve(FileKind kind);

}  // namespace trawlex::engine
