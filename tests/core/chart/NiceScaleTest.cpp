#include "core/chart/NiceScale.h"

#include <gtest/gtest.h>

namespace telvoran {
namespace {

TEST(NiceScale, RoundStepsThatHoldTheValues) {
  EXPECT_EQ(NiceScale(18.78, 23.72, 6), (AxisScale{18, 24, 4}));
  EXPECT_EQ(NiceScale(-15, 90, 6), (AxisScale{-25, 100, 6}));
  EXPECT_EQ(NiceScale(-15, 90, 7), (AxisScale{-20, 100, 7}));
  EXPECT_EQ(NiceScale(0.54, 34.26, 6), (AxisScale{0, 40, 5}));
  EXPECT_EQ(NiceScale(288, 759, 7), (AxisScale{200, 800, 7}));
  EXPECT_EQ(NiceScale(5, 5, 5), (AxisScale{4.5, 5.5, 5}));
}

TEST(NiceScale, EveryScaleHoldsItsValuesInRoundStepsAndFewEnoughTicks) {
  for (double low : {-1234.5, -3.0, 0.0, 0.001, 7.25, 99999.0}) {
    for (double length : {0.0, 0.003, 1.0, 17.0, 250.0, 1e6}) {
      for (int maxTicks : {2, 3, 6, 11}) {
        SCOPED_TRACE(testing::Message() << low << " + " << length << ", " << maxTicks);
        const AxisScale scale = NiceScale(low, low + length, maxTicks);
        EXPECT_LE(scale.minimum, low);
        EXPECT_GE(scale.maximum, low + length);
        EXPECT_LT(scale.minimum, scale.maximum);
        EXPECT_GE(scale.ticks, 2);
        EXPECT_LE(scale.ticks, maxTicks);
      }
    }
  }
}

}  // namespace
}  // namespace telvoran
