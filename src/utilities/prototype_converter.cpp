#include "utilities/prototype_converter.h"

#include <optional>

#include "utilities/prototype_lines.h"
#include "utilities/prototype_text.h"

namespace trawlex::utilities {

const std::string_view kPrototypeExample =
    "LONG WINAPI RegQueryValueEx(\r\n"
    "  __in         HKEY hKey,\r\n"
    "  __in_opt     LPCTSTR lpValueName,\r\n"
    "  __reserved   LPDWORD lpReserved,\r\n"
    "  __out_opt    LPDWORD lpType,\r\n"
    "  __out_opt    LPBYTE lpData,\r\n"
    "  __inout_opt  LPDWORD lpcbData\r\n"
    ");\r\n";

namespace {

enum class Block { Struct, Union };

struct RunState {
  ProtoWork work;
  std::vector<Block> blocks;  // open structures and unions, innermost last
  bool hadConditionals = false;
};

constexpr std::string_view kStructHeader = "    GROUP,TYPE !,PRE()    !";
constexpr std::string_view kUnionHeader =
    "Union1     GROUP ! UNION has members OVER() the SAME memory     !";
constexpr std::string_view kUnionString =
    "\r\nUnion1Str                 STRING(Max?)  !Members below must OVER(Union1Str)";
constexpr std::string_view kConditionalNote =
    "  (not converted: #if is not supported, keep only the code the compiler would)";

bool IsConditional(std::string_view line) {
  return line.find("#if") != std::string_view::npos ||
         line.find("#elif") != std::string_view::npos ||
         line.find("#else") != std::string_view::npos;
}

bool StartsWithWord(std::string_view line, std::string_view word) {
  if (!proto::StartsWithNoCase(line, word)) return false;
  return line.size() == word.size() || line[word.size()] == ' ' || line[word.size()] == '{';
}

// A line that opens a block rather than declaring a member of that type ("struct X *p;").
bool OpensBlock(std::string_view code, std::string_view word) {
  const bool opens = StartsWithWord(code, word) ||
                     StartsWithWord(code, "typedef " + std::string(word));
  return opens && !code.ends_with(";");
}

// The first name in `text`, ending at a blank, ',', ';' or '{'.
std::string FirstName(std::string_view text) {
  text = proto::Trim(text);
  const std::size_t end = text.find_first_of(" ,;{");
  return std::string(text.substr(0, end));
}

// The line that closes the block opened on line `open`, found by counting braces.
std::optional<std::string_view> ClosingLine(const std::vector<std::string>& queue,
                                            std::size_t open) {
  int depth = 0;
  bool entered = false;
  for (std::size_t i = open; i < queue.size(); ++i) {
    for (char c : queue[i]) depth += c == '{' ? 1 : c == '}' ? -1 : 0;
    entered = entered || depth > 0;
    if (entered && depth <= 0) return proto::Trim(queue[i]);
  }
  return std::nullopt;
}

// The structure's name from its opening line, else from "} NAME;" of its closing line.
std::string StructName(const std::vector<std::string>& queue, std::size_t i,
                       std::string_view code) {
  std::string_view rest = proto::Trim(code);
  if (StartsWithWord(rest, "typedef")) rest = proto::Trim(rest.substr(7));
  rest = proto::Trim(rest.substr(6));  // "struct"
  std::string name = FirstName(rest);
  if (name.empty()) {
    if (auto closing = ClosingLine(queue, i)) name = FirstName(closing->substr(1));
  }
  return name.empty() ? "Unnamed" : name;
}

std::optional<std::string> StructureRule(const std::vector<std::string>& queue, std::size_t i,
                                         std::string_view line, RunState& state,
                                         const ProtoOptions& options, const TypeTable& table) {
  if (state.work.inProto) return std::nullopt;
  std::string comment;
  const std::string code = SplitComment(line, comment);
  const std::string note = comment.empty() ? "" : comment;
  if (OpensBlock(code, "struct")) {
    state.blocks.push_back(Block::Struct);
    return StructName(queue, i, code) + std::string(kStructHeader) + note;
  }
  if (OpensBlock(code, "union")) {
    state.blocks.push_back(Block::Union);
    return std::string(kUnionHeader) + note + std::string(kUnionString);
  }
  if (state.blocks.empty()) return std::nullopt;
  if (line.front() == '}') {
    const Block block = state.blocks.back();
    state.blocks.pop_back();
    return std::string(block == Block::Union ? "\r\n" : "") + "    END !" + std::string(line);
  }
  if (code == "{") return "!" + std::string(line);
  return ConvertMemberLine(line, options, table);
}

std::optional<std::string> PrototypeRule(std::string_view line, RunState& state,
                                         const ProtoOptions& options, const TypeTable& table) {
  if (state.work.inProto) {
    if (line.front() == ')') return ConvertClosingLine(line, state.work);
    return ConvertParameterLine(line, options, table);
  }
  if (IsPrototypeFirstLine(line)) return ConvertFirstLine(line, state.work, options, table);
  return std::nullopt;
}

std::string ConvertLine(const std::vector<std::string>& queue, std::size_t i, RunState& state,
                        const ProtoOptions& options, const TypeTable& table) {
  const std::string_view line = proto::Trim(queue[i]);
  if (line.empty()) return "";
  if (IsConditional(line)) {
    state.hadConditionals = true;
    return "! " + std::string(line) + std::string(kConditionalNote);
  }
  if (line.starts_with("//") || line.starts_with("/*")) return "!" + std::string(line.substr(2));
  if (auto out = StructureRule(queue, i, line, state, options, table)) return *out;
  if (auto out = PrototypeRule(line, state, options, table)) return *out;
  return "! " + std::string(line);
}

}  // namespace

PrototypeConversion ConvertPrototypes(std::string_view text, const ProtoOptions& options,
                                      const TypeTable& table) {
  PrototypeConversion result;
  if (text.size() > kPrototypeTextLimit) {
    result.error = "The prototype text is longer than 12000 characters. Convert it in parts.";
    return result;
  }
  result.parseQueue = ReformPrototypeLines(proto::SplitLines(text));
  RunState state;
  std::vector<std::string> out;
  for (std::size_t i = 0; i < result.parseQueue.size(); ++i) {
    out.push_back(ConvertLine(result.parseQueue, i, state, options, table));
  }
  result.hadConditionals = state.hadConditionals;
  result.output = proto::JoinLines(out);
  if (result.output.size() > kPrototypeOutputLimit) {
    result.output.clear();
    result.error = "The Veldar code would be longer than 20000 characters. Convert the "
                   "prototypes in parts.";
  }
  return result;
}

}  // namespace trawlex::utilities
