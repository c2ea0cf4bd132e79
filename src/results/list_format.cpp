#include "results/list_format.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <utility>

#include "runtime/names.h"
#include "runtime/pictures.h"

namespace trawlex::results {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

std::optional<Alignment> AlignmentOf(char c) {
  switch (c) {
    case 'L':
    case 'l':
      return Alignment::Left;
    case 'R':
    case 'r':
      return Alignment::Right;
    case 'C':
    case 'c':
      return Alignment::Centre;
    case 'D':
    case 'd':
      return Alignment::Decimal;
    default:
      return std::nullopt;
  }
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// A whole decimal number from 0 to kMaxFormatNumber, blanks around it allowed.
std::optional<int> ReadNumber(std::string_view text) {
  text = TrimBlanks(text);
  if (text.empty() || !std::all_of(text.begin(), text.end(), IsDigit)) return std::nullopt;
  std::int64_t value = 0;
  for (const char c : text) {
    value = value * 10 + (c - '0');
    if (value > kMaxFormatNumber) return std::nullopt;
  }
  return static_cast<int>(value);
}

// The number inside "(n)" of an alignment or a group width.
std::optional<int> ParenNumber(std::string_view token) {
  const std::size_t open = token.find('(');
  if (open == std::string_view::npos) return std::nullopt;
  return ReadNumber(token.substr(open + 1, token.size() - open - 2));
}

// Splits a format text into its pieces. Each piece is kept exactly as written, so the pieces
// joined give the text back; the splitting only has to know where one piece ends.
class Tokenizer {
 public:
  explicit Tokenizer(std::string_view text) : text_(text) {}

  bool Run() {
    while (pos_ < text_.size()) {
      const char c = text_[pos_];
      if (IsBlank(c)) {
        ReadBlanks();
      } else if (IsDigit(c)) {
        if (!ReadColumnStart()) return false;
      } else if (c == '[') {
        NoteItem();
        openGroups_.push_back({pos_, false});
        Emit(TokenKind::GroupOpen, 1);
        owner_ = Owner::Nothing;
      } else if (c == ']') {
        if (!CloseGroup()) return false;
      } else if (owner_ == Owner::Nothing) {
        return Fail(pos_, "a column must start with its width");
      } else if (!ReadModifier()) {
        return false;
      }
    }
    if (!openGroups_.empty()) return Fail(openGroups_.back().position, "'[' without ']'");
    return true;
  }

  std::vector<FormatToken> tokens;
  FormatError error;

 private:
  enum class Owner { Nothing, Column, Group };
  struct OpenGroup {
    std::size_t position;
    bool hasItems;
  };

  bool Fail(std::size_t position, std::string message) {
    error = {position, std::move(message)};
    return false;
  }

  void Emit(TokenKind kind, std::size_t length) {
    tokens.push_back({kind, std::string(text_.substr(pos_, length))});
    pos_ += length;
  }

  void NoteItem() {
    if (!openGroups_.empty()) openGroups_.back().hasItems = true;
  }

  std::size_t BlanksFrom(std::size_t at) const {
    std::size_t end = at;
    while (end < text_.size() && IsBlank(text_[end])) ++end;
    return end - at;
  }

  void ReadBlanks() { Emit(TokenKind::Blank, BlanksFrom(pos_)); }

  // The length of "(...)" at `at`, nested parentheses counted; 0 when it is not closed.
  std::size_t ParenLength(std::size_t at) const {
    int depth = 0;
    for (std::size_t i = at; i < text_.size(); ++i) {
      if (text_[i] == '(') ++depth;
      if (text_[i] == ')' && --depth == 0) return i - at + 1;
    }
    return 0;
  }

  // The length of a quoted text at `at`; a doubled quote inside stands for one. 0: not closed.
  std::size_t QuotedLength(std::size_t at) const {
    for (std::size_t i = at + 1; i < text_.size(); ++i) {
      if (text_[i] != '\'') continue;
      if (i + 1 < text_.size() && text_[i + 1] == '\'') {
        ++i;
        continue;
      }
      return i - at + 1;
    }
    return 0;
  }

  bool ReadColumnStart() {
    NoteItem();
    std::size_t end = pos_;
    while (end < text_.size() && IsDigit(text_[end])) ++end;
    if (!ReadNumber(text_.substr(pos_, end - pos_))) return Fail(pos_, "column width too large");
    Emit(TokenKind::Width, end - pos_);
    owner_ = Owner::Column;
    return ReadOptionalAlignment(TokenKind::Align);
  }

  // An alignment letter, possibly after blanks, with its optional "(indent)".
  bool ReadOptionalAlignment(TokenKind kind) {
    const std::size_t blanks = BlanksFrom(pos_);
    const std::size_t at = pos_ + blanks;
    if (at >= text_.size() || !AlignmentOf(text_[at])) return true;
    if (blanks > 0) ReadBlanks();
    std::size_t length = 1;
    if (at + 1 < text_.size() && text_[at + 1] == '(') {
      const std::size_t paren = ParenLength(at + 1);
      if (paren == 0) return Fail(at + 1, "'(' without ')'");
      if (!ReadNumber(text_.substr(at + 2, paren - 2))) {
        return Fail(at + 2, "indent must be a number");
      }
      length += paren;
    }
    Emit(kind, length);
    return true;
  }

  bool CloseGroup() {
    if (openGroups_.empty()) return Fail(pos_, "']' without '['");
    if (!openGroups_.back().hasItems) return Fail(openGroups_.back().position, "empty group");
    openGroups_.pop_back();
    Emit(TokenKind::GroupClose, 1);
    owner_ = Owner::Group;
    const std::size_t blanks = BlanksFrom(pos_);
    const std::size_t at = pos_ + blanks;
    if (at >= text_.size() || text_[at] != '(') return true;
    if (blanks > 0) ReadBlanks();
    const std::size_t paren = ParenLength(at);
    if (paren == 0) return Fail(at, "'(' without ')'");
    if (!ReadNumber(text_.substr(at + 1, paren - 2))) {
      return Fail(at + 1, "group width must be a number");
    }
    Emit(TokenKind::GroupWidth, paren);
    return true;
  }

  // Text from the opening `mark` up to and including the next one.
  bool ReadDelimited(TokenKind kind, char mark, const char* what) {
    const std::size_t close = text_.find(mark, pos_ + 1);
    if (close == std::string_view::npos) {
      return Fail(pos_, std::string(what) + " without closing '" + mark + "'");
    }
    Emit(kind, close - pos_ + 1);
    return true;
  }

  bool ReadModifier() {
    const char c = text_[pos_];
    switch (c) {
      case '~':
        if (!ReadDelimited(TokenKind::Header, '~', "header")) return false;
        return ReadOptionalAlignment(TokenKind::HeaderAlign);
      case '@':
        return ReadDelimited(TokenKind::Picture, '@', "picture");
      case '#': {
        const std::size_t at = pos_;
        if (!ReadDelimited(TokenKind::FieldNumber, '#', "field number")) return false;
        const std::string& token = tokens.back().text;
        const auto field = ReadNumber(std::string_view(token).substr(1, token.size() - 2));
        if (!field || *field < 1) return Fail(at + 1, "field number must be a number from 1");
        return true;
      }
      case '/':
        Emit(TokenKind::RowEnd, 1);
        return true;
      case 'M':
      case 'm':
      case '|':
      case '_':
        Emit(TokenKind::Flag, 1);
        return true;
      default:
        return ReadOther();
    }
  }

  // A modifier this code does not interpret: one character with a directly following
  // "(...)" argument and/or quoted text ("S(200)", "Q'tip'", "*", "?"), or a lone "(...)" or
  // quoted text.
  bool ReadOther() {
    std::size_t length = text_[pos_] == '\'' || text_[pos_] == '(' ? 0 : 1;
    for (;;) {
      const std::size_t at = pos_ + length;
      if (at >= text_.size()) break;
      if (text_[at] == '(') {
        const std::size_t paren = ParenLength(at);
        if (paren == 0) return Fail(at, "'(' without ')'");
        length += paren;
      } else if (text_[at] == '\'') {
        const std::size_t quoted = QuotedLength(at);
        if (quoted == 0) return Fail(at, "quoted text without closing '''");
        length += quoted;
      } else {
        break;
      }
    }
    Emit(TokenKind::Other, length);
    return true;
  }

  std::string_view text_;
  std::size_t pos_ = 0;
  Owner owner_ = Owner::Nothing;
  std::vector<OpenGroup> openGroups_;
};

void ApplyFlag(char flag, bool& resizable, bool& rightBorder, bool* underline) {
  if (flag == 'M' || flag == 'm') resizable = true;
  if (flag == '|') rightBorder = true;
  if (flag == '_' && underline) *underline = true;
}

int RowWidth(const ListRow& row) {
  int width = 0;
  for (const ListColumn& column : row.columns) width += column.width;
  return width;
}

// Gathers the pieces into view groups, rows and columns. A column or a top-level group is
// only complete when the next one starts, because its modifiers follow its first piece.
class ModelBuilder {
 public:
  std::vector<ListGroup> groups;
  std::vector<std::size_t> columnWidthToken;
  std::vector<std::size_t> groupAnchor;

  void Add(const FormatToken& token, std::size_t at) {
    switch (token.kind) {
      case TokenKind::Width:
        StartColumn(token, at);
        break;
      case TokenKind::Align:
        SetAlignment(token);
        break;
      case TokenKind::HeaderAlign:
        SetHeaderAlignment(token);
        break;
      case TokenKind::Header:
        SetHeader(token.text.substr(1, token.text.size() - 2));
        break;
      case TokenKind::Picture:
        if (column_ && column_->picture.empty()) {
          column_->picture = token.text.substr(1, token.text.size() - 2);
        }
        break;
      case TokenKind::FieldNumber:
        if (column_ && !explicitField_) {
          explicitField_ =
              ReadNumber(std::string_view(token.text).substr(1, token.text.size() - 2));
        }
        break;
      case TokenKind::Flag:
        SetFlag(token.text.front());
        break;
      case TokenKind::RowEnd:
        EndRow();
        break;
      case TokenKind::GroupOpen:
        OpenGroup();
        break;
      case TokenKind::GroupClose:
        CloseGroup(at);
        break;
      case TokenKind::GroupWidth:
        if (closedGroup_) closedGroup_->declaredWidth = ParenNumber(token.text);
        break;
      case TokenKind::Blank:
      case TokenKind::Other:
        break;
    }
  }

  void Finish() { FinishPending(); }

 private:
  void StartColumn(const FormatToken& token, std::size_t at) {
    FinishPending();
    column_.emplace();
    column_->index = columnWidthToken.size();
    column_->width = ReadNumber(token.text).value_or(0);
    columnWidthToken.push_back(at);
  }

  void SetAlignment(const FormatToken& token) {
    if (!column_) return;
    column_->alignment = AlignmentOf(token.text.front()).value_or(Alignment::Left);
    column_->indent = ParenNumber(token.text);
  }

  void SetHeaderAlignment(const FormatToken& token) {
    const auto alignment = AlignmentOf(token.text.front());
    if (column_ && !column_->headerAlignment) {
      column_->headerAlignment = alignment;
      column_->headerIndent = ParenNumber(token.text);
    } else if (closedGroup_ && !closedGroup_->headerAlignment) {
      closedGroup_->headerAlignment = alignment;
    }
  }

  void SetHeader(std::string text) {
    if (column_) {
      if (column_->header.empty()) column_->header = std::move(text);
    } else if (closedGroup_ && closedGroup_->header.empty()) {
      closedGroup_->header = std::move(text);
    }
  }

  void SetFlag(char flag) {
    if (column_) ApplyFlag(flag, column_->resizable, column_->rightBorder, &column_->underline);
    if (closedGroup_) ApplyFlag(flag, closedGroup_->resizable, closedGroup_->rightBorder, nullptr);
  }

  void EndRow() {
    if (column_) {
      column_->endsRow = true;
    } else if (nestedJustClosed_) {
      CloseRow();  // a "/" after an inner group ends the outer group's row there
    }
  }

  void OpenGroup() {
    FinishPending();
    if (depth_++ == 0) {
      group_.emplace();
      group_->bracketed = true;
    }
  }

  void CloseGroup(std::size_t at) {
    FinishColumn();
    if (--depth_ > 0) {
      nestedJustClosed_ = true;
      return;
    }
    CloseRow();
    closedGroup_ = std::move(group_);
    group_.reset();
    closedAnchor_ = at;
  }

  void CloseRow() {
    if (group_ && !row_.columns.empty()) group_->rows.push_back(std::move(row_));
    row_ = {};
  }

  void FinishColumn() {
    nestedJustClosed_ = false;
    if (!column_) return;
    ListColumn column = std::move(*column_);
    column_.reset();
    column.field = explicitField_.value_or(nextField_);
    nextField_ = column.field + 1;
    explicitField_.reset();
    if (depth_ == 0) {
      ListGroup lone;
      lone.width = column.width;
      lone.header = column.header;
      lone.headerAlignment = column.headerAlignment;
      lone.resizable = column.resizable;
      lone.rightBorder = column.rightBorder;
      groupAnchor.push_back(column.index);
      lone.rows.push_back({{std::move(column)}});
      groups.push_back(std::move(lone));
      return;
    }
    const bool endsRow = column.endsRow;
    row_.columns.push_back(std::move(column));
    if (endsRow) CloseRow();
  }

  void FinishPending() {
    FinishColumn();
    if (!closedGroup_) return;
    ListGroup group = std::move(*closedGroup_);
    closedGroup_.reset();
    group.width = group.declaredWidth.value_or(0);
    if (!group.declaredWidth) {
      for (const ListRow& row : group.rows) group.width = std::max(group.width, RowWidth(row));
    }
    groups.push_back(std::move(group));
    groupAnchor.push_back(closedAnchor_);
  }

  std::optional<ListColumn> column_;
  std::optional<int> explicitField_;
  int nextField_ = 1;
  int depth_ = 0;
  std::optional<ListGroup> group_;        // the top-level group being read
  std::optional<ListGroup> closedGroup_;  // a top-level group whose "]" was read
  std::size_t closedAnchor_ = 0;
  ListRow row_;
  bool nestedJustClosed_ = false;
};

std::string ReplaceDigits(std::string_view token, int value) {
  const std::size_t first = token.find_first_of("0123456789");
  const std::size_t last = token.find_last_of("0123456789");
  std::string text(token.substr(0, first));
  text += std::to_string(value);
  text += token.substr(last + 1);
  return text;
}

}  // namespace

std::string DisplayHeader(const ListGroup& group, std::string_view separator) {
  if (!group.header.empty()) return group.header;
  std::string text;
  for (const ListRow& row : group.rows) {
    if (row.columns.empty() || row.columns.front().header.empty()) continue;
    if (!text.empty()) text += separator;
    text += row.columns.front().header;
  }
  return text;
}

ParsedListFormat ListFormat::Parse(std::string_view text) {
  Tokenizer tokenizer(text);
  ParsedListFormat parsed;
  if (!tokenizer.Run()) {
    parsed.error = std::move(tokenizer.error);
    return parsed;
  }
  ListFormat format;
  format.tokens_ = std::move(tokenizer.tokens);
  format.Build();
  parsed.format = std::move(format);
  return parsed;
}

void ListFormat::Build() {
  ModelBuilder builder;
  for (std::size_t i = 0; i < tokens_.size(); ++i) builder.Add(tokens_[i], i);
  builder.Finish();
  groups_ = std::move(builder.groups);
  columnWidthToken_ = std::move(builder.columnWidthToken);
  groupAnchor_ = std::move(builder.groupAnchor);
}

std::string ListFormat::Write() const {
  std::string text;
  for (const FormatToken& token : tokens_) text += token.text;
  return text;
}

const ListColumn* ListFormat::Column(std::size_t index) const {
  for (const ListGroup& group : groups_) {
    for (const ListRow& row : group.rows) {
      for (const ListColumn& column : row.columns) {
        if (column.index == index) return &column;
      }
    }
  }
  return nullptr;
}

bool ListFormat::SetColumnWidth(std::size_t column, int width) {
  if (column >= columnWidthToken_.size() || width < 0 || width > kMaxFormatNumber) return false;
  tokens_[columnWidthToken_[column]].text = std::to_string(width);
  Build();
  return true;
}

bool ListFormat::SetGroupWidth(std::size_t group, int width) {
  if (group >= groups_.size() || width < 0 || width > kMaxFormatNumber) return false;
  if (!groups_[group].bracketed) return SetColumnWidth(groupAnchor_[group], width);
  const std::size_t close = groupAnchor_[group];
  std::size_t next = close + 1;
  while (next < tokens_.size() && tokens_[next].kind == TokenKind::Blank) ++next;
  if (next < tokens_.size() && tokens_[next].kind == TokenKind::GroupWidth) {
    tokens_[next].text = ReplaceDigits(tokens_[next].text, width);
  } else {
    const FormatToken added{TokenKind::GroupWidth, "(" + std::to_string(width) + ")"};
    tokens_.insert(tokens_.begin() + static_cast<std::ptrdiff_t>(close + 1), added);
  }
  Build();
  return true;
}

// ---- Field values and pictures ----

namespace {

std::int64_t NumberOf(const FieldValue& value) {
  if (const auto* number = std::get_if<std::int64_t>(&value)) return *number;
  std::string_view text = TrimBlanks(std::get<std::string>(value));
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  std::int64_t number = 0;
  std::from_chars(text.data(), text.data() + text.size(), number);
  return number;
}

std::string TextOf(const FieldValue& value) {
  if (const auto* text = std::get_if<std::string>(&value)) return *text;
  return std::to_string(std::get<std::int64_t>(value));
}

std::int32_t Clamp32(std::int64_t value) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(
      value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

std::string_view PictureText(std::string_view picture) {
  picture = TrimBlanks(picture);
  if (picture.size() >= 2 && picture.front() == '@' && picture.back() == '@') {
    picture = TrimBlanks(picture.substr(1, picture.size() - 2));
  }
  return picture;
}

}  // namespace

std::string FormatField(std::string_view picture, const FieldValue& value) {
  picture = PictureText(picture);
  if (picture.empty()) return TextOf(value);
  switch (picture.front()) {
    case 's':
    case 'S':
      if (const auto width = ReadNumber(picture.substr(1))) {
        return runtime::FitName(TextOf(value), static_cast<std::size_t>(*width));
      }
      break;
    case 'n':
    case 'N':
      if (const auto number = runtime::ParseNumberPicture(picture)) {
        return runtime::FormatNumber(NumberOf(value), *number);
      }
      break;
    case 'd':
    case 'D':
      return runtime::FormatDate(Clamp32(NumberOf(value)), picture);
    case 't':
    case 'T':
      return runtime::FormatTime(Clamp32(NumberOf(value)), picture);
    default:
      break;
  }
  return TextOf(value);
}

FieldValue ResultField(const engine::ResultLine& line, int field) {
  switch (field) {
    case 1:
      return line.file.str();
    case 2:
      return line.subdir.str();
    case 3:
      return static_cast<std::int64_t>(line.lineNo);
    case 4:
      return std::string(1, line.blank);
    case 5:
      return line.location.str();
    case 6:
      return line.text;
    case 7:
      return line.ptr;
    case 8:
      return static_cast<std::int64_t>(line.subdirNum);
    default:
      return std::string();
  }
}

FieldValue FileField(const engine::FileEntry& file, int field) {
  switch (field) {
    case 1:
      return file.name.str();
    case 2:
      return static_cast<std::int64_t>(file.date);
    case 3:
      return static_cast<std::int64_t>(file.time);
    case 4:
      return file.size;
    case 5:
      return static_cast<std::int64_t>(file.count);
    case 6:
      return file.subdir.str();
    case 7:
      return static_cast<std::int64_t>(file.mark);
    case 8:
      return static_cast<std::int64_t>(file.subdirNum);
    case 9:
      return static_cast<std::int64_t>(file.fileType);
    default:
      return std::string();
  }
}

FieldValue ScanDirField(const engine::ScanDirEntry& dir, int field) {
  switch (field) {
    case 1:
      return dir.fPathBs;
    case 2:
      return dir.fileCnt;
    case 3:
      return dir.findCnt;
    case 4:
      return static_cast<std::int64_t>(dir.level);
    case 5:
      return dir.subdir.str();
    default:
      return std::string();
  }
}

}  // namespace trawlex::results
