// The selection of a pending-URL list box, which the list commands act on.
#pragma once

#include <vector>

namespace marvessa {

class PendingUrlSelection {
 public:
  virtual ~PendingUrlSelection() = default;
  // Display rows, 0 at the top, ascending.
  virtual std::vector<int> SelectedDisplayRows() const = 0;
};

}  // namespace marvessa
