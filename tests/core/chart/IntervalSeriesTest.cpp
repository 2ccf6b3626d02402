#include "core/chart/IntervalSeries.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/ChartRecords.h"

namespace telvoran {
namespace {

using namespace test;

std::vector<float> ValuesOf(const IntervalSeries& series, int channel) {
  const auto values = series.Values(channel);
  return {values.begin(), values.end()};
}

TEST(IntervalSeries, ChannelsTakeNameAndUnitFromTheHeader) {
  IntervalSeriesBuilder builder(IntervalHeaderText('3'));
  const IntervalSeries series = std::move(builder).Finish();
  ASSERT_EQ(series.ChannelCount(), 3);
  EXPECT_EQ(series.Channel(0).name, "C1");
  EXPECT_EQ(series.Channel(0).unit, "U1");
  EXPECT_EQ(series.Channel(2).name, "C3");
  EXPECT_EQ(series.Channel(2).unit, "U3");
  EXPECT_EQ(series.Size(), 0u);
  EXPECT_EQ(series.FullSpan(), TimeSpan());
}

TEST(IntervalSeries, ValuesAreNumbersAndEveryOtherTextIsAGap) {
  IntervalSeriesBuilder builder(IntervalHeaderText('2'));
  const ArchiveSeconds start = SeriesStart();
  builder.Add(IntervalRecordAt(start, " 21.5101,0"));
  builder.Add(IntervalRecordAt(start + 60, "      99,5"));
  builder.Add(IntervalRecordAt(start + 120, "  ERR 98,25"));
  const IntervalSeries series = std::move(builder).Finish();

  ASSERT_EQ(series.Size(), 3u);
  const auto first = ValuesOf(series, 0);
  EXPECT_EQ(first[0], 21.5f);
  EXPECT_TRUE(std::isnan(first[1]));
  EXPECT_TRUE(std::isnan(first[2]));
  EXPECT_EQ(ValuesOf(series, 1), (std::vector<float>{101.0f, 99.5f, 98.2f}));
  EXPECT_EQ(std::vector<std::uint32_t>(series.Gaps(0).begin(), series.Gaps(0).end()),
            (std::vector<std::uint32_t>{1, 2}));
  EXPECT_TRUE(series.Gaps(1).empty());
  EXPECT_EQ(series.Channel(0).decimals, 1);
  EXPECT_FALSE(series.Channel(0).comma);
  EXPECT_EQ(series.Channel(1).decimals, 1);
  EXPECT_TRUE(series.Channel(1).comma);
  EXPECT_EQ(series.FullSpan(), (TimeSpan{double(start), double(start + 120)}));
}

TEST(IntervalSeries, GapsBetweenTwoPositionsAreFound) {
  const IntervalSeries series = OneChannelSeries({"1", "", "3", "4", "x", "6"});
  EXPECT_TRUE(series.HasGapBetween(0, 0, 2));
  EXPECT_FALSE(series.HasGapBetween(0, 2, 3));
  EXPECT_FALSE(series.HasGapBetween(0, 1, 2)) << "the ends themselves do not count";
  EXPECT_TRUE(series.HasGapBetween(0, 0, 5));
  EXPECT_FALSE(series.HasGapBetween(0, 4, 5));
}

TEST(IntervalSeries, RecordsWithoutARealMomentAreCountedAndLeftOut) {
  IntervalSeriesBuilder builder(IntervalHeaderText('1'));
  builder.Add(IntervalRecordAt(SeriesStart(), "  1.0"));
  builder.Add(MakeRecord(DateBytes(5, 13, 1, 0, 0, 0) + "  2.0", kIntervalKind));
  builder.Add(MakeRecord(DateBytes(5, 2, 30, 0, 0, 0) + "  3.0", kIntervalKind));
  const IntervalSeries series = std::move(builder).Finish();
  EXPECT_EQ(series.Size(), 1u);
  EXPECT_EQ(series.RecordsWithoutTime(), 2u);
}

TEST(IntervalSeries, RecordsOutOfTimeOrderAreSortedWithTheirValues) {
  IntervalSeriesBuilder builder(IntervalHeaderText('1'));
  const ArchiveSeconds start = SeriesStart();
  builder.Add(IntervalRecordAt(start + 120, "  3.0"));
  builder.Add(IntervalRecordAt(start, "  1.0"));
  builder.Add(IntervalRecordAt(start + 60, "     "));
  builder.Add(IntervalRecordAt(start, "  1.5"));  // the clock set back: same moment, later in file
  const IntervalSeries series = std::move(builder).Finish();
  EXPECT_EQ(std::vector<ArchiveSeconds>(series.Times().begin(), series.Times().end()),
            (std::vector<ArchiveSeconds>{start, start, start + 60, start + 120}));
  const auto values = ValuesOf(series, 0);
  EXPECT_EQ(values[0], 1.0f);
  EXPECT_EQ(values[1], 1.5f);
  EXPECT_TRUE(std::isnan(values[2]));
  EXPECT_EQ(values[3], 3.0f);
  EXPECT_EQ(std::vector<std::uint32_t>(series.Gaps(0).begin(), series.Gaps(0).end()),
            std::vector<std::uint32_t>{2});
}

}  // namespace
}  // namespace telvoran
