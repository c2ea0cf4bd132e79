#include "engine/prepare_search.h"

#include "engine/label_modes.h"
#include "runtime/case_table.h"
#include "runtime/fixed_text.h"
#include "runtime/names.h"

namespace trawlex::engine {
namespace {

using runtime::Clip;

std::string TrimLeft(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  return first == std::string_view::npos ? std::string() : std::string(text.substr(first));
}

std::int32_t Length(std::string_view text) {
  return static_cast<std::int32_t>(runtime::Len(text));
}

// Word and trailing switches: the searched text gains a blank on its side(s), and the
// pre-scan alternatives cover a word at the start or end of a line.
void ApplyWordSwitches(const SearchSpec& request, SearchWork& w) {
  if (request.sw.word) {
    w.text = TrimLeft(w.text);
    w.textWt1 = "\n" + w.text;
    w.textWt2 = " " + Clip(w.text) + "\r";
    w.text = " " + w.text;
  } else {
    w.textWt2 = Clip(w.text) + "\r";
  }
  w.len = Length(w.text) + 1;
  w.wtCheck = 1;
  if (request.regex()) {
    // MATCH drops a pattern's trailing blanks: a group holding one blank survives that.
    w.text = Clip(w.text) + "{ }";
    w.len = static_cast<std::int32_t>(w.text.size());
  }
}

void ChooseMatching(const SearchSpec& request, SearchWork& w) {
  const auto patternMode = static_cast<FindMode>(request.sw.codeOnly + 2);
  if (request.wild()) {
    w.find2Execute = patternMode;
    w.matchMode = 1;
    auto wrap = [&w](const std::string& s) {
      std::string head = s.substr(0, static_cast<std::size_t>(w.len));
      head.resize(static_cast<std::size_t>(w.len), ' ');
      return "*" + head + "*";
    };
    w.text = wrap(w.text);
    w.textWt1 = wrap(w.textWt1);
    w.textWt2 = wrap(w.textWt2);
    w.len += 2;
  } else if (request.regex()) {
    w.find2Execute = patternMode;
    w.matchMode = 2;
  } else {
    w.find2Execute = FindMode::Substring;
  }
}

void ChoosePreScan(const SearchSpec& request, SearchWork& w) {
  w.fastDosIncr = 4098 - w.len;
  if (w.find2Execute == FindMode::Pattern) w.fastDosIncr -= 120;
  w.skipFastDos = request.lineMode() ? 1 : 0;
  if (request.regex()) {
    if (!w.text.empty() && w.text[0] == '^') {
      w.skipFastDos = 1;
      w.left = 1;
    }
    const auto last = static_cast<std::size_t>(w.len);
    if (last >= 1 && last <= w.text.size() && w.text[last - 1] == '$') w.skipFastDos = 1;
  }
}

void ChooseLabelMode(const SearchSpec& request, SearchWork& w) {
  w.label = request.labelMode();
  w.labelLine = 0;
  if (w.label == 251) {
    w.labelLine = 2;
  } else if (w.label == 252) {
    w.labelLine = 3;
  } else if (w.label > 128) {
    w.label = static_cast<std::int16_t>(w.label - 128);
    w.labelLine = 1;
  }
}

void SetPaths(const SearchSpec& request, SearchWork& w) {
  std::string path = request.path.str();
  if (path.empty() || path.back() != '/') path += '/';
  w.realPathBs = path;
  w.pathBs = runtime::LowerName(path);
  w.pathLen = static_cast<std::int32_t>(w.pathBs.size());
  w.spec = request.spec.str() + ";";
}

}  // namespace

std::string Smash(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c != ' ' && c != '\t') out += c;
  }
  return out;
}

PreparedSearch PrepareSearch(const SearchSpec& request, const EngineSettings& settings) {
  PreparedSearch prepared;
  SearchWork& w = prepared.work;
  w.text = request.sw.caseSensitive ? request.text.str() : runtime::UpperText(request.text.str());
  w.len = Length(w.text);
  if (request.sw.smash) {
    w.text = Smash(w.text);
    w.len = static_cast<std::int32_t>(w.text.size());
  }
  if (request.sw.word || request.sw.trail) ApplyWordSwitches(request, w);
  ChooseMatching(request, w);
  ChoosePreScan(request, w);
  SetPaths(request, w);
  prepared.filesPerTick = request.sw.modal ? settings.filesPerTimerModal : settings.filesPerTimer;
  ChooseLabelMode(request, w);
  return prepared;
}

std::string OptionsText(const SearchSwitches& sw) {
  std::string text;
  if (sw.caseSensitive) text += "Case ";
  if (sw.word) text += "Word ";
  if (sw.trail) text += "Trail ";
  if (sw.smash) text += "Smash ";
  if (sw[Extra::Wild]) text += "Wild ";
  if (sw[Extra::Regex]) text += "RegX ";
  if (sw.codeOnly) text += "Skip! ";
  if (sw.first) text += "1st ";
  if (const int levels = sw.subdirs * sw.subLevels; levels != 0) {
    text += "Sub" + std::to_string(levels) + " ";
  }
  if (sw[Extra::LabelMode] != 0) {
    if (const auto mode = FindLabelMode(sw[Extra::LabelMode])) {
      text += "Lbl:" + std::string(mode->code) + " ";
    }
  }
  return Clip(text.substr(0, 255));
}

}  // namespace trawlex::engine
