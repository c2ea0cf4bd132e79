#pragma once
// An immutable text shared by many records: the file name, directory and location of a
// search hit repeat across thousands of hits, so each hit holds a reference, not a copy.

#include <memory>
#include <string>
#include <string_view>

namespace trawlex::runtime {

class SharedText {
 public:
  SharedText() = default;
  explicit SharedText(std::string text)
      : text_(text.empty() ? nullptr : std::make_shared<const std::string>(std::move(text))) {}
  explicit SharedText(std::string_view text) : SharedText(std::string(text)) {}
  explicit SharedText(const char* text) : SharedText(std::string(text)) {}

  std::string_view view() const { return text_ ? std::string_view(*text_) : std::string_view(); }
  std::string str() const { return std::string(view()); }
  bool empty() const { return !text_; }
  operator std::string_view() const { return view(); }  // NOLINT: reads like the text it holds

  bool operator==(const SharedText& other) const { return view() == other.view(); }
  bool operator==(std::string_view other) const { return view() == other; }

 private:
  std::shared_ptr<const std::string> text_;
};

}  // namespace trawlex::runtime
