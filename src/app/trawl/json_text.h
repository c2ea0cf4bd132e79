#pragma once
// Byte strings as JSON values, faithful to the bytes: names and lines on Linux are bytes,
// mostly UTF-8 but not always, and a script must be able to open the file a path names.

#include <string>
#include <string_view>

namespace trawlex::app {

// Valid UTF-8: a JSON string literal, every control character escaped (C0, DEL and the C1
// range U+0080..U+009F, so the output is also safe to show on a terminal). Anything else:
// {"bytes":"<base64 of the bytes>"}, the convention ripgrep uses.
std::string JsonText(std::string_view bytes);

}  // namespace trawlex::app
