#include "options/uspinvalue.h"

#include <algorithm>
#include <limits>

#include "base/utext.h"

namespace marvessa {

int SpinValue::Value() const { return ParseInt(Trim(text_)).value_or(min_); }

int SpinValue::Clamp(long long value) const {
  // Without a range the value still has to fit the integer a setting holds.
  const long long lo = HasRange() ? min_ : std::numeric_limits<int>::min();
  const long long hi = HasRange() ? max_ : std::numeric_limits<int>::max();
  return static_cast<int>(std::clamp(value, lo, hi));
}

void SpinValue::SetValue(long long value) { text_ = IntToText(Clamp(value)); }

void SpinValue::FocusLost() {
  const int value = Value();
  if (Clamp(value) != value) SetValue(value);
}

}  // namespace marvessa
