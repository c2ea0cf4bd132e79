#pragma once
// A LineContext over plain strings, computing the copies the way the line stage does: for
// testing location trackers line by line.

#include <string>
#include <vector>

#include "engine/location.h"
#include "runtime/case_table.h"
#include "runtime/fixed_text.h"

namespace trawlex::testing {

class FakeLine final : public engine::LineContext {
 public:
  // `next` is what a peek at the following line gives.
  explicit FakeLine(std::string line, std::string next = {})
      : line_(std::move(line)), next_(std::move(next)), upper_(runtime::UpperText(line_)) {
    const std::size_t first = upper_.find_first_not_of(' ');
    if (first != std::string::npos) lead_ = runtime::Clip(upper_.substr(first, 20));
  }
  std::string_view Line() const override { return line_; }
  std::size_t LineLen() const override { return runtime::Len(line_); }
  std::string_view Upper() const override { return upper_; }
  std::string_view Lead() const override { return lead_; }
  bool IsLabelLine() const override { return !line_.empty() && line_[0] != ' '; }
  std::string PeekNextLine() const override { return next_; }

 private:
  std::string line_;
  std::string next_;
  std::string upper_;
  std::string lead_;
};

}  // namespace trawlex::testing
