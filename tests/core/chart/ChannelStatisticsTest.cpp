#include "core/chart/ChannelStatistics.h"

#include <gtest/gtest.h>

#include "core/chart/IntervalSeries.h"
#include "support/ChartRecords.h"

namespace telvoran {
namespace {

using namespace test;

TEST(ChannelStatistics, CountMinimumMaximumAndMeanOfTheNumbersInTheSpan) {
  // Minute:  0    1   2    3    4   5     6
  const IntervalSeries series = OneChannelSeries({"9", "2", "", "7", "2", "ERR", "9"});
  const double start = static_cast<double>(SeriesStart());

  const ChannelStatistics all = StatisticsOver(series, 0, series.FullSpan());
  EXPECT_EQ(all.count, 5u);
  EXPECT_EQ(all.minimum, 2);
  EXPECT_EQ(all.maximum, 9);
  EXPECT_DOUBLE_EQ(all.mean, 29.0 / 5);
  EXPECT_EQ(all.minimumTime, SeriesStart() + 60) << "the first record of the minimum";
  EXPECT_EQ(all.maximumTime, SeriesStart());

  // Minutes 2 to 4, both ends included.
  const ChannelStatistics part = StatisticsOver(series, 0, {start + 120, start + 240});
  EXPECT_EQ(part.count, 2u);
  EXPECT_EQ(part.minimum, 2);
  EXPECT_EQ(part.minimumTime, SeriesStart() + 240);
  EXPECT_EQ(part.maximum, 7);
  EXPECT_EQ(part.maximumTime, SeriesStart() + 180);
  EXPECT_DOUBLE_EQ(part.mean, 4.5);
}

TEST(ChannelStatistics, ASpanWithoutNumbersCountsNothing) {
  const IntervalSeries series = OneChannelSeries({"1", "", "", "4"});
  const double start = static_cast<double>(SeriesStart());
  EXPECT_EQ(StatisticsOver(series, 0, {start + 60, start + 120}).count, 0u);
  EXPECT_EQ(StatisticsOver(series, 0, {start + 1, start + 59}).count, 0u);
  EXPECT_EQ(StatisticsOver(OneChannelSeries({}), 0, {0, 1e9}).count, 0u);
}

TEST(ChannelStatistics, NearestRecordToATime) {
  const IntervalSeries series = OneChannelSeries({"1", "2", "3"});
  const double start = static_cast<double>(SeriesStart());
  EXPECT_EQ(NearestRecord(series, start - 1000), 0u);
  EXPECT_EQ(NearestRecord(series, start + 29), 0u);
  EXPECT_EQ(NearestRecord(series, start + 30), 0u) << "equally near: the earlier";
  EXPECT_EQ(NearestRecord(series, start + 31), 1u);
  EXPECT_EQ(NearestRecord(series, start + 1e6), 2u);
  EXPECT_FALSE(NearestRecord(OneChannelSeries({}), start));
}

}  // namespace
}  // namespace telvoran
