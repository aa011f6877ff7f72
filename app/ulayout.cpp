#include "app/ulayout.h"

#include <cmath>

namespace marvessa {

std::array<int, 5> StatusPanelWidths(int windowWidth) {
  const int wide = static_cast<int>(std::lround(windowWidth * 0.40));
  const int narrow = static_cast<int>(std::lround(windowWidth * 0.15));
  return {wide, narrow, narrow, narrow, narrow};
}

}  // namespace marvessa
