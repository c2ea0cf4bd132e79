#pragma once
// What the "Copy Line to Clipboard" window shows of one hit and what each of its buttons
// puts on the clipboard.

#include <string>

#include "engine/result_line.h"

namespace trawlex::results {

struct LineCopyRequest {
  std::string fullFileName;  // the file's real path on disk
  std::string location;      // RQ:LOCATION
  std::string text;          // RQ:TEXT
};

LineCopyRequest LineCopyRequestFor(const engine::ResultLine& line);

struct LineCopyTexts {
  std::string text;        // the hit's text without leading and trailing blanks
  std::string location;    // "&Location"
  std::string directory;   // ends with '/'
  std::string name;        // "&File"
  std::string fullName;    // "Path\Fil&e"
  std::string path;        // "&Path": the directory without its '/', except the root "/"
  // The text box: text, location, directory, name and full name, each followed by a blank,
  // CR and LF; "Copy &All" copies it.
  std::string boxText;
};

LineCopyTexts MakeLineCopyTexts(const LineCopyRequest& request);

}  // namespace trawlex::results
