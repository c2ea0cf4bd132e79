#pragma once
// Scans over raw text that a search runs on every byte of a file: finding and counting line
// feeds and finding the next label line, 16 bytes at a time. Lines are short, so these are
// inline loops rather than calls into the C library, whose set-up costs more than a line.

#include <cstddef>

namespace trawlex::runtime {

// The first line feed in [from, to), or nullptr.
const char* FindLineFeed(const char* from, const char* to);

// The last line feed in [from, to), or nullptr.
const char* FindLastLineFeed(const char* from, const char* to);

// How many line feeds [from, to) holds.
std::size_t CountLineFeeds(const char* from, const char* to);

// The first position p in (from, to) that starts a line whose first byte is neither a blank
// nor a tab nor `alsoPassed` (p[-1] is a line feed and p[0] is something else), or `to` when
// none; `lineFeeds` is set to the number of line feeds in [from, p). A label line in Veldar
// terms (`alsoPassed` passes over comment lines), or an empty line ended by CR LF: callers look
// at the line itself. Finding and counting are one pass.
const char* FindLabelLineStart(const char* from, const char* to, std::size_t& lineFeeds,
                               char alsoPassed = ' ');

}  // namespace trawlex::runtime
