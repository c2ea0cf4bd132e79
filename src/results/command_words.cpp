#include "results/command_words.h"

#include <algorithm>

namespace trawlex::results {
namespace {

bool IsSeparator(char c) {
  return c == ' ' || c == '\t' || c == '\n';
}

// Characters that mean nothing to a shell, so a word made of them needs no quotes. Bytes
// above 127 are letters of UTF-8 or Windows-1252 names.
bool IsPlain(char c) {
  const auto byte = static_cast<unsigned char>(c);
  if (byte >= 0x80) return true;
  if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return true;
  return std::string_view("%+-./:=@_,").find(c) != std::string_view::npos;
}

std::string QuotedWord(const std::string& word) {
  if (!word.empty() && std::all_of(word.begin(), word.end(), IsPlain)) return word;
  std::string quoted = "'";
  for (const char c : word) {
    // A single quote cannot stand inside single quotes: close, escape it, open again.
    quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  }
  return quoted + "'";
}

}  // namespace

std::optional<std::vector<std::string>> SplitCommandWords(std::string_view command) {
  std::vector<std::string> words;
  std::string word;
  bool inWord = false;  // an empty quoted word ("") is still a word
  for (std::size_t i = 0; i < command.size(); ++i) {
    const char c = command[i];
    if (IsSeparator(c)) {
      if (inWord) words.push_back(std::move(word));
      word.clear();
      inWord = false;
    } else if (c == '\\') {
      if (i + 1 == command.size()) {
        word += c;  // nothing left to escape: the backslash stands for itself
        inWord = true;
      } else if (command[++i] != '\n') {
        word += command[i];
        inWord = true;
      }
    } else if (c == '\'') {
      const std::size_t close = command.find('\'', i + 1);
      if (close == std::string_view::npos) return std::nullopt;
      word.append(command.substr(i + 1, close - i - 1));
      i = close;
      inWord = true;
    } else if (c == '"') {
      inWord = true;
      for (++i;; ++i) {
        if (i == command.size()) return std::nullopt;
        if (command[i] == '"') break;
        if (command[i] == '\\' && i + 1 < command.size() &&
            std::string_view("\"\\$`\n").find(command[i + 1]) != std::string_view::npos) {
          if (command[++i] == '\n') continue;
        }
        word += command[i];
      }
    } else {
      word += c;
      inWord = true;
    }
  }
  if (inWord) words.push_back(std::move(word));
  return words;
}

std::string JoinCommandWords(const std::vector<std::string>& words) {
  std::string line;
  for (const std::string& word : words) {
    if (!line.empty()) line += ' ';
    line += QuotedWord(word);
  }
  return line;
}

}  // namespace trawlex::results
