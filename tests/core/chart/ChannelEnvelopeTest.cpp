#include "core/chart/ChannelEnvelope.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "core/chart/IntervalSeries.h"
#include "support/ChartRecords.h"

namespace telvoran {
namespace {

using namespace test;

// A channel of `count` records a minute apart: random values, one in `gapEvery` blank.
IntervalSeries RandomSeries(std::size_t count, int gapEvery, unsigned seed) {
  std::mt19937 random(seed);
  std::vector<std::string> values;
  for (std::size_t i = 0; i < count; ++i) {
    char text[8];
    std::snprintf(text, sizeof text, "%5.1f", static_cast<double>(random() % 2000) / 10.0 - 50);
    values.push_back(gapEvery > 0 && random() % static_cast<unsigned>(gapEvery) == 0 ? "" : text);
  }
  return OneChannelSeries(values);
}

TimeSpan WholeSpan(const IntervalSeries& series) {
  return series.FullSpan();
}

// The column a record falls into when `span` is drawn into `columns` columns.
int ColumnOf(const IntervalSeries& series, std::size_t record, TimeSpan span, int columns) {
  const double columnsPerSecond = columns / span.Length();
  return std::min(columns - 1,
                  static_cast<int>((static_cast<double>(series.Times()[record]) - span.from) *
                                   columnsPerSecond));
}

TEST(ChannelEnvelope, KeepsTheMinimumAndMaximumOfEveryColumn) {
  const IntervalSeries series = RandomSeries(20'000, 7, 1);
  const auto values = series.Values(0);
  for (const TimeSpan span :
       {WholeSpan(series), TimeSpan{SeriesStart() + 3000.0, SeriesStart() + 90'000.0}}) {
    for (int columns : {1, 3, 97, 800, 5000}) {
      SCOPED_TRACE(testing::Message() << columns << " columns from " << span.from);
      const std::vector<EnvelopePoint> points = ChannelEnvelope(series, 0, span, columns);
      std::vector<float> lowest(columns, INFINITY), highest(columns, -INFINITY);
      std::vector<float> drawnLowest(columns, INFINITY), drawnHighest(columns, -INFINITY);
      for (std::size_t i = 0; i < series.Size(); ++i) {
        const double time = static_cast<double>(series.Times()[i]);
        if (time < span.from || time > span.to || std::isnan(values[i])) continue;
        const auto column = static_cast<std::size_t>(ColumnOf(series, i, span, columns));
        lowest[column] = std::min(lowest[column], values[i]);
        highest[column] = std::max(highest[column], values[i]);
      }
      for (const EnvelopePoint& point : points) {
        EXPECT_EQ(point.value, values[point.record]) << "a point is a record's own value";
        if (point.time < span.from || point.time > span.to) continue;
        const auto column = static_cast<std::size_t>(ColumnOf(series, point.record, span, columns));
        drawnLowest[column] = std::min<float>(drawnLowest[column], static_cast<float>(point.value));
        drawnHighest[column] =
            std::max<float>(drawnHighest[column], static_cast<float>(point.value));
      }
      EXPECT_EQ(drawnLowest, lowest);
      EXPECT_EQ(drawnHighest, highest);
      EXPECT_TRUE(std::is_sorted(points.begin(), points.end(),
                                 [](const auto& a, const auto& b) { return a.record < b.record; }));
      EXPECT_LE(points.size(), 4u * static_cast<std::size_t>(columns) + 2);
    }
  }
}

TEST(ChannelEnvelope, ALineNeverCrossesAGap) {
  // 1, gap, 3, 4, gap, 6, gap: the lone 6 between two gaps joins nothing.
  const IntervalSeries series = OneChannelSeries({"1", "", "3", "4", "ERR", "6", ""});
  const std::vector<EnvelopePoint> points = ChannelEnvelope(series, 0, WholeSpan(series), 1000);
  std::vector<std::pair<double, bool>> drawn;
  for (const auto& point : points) drawn.emplace_back(point.value, point.joinsPrevious);
  EXPECT_EQ(drawn,
            (std::vector<std::pair<double, bool>>{{1, false}, {3, false}, {4, true}, {6, false}}));
}

// Records every 15 minutes with the recording paused between them: a line joins across steps up
// to five times the usual one, never across a longer pause.
TEST(ChannelEnvelope, ALineBreaksWhereTheRecordingPaused) {
  IntervalSeriesBuilder builder(IntervalHeaderText('1'));
  const ArchiveSeconds minutes[] = {0, 15, 30, 45, 120, 135, 150, 3000, 3015};
  for (const ArchiveSeconds minute : minutes)
    builder.Add(IntervalRecordAt(SeriesStart() + 60 * minute, " 10.0"));
  const IntervalSeries series = std::move(builder).Finish();
  std::vector<bool> joins;
  for (const auto& point : ChannelEnvelope(series, 0, WholeSpan(series), 10'000))
    joins.push_back(point.joinsPrevious);
  // 75 minutes is five steps: joined; two days is a pause.
  EXPECT_EQ(joins, (std::vector<bool>{false, true, true, true, true, true, true, false, true}));
  EXPECT_TRUE(series.HasPauseBetween(0, 8));
  EXPECT_FALSE(series.HasPauseBetween(0, 6));
  EXPECT_FALSE(series.HasPauseBetween(7, 8));
  // Within one column too, the points on either side of the pause stay apart.
  const std::vector<EnvelopePoint> one = ChannelEnvelope(series, 0, WholeSpan(series), 1);
  EXPECT_TRUE(std::any_of(one.begin() + 1, one.end(),
                          [](const EnvelopePoint& point) { return !point.joinsPrevious; }));
}

TEST(ChannelEnvelope, AllValuesWithinOneColumnStayJoinedUnlessAGapLiesBetween) {
  const IntervalSeries series = OneChannelSeries({"5", "9", "1", "", "7", "2"});
  const std::vector<EnvelopePoint> points = ChannelEnvelope(series, 0, WholeSpan(series), 1);
  std::vector<std::pair<double, bool>> drawn;
  for (const auto& point : points) drawn.emplace_back(point.value, point.joinsPrevious);
  // First 5, lowest 1, highest 9 and last 2, in time order.
  EXPECT_EQ(drawn,
            (std::vector<std::pair<double, bool>>{{5, false}, {9, true}, {1, true}, {2, false}}));
}

TEST(ChannelEnvelope, TheLineRunsOnToTheNeighboursOutsideTheSpan) {
  const IntervalSeries series = OneChannelSeries({"1", "2", "3", "4", "", "6"});
  const double start = static_cast<double>(SeriesStart());
  // Records 2 and 3 inside: 1 (record 1) before, the gap (record 4) after leads no line out.
  std::vector<double> values;
  for (const auto& point : ChannelEnvelope(series, 0, {start + 100, start + 200}, 100))
    values.push_back(point.value);
  EXPECT_EQ(values, (std::vector<double>{2, 3, 4}));

  // No record inside: the line from the one before to the one after crosses the span.
  values.clear();
  for (const auto& point : ChannelEnvelope(series, 0, {start + 10, start + 50}, 100))
    values.push_back(point.value);
  EXPECT_EQ(values, (std::vector<double>{1, 2}));
}

TEST(ChannelEnvelope, EmptySeriesAndEmptySpansDrawNothingOrTheNeighbours) {
  const IntervalSeries empty = OneChannelSeries({});
  EXPECT_TRUE(ChannelEnvelope(empty, 0, {0, 100}, 10).empty());
  const IntervalSeries one = OneChannelSeries({"42"});
  const auto points = ChannelEnvelope(one, 0, one.FullSpan(), 0);
  ASSERT_EQ(points.size(), 1u);
  EXPECT_EQ(points[0].value, 42);
  EXPECT_FALSE(points[0].joinsPrevious);
}

}  // namespace
}  // namespace telvoran
