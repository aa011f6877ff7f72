#include <gtest/gtest.h>

#include <climits>

#include "options/uspinvalue.h"

namespace marvessa {
namespace {

TEST(SpinValue, ProgramValuesAreClampedIntoTheRange) {
  SpinValue threads(1, 512);
  threads.SetValue(1000);
  EXPECT_EQ(threads.Text(), "512");
  threads.SetValue(-7);
  EXPECT_EQ(threads.Text(), "1");
  threads.SetValue(300);
  EXPECT_EQ(threads.Value(), 300);

  // A minimum of 0 with a maximum is still a range.
  SpinValue level2(0, 100000);
  EXPECT_TRUE(level2.HasRange());
  level2.SetValue(-1);
  EXPECT_EQ(level2.Value(), 0);
}

TEST(SpinValue, TypedValuesStandUntilTheFocusLeaves) {
  SpinValue threads(1, 512);
  threads.SetText("600");
  EXPECT_EQ(threads.Value(), 600);
  threads.FocusLost();
  EXPECT_EQ(threads.Text(), "512");

  SpinValue level1(100, 100000);
  level1.SetText("5");
  level1.FocusLost();
  EXPECT_EQ(level1.Text(), "100");

  // A value within the range keeps its text as typed.
  level1.SetText(" 250 ");
  level1.FocusLost();
  EXPECT_EQ(level1.Text(), " 250 ");
  EXPECT_EQ(level1.Value(), 250);
}

TEST(SpinValue, TextThatIsNoIntegerReadsAsTheMinimum) {
  SpinValue threads(1, 512);
  SpinValue level2(0, 100000);
  SpinValue unbounded(0, 0);
  for (const char* garbage : {"abc", "", "12x", "1.5", "--3"}) {
    threads.SetText(garbage);
    level2.SetText(garbage);
    unbounded.SetText(garbage);
    EXPECT_EQ(threads.Value(), 1) << garbage;
    EXPECT_EQ(level2.Value(), 0) << garbage;
    EXPECT_EQ(unbounded.Value(), 0) << garbage;
  }
  // Numbers beyond what a setting holds are no integers either.
  unbounded.SetText("99999999999");
  EXPECT_EQ(unbounded.Value(), 0);
  threads.SetText("0x20");
  EXPECT_EQ(threads.Value(), 32);
}

TEST(SpinValue, UnboundedBoxesTakeAnyIntegerAndStepWithoutOverflow) {
  SpinValue box(0, 0);
  EXPECT_FALSE(box.HasRange());
  box.SetText("-250");
  box.FocusLost();
  EXPECT_EQ(box.Value(), -250);
  box.SetValue(INT_MAX);
  box.Step(1);
  EXPECT_EQ(box.Value(), INT_MAX);
  box.SetValue(INT_MIN);
  box.Step(-1);
  EXPECT_EQ(box.Value(), INT_MIN);
}

TEST(SpinValue, StepsStayInTheRange) {
  SpinValue autosave(1, 99999);
  autosave.SetValue(1);
  autosave.Step(-1);
  EXPECT_EQ(autosave.Value(), 1);
  autosave.Step(3);
  EXPECT_EQ(autosave.Value(), 4);
  // A step from text that is no integer starts at the minimum.
  autosave.SetText("none");
  autosave.Step(1);
  EXPECT_EQ(autosave.Value(), 2);
}

}  // namespace
}  // namespace marvessa
