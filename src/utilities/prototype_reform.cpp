#include <string>
#include <vector>

#include "utilities/prototype_converter.h"
#include "utilities/prototype_lines.h"
#include "utilities/prototype_text.h"

namespace trawlex::utilities {

namespace {

// Splits the parameter text of one line at its top-level commas and at the ')' that closes the
// prototype; a comment goes with the last piece. Returns false once the prototype closed.
bool SplitParameters(std::string_view code, const std::string& comment,
                     std::vector<std::string>& out) {
  std::vector<std::string> pieces;
  std::string piece;
  int depth = 0;
  bool closed = false;
  for (std::size_t i = 0; i < code.size() && !closed; ++i) {
    const char c = code[i];
    if (c == ')' && depth == 0) {
      if (!proto::Trim(piece).empty()) pieces.emplace_back(proto::Trim(piece));
      pieces.emplace_back(code.substr(i));
      piece.clear();
      closed = true;
      break;
    }
    depth += c == '(' ? 1 : c == ')' ? -1 : 0;
    piece += c;
    if (c == ',' && depth == 0) {
      pieces.emplace_back(proto::Trim(piece));
      piece.clear();
    }
  }
  if (!proto::Trim(piece).empty()) pieces.emplace_back(proto::Trim(piece));
  if (!comment.empty()) {
    if (pieces.empty()) pieces.push_back(comment); else pieces.back() += "  " + comment;
  }
  out.insert(out.end(), pieces.begin(), pieces.end());
  return !closed;
}

int BraceBalance(std::string_view line) {
  int balance = 0;
  for (char c : line) balance += c == '{' ? 1 : c == '}' ? -1 : 0;
  return balance;
}

}  // namespace

std::vector<std::string> ReformPrototypeLines(const std::vector<std::string>& lines) {
  std::vector<std::string> out;
  bool inProto = false;
  int braces = 0;
  for (const std::string& line : lines) {
    const std::string_view trimmed = proto::Trim(line);
    const bool taken = inProto || (braces == 0 && IsPrototypeFirstLine(trimmed));
    if (!taken || trimmed.empty()) {
      braces = std::max(0, braces + BraceBalance(trimmed));
      out.emplace_back(line);
      continue;
    }
    std::string comment;
    std::string code = SplitComment(trimmed, comment);
    if (!inProto) {
      const std::size_t open = code.find('(');
      out.push_back(code.substr(0, open + 1) + (comment.empty() ? "" : "  " + comment));
      code = code.substr(open + 1);
      comment.clear();
    }
    inProto = SplitParameters(code, comment, out);
  }
  return out;
}

}  // namespace trawlex::utilities
