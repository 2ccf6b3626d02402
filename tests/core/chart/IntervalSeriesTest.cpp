#include "core/chart/IntervalSeries.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <utility>

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

// A series long enough to be read on two threads gives what one pass over its values gives:
// gaps, block summaries across the cut, decimals and the decimal sign.
TEST(IntervalSeries, LongSeriesMatchesAPassOverItsValues) {
  IntervalSeriesBuilder builder(IntervalHeaderText('2'));
  const ArchiveSeconds start = SeriesStart();
  const std::size_t size = 150'001;
  std::uint32_t seed = 7;
  auto next = [&seed] { return (seed = seed * 1664525u + 1013904223u) >> 8; };
  for (std::size_t i = 0; i < size; ++i) {
    char values[11];
    const std::uint32_t r = next();
    // Channel 1: one decimal, a gap now and then; channel 2: commas, two decimals at the end.
    std::snprintf(values, sizeof values, "%5.1f", (r % 2000) / 10.0 - 50);
    if (r % 97 == 0) std::memcpy(values, "  ERR", 5);
    std::snprintf(values + 5, 6, "%5d", static_cast<int>(r % 900));
    if (i % 3 != 0) values[9] = ',';
    if (i + 1 == size) std::memcpy(values + 5, " 1,25", 5);
    builder.Add(IntervalRecordAt(start + 60 * static_cast<ArchiveSeconds>(i), values));
  }
  const IntervalSeries series = std::move(builder).Finish();
  ASSERT_EQ(series.Size(), size);
  for (int channel = 0; channel < 2; ++channel) {
    const auto values = ValuesOf(series, channel);
    std::vector<std::uint32_t> gaps;
    for (std::size_t i = 0; i < size; ++i)
      if (std::isnan(values[i])) gaps.push_back(static_cast<std::uint32_t>(i));
    EXPECT_EQ(std::vector<std::uint32_t>(series.Gaps(channel).begin(), series.Gaps(channel).end()),
              gaps);
    for (const auto& [first, last] : {std::pair<std::size_t, std::size_t>{0, size},
                                      {70'001, 80'003},
                                      {74'990, 75'100},
                                      {1, 149'999}}) {
      ValueSummary expected;
      for (std::size_t at = first; at < last; ++at) {
        if (std::isnan(values[at])) continue;
        if (expected.count == 0 || values[at] < values[expected.lowest]) expected.lowest = at;
        if (expected.count == 0 || values[at] > values[expected.highest]) expected.highest = at;
        if (expected.count == 0) expected.first = at;
        expected.last = at;
        ++expected.count;
      }
      const ValueSummary summary = series.Summarize(channel, first, last);
      EXPECT_EQ(summary.count, expected.count) << channel << " " << first;
      EXPECT_EQ(summary.first, expected.first) << channel << " " << first;
      EXPECT_EQ(summary.last, expected.last) << channel << " " << first;
      EXPECT_EQ(summary.lowest, expected.lowest) << channel << " " << first;
      EXPECT_EQ(summary.highest, expected.highest) << channel << " " << first;
    }
  }
  EXPECT_EQ(series.Channel(0).decimals, 1);
  EXPECT_FALSE(series.Channel(0).comma);
  EXPECT_EQ(series.Channel(1).decimals, 2);
  EXPECT_TRUE(series.Channel(1).comma);
}

}  // namespace
}  // namespace telvoran
