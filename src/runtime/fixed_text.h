#pragma once
// Fixed-width, blank-padded text fields: the text of every record field.
// A field of width W holds at most W bytes; trailing blanks are padding and never count,
// neither in its length nor in comparisons. Only the space (32) is a blank here.

#include <compare>
#include <cstddef>
#include <string>
#include <string_view>
#include <type_traits>

namespace trawlex::runtime {

// Length of the text without its trailing blanks.
inline std::size_t Len(std::string_view text) {
  std::size_t n = text.size();
  while (n > 0 && text[n - 1] == ' ') --n;
  return n;
}

// The text without its trailing blanks.
std::string Clip(std::string_view text);

// The value a field of `width` holds after `text` is assigned to it:
// at most `width` bytes, trailing blanks removed.
std::string Fit(std::string_view text, std::size_t width);

// The blank-padded form of that field: exactly `width` bytes.
std::string Pad(std::string_view text, std::size_t width);

// Unsigned byte comparison as if the shorter text were padded with blanks:
// <0, 0 or >0. Bytes below the blank therefore sort before the end of a text.
int CompareFixed(std::string_view a, std::string_view b);

// Equal apart from trailing blanks.
bool SameFixed(std::string_view a, std::string_view b);

template <typename Text>
concept TextLike = std::is_convertible_v<const Text&, std::string_view>;

// One field of a record. Stores the clipped value only, so a record of many fields stays
// small and comparisons never look at padding.
template <std::size_t Width>
class FixedText {
  static_assert(Width > 0, "a fixed field has at least one byte");

 public:
  static constexpr std::size_t width = Width;

  FixedText() = default;
  // Templates so that any text (literal, std::string, string_view) converts in one step,
  // which lets a record be written as `{.name = "abc"}` or `field = text`.
  template <TextLike Text>
  FixedText(const Text& text) {  // NOLINT: fields take text implicitly
    assign(text);
  }
  template <TextLike Text>
  FixedText& operator=(const Text& text) {
    assign(text);
    return *this;
  }
  // A field copied into a field of another width, as records copy between each other.
  template <std::size_t Other>
  FixedText(const FixedText<Other>& other) {  // NOLINT: as implicit as a text
    assign(other.view());
  }
  template <std::size_t Other>
  FixedText& operator=(const FixedText<Other>& other) {
    assign(other.view());
    return *this;
  }

  // Reuses the field's buffer: records are refilled in tight loops.
  void assign(std::string_view text) {
    text = text.substr(0, Width);
    value_.assign(text.data(), Len(text));
  }
  void clear() { value_.clear(); }

  const std::string& str() const { return value_; }
  std::string_view view() const { return value_; }
  std::string padded() const { return Pad(value_, Width); }
  std::size_t length() const { return value_.size(); }
  bool empty() const { return value_.empty(); }

  template <std::size_t Other>
  bool operator==(const FixedText<Other>& other) const {
    return value_ == other.str();  // both sides are stored clipped
  }
  template <std::size_t Other>
  std::strong_ordering operator<=>(const FixedText<Other>& other) const {
    return CompareFixed(value_, other.str()) <=> 0;
  }
  bool operator==(std::string_view other) const { return SameFixed(value_, other); }
  std::strong_ordering operator<=>(std::string_view other) const {
    return CompareFixed(value_, other) <=> 0;
  }

 private:
  std::string value_;
};

}  // namespace trawlex::runtime
