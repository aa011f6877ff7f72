// The customer-list view's scrolling, recording every scroll.
#pragma once

#include <vector>

#include "results/ulistscroller.h"

namespace marvessa::test {

class FakeScroller : public ListScroller {
 public:
  int ViewHeight() const override { return height; }
  int VisibleRowCount() const override { return rows; }
  void ScrollBy(int pixels) override { scrolls.push_back(pixels); }
  int height = 200;
  int rows = 10;
  std::vector<int> scrolls;
};

}  // namespace marvessa::test
