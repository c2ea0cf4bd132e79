// The output buttons of the prototype converter window: reshaping the Veldar code it produced.
#include <string>
#include <vector>

#include "utilities/prototype_converter.h"
#include "utilities/prototype_text.h"

namespace trawlex::utilities {

namespace {

// The line without its '!' comment; a '!' inside a 'quoted' string is text, not a comment.
std::string WithoutComment(std::string_view line) {
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '\'') quoted = !quoted;
    if (line[i] == '!' && !quoted) return std::string(proto::TrimRight(line.substr(0, i)));
  }
  return std::string(proto::TrimRight(line));
}

}  // namespace

std::string SmashOutput(std::string_view output) {
  std::vector<std::string> lines = proto::SplitLines(output);
  for (auto& line : lines) line = proto::CollapseSpaces(line);
  return proto::JoinLines(lines);
}

std::string RemoveOutputComments(std::string_view output) {
  std::vector<std::string> lines = proto::SplitLines(output);
  for (auto& line : lines) line = WithoutComment(line);
  return proto::JoinLines(lines);
}

std::string JoinContinuedOutput(std::string_view output) {
  std::vector<std::string> joined;
  bool continuing = false;
  for (const std::string& raw : proto::SplitLines(output)) {
    std::string line = WithoutComment(raw);
    if (continuing) {
      joined.back() += proto::TrimLeft(line);
    } else {
      joined.push_back(line);
    }
    continuing = !joined.back().empty() && joined.back().back() == '|';
    if (continuing) {
      joined.back().pop_back();
      joined.back().resize(proto::TrimRight(joined.back()).size());
    }
  }
  return proto::JoinLines(joined);
}

}  // namespace trawlex::utilities
