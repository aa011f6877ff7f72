// The value of a spin box: the text in the box, read as an integer, kept in the box's range.
#pragma once

#include <string>

namespace marvessa {

class SpinValue {
 public:
  // A box whose minimum and maximum are both 0 has no range.
  SpinValue(int minValue, int maxValue) : min_(minValue), max_(maxValue) {}

  bool HasRange() const { return min_ != 0 || max_ != 0; }
  int Min() const { return min_; }
  int Max() const { return max_; }

  // The integer written in the box; a text that is not an integer reads as the minimum.
  int Value() const;
  const std::string& Text() const { return text_; }

  // A value set by the program is clamped into the range.
  void SetValue(long long value);
  // Typed text is taken as it is, until the box loses the focus.
  void SetText(std::string text) { text_ = std::move(text); }
  // The box loses the focus: a typed value outside the range is clamped.
  void FocusLost();
  // The arrows: one step up (positive) or down, like a value set by the program.
  void Step(int steps) { SetValue(static_cast<long long>(Value()) + steps); }

 private:
  int Clamp(long long value) const;

  int min_;
  int max_;
  std::string text_ = "0";
};

}  // namespace marvessa
