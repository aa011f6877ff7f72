#include <gtest/gtest.h>

#include "app/ulayout.h"

namespace marvessa {
namespace {

TEST(Layout, StatusPanelsTakeFortyAndFifteenPercentRounded) {
  EXPECT_EQ(StatusPanelWidths(1000), (std::array<int, 5>{400, 150, 150, 150, 150}));
  EXPECT_EQ(StatusPanelWidths(615), (std::array<int, 5>{246, 92, 92, 92, 92}));
  EXPECT_EQ(StatusPanelWidths(617), (std::array<int, 5>{247, 93, 93, 93, 93}));  // 246.8 and 92.55
  EXPECT_EQ(NewsLineLeft(200), 410);
}

}  // namespace
}  // namespace marvessa
