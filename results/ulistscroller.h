// The scrolling of the customer-list view, as the record dialog steps through the rows.
#pragma once

namespace marvessa {

class ListScroller {
 public:
  virtual ~ListScroller() = default;
  virtual int ViewHeight() const = 0;
  // Rows that fit in the view's height.
  virtual int VisibleRowCount() const = 0;
  // Scrolls the view by this many pixels, down when positive.
  virtual void ScrollBy(int pixels) = 0;
};

}  // namespace marvessa
