// The block index behind envelopes and statistics must give what a pass over every value gives:
// the same records drawn, the same extremes and their times, whatever the ties and gaps.
#include "core/chart/ValueBlocks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "core/chart/ChannelEnvelope.h"
#include "core/chart/ChannelStatistics.h"
#include "core/chart/IntervalSeries.h"
#include "support/ChartRecords.h"

namespace telvoran {
namespace {

using namespace test;

constexpr std::size_t kBlock = ValueBlocks::kBlockSize;
constexpr std::size_t kNone = ValueSummary::kNoValue;

// The summary of [first, last) by looking at every value.
template <typename Values>
ValueSummary SummaryByPass(const Values& values, std::size_t first, std::size_t last) {
  ValueSummary summary;
  for (std::size_t at = first; at < std::min(last, values.size()); ++at) {
    if (std::isnan(values[at])) continue;
    if (summary.count == 0) summary.first = summary.lowest = summary.highest = at;
    if (values[at] < values[summary.lowest]) summary.lowest = at;
    if (values[at] > values[summary.highest]) summary.highest = at;
    summary.last = at;
    summary.sum += values[at];
    ++summary.count;
  }
  return summary;
}

// Few distinct values, so ties are everywhere, and gaps both scattered and a block long.
std::vector<float> ValuesWithTiesAndGaps(std::size_t count, unsigned seed) {
  std::mt19937 random(seed);
  std::vector<float> values(count);
  for (std::size_t i = 0; i < count; ++i) {
    const bool gap = random() % 5 == 0 || (i >= 3 * kBlock && i < 4 * kBlock + 7);
    values[i] = gap ? NAN : static_cast<float>(random() % 7) - 3.5f;
  }
  return values;
}

void ExpectSameSummary(const ValueSummary& indexed, const ValueSummary& pass) {
  EXPECT_EQ(indexed.count, pass.count);
  EXPECT_EQ(indexed.first, pass.first);
  EXPECT_EQ(indexed.last, pass.last);
  EXPECT_EQ(indexed.lowest, pass.lowest) << "the first of equal lowest values";
  EXPECT_EQ(indexed.highest, pass.highest) << "the first of equal highest values";
  EXPECT_NEAR(indexed.sum, pass.sum, 1e-9 * (1 + std::abs(pass.sum)));
}

TEST(ValueBlocks, AnyStretchSummarizesAsAPassOverItsValues) {
  const std::vector<float> values = ValuesWithTiesAndGaps(20 * kBlock + 13, 3);
  const ValueBlocks blocks(values);
  // Every stretch whose ends lie on, next to or between block edges, and random ones.
  std::vector<std::size_t> ends;
  for (std::size_t edge = 0; edge <= values.size(); edge += kBlock)
    for (std::size_t at : {edge, edge + 1, edge + kBlock / 2})
      if (at > 0) ends.push_back(at - 1);
  ends.push_back(values.size());
  for (std::size_t first : ends)
    for (std::size_t last : ends) {
      SCOPED_TRACE(testing::Message() << "[" << first << ", " << last << ")");
      ExpectSameSummary(blocks.Summarize(values, first, last), SummaryByPass(values, first, last));
    }
  std::mt19937 random(5);
  for (int i = 0; i < 2000; ++i) {
    const std::size_t first = random() % values.size();
    const std::size_t last = first + random() % (values.size() - first + 1);
    ExpectSameSummary(blocks.Summarize(values, first, last), SummaryByPass(values, first, last));
  }
}

TEST(ValueBlocks, EmptyStretchesGapsOnlyAndShortChannelsHoldNoNumber) {
  const std::vector<float> values = ValuesWithTiesAndGaps(5 * kBlock, 7);
  const ValueBlocks blocks(values);
  for (const auto& [first, last] : std::vector<std::pair<std::size_t, std::size_t>>{
           {10, 10}, {40, 12}, {values.size(), values.size() + 9}}) {
    const ValueSummary summary = blocks.Summarize(values, first, last);
    EXPECT_EQ(summary.count, 0u);
    EXPECT_EQ(summary.first, kNone);
    EXPECT_EQ(summary.lowest, kNone);
  }
  const ValueSummary gapsOnly = blocks.Summarize(values, 3 * kBlock, 4 * kBlock);
  EXPECT_EQ(gapsOnly.count, 0u) << "a block of gaps only";
  EXPECT_EQ(gapsOnly.highest, kNone);
  {
    SCOPED_TRACE("a stretch past the end stops at the end");
    ExpectSameSummary(blocks.Summarize(values, 0, values.size() + 100),
                      SummaryByPass(values, 0, values.size()));
  }

  const std::vector<float> shortChannel{2, NAN, -1, -1, 7};
  const ValueBlocks none(shortChannel);
  ExpectSameSummary(none.Summarize(shortChannel, 0, 5), SummaryByPass(shortChannel, 0, 5));
  EXPECT_EQ(none.Summarize(shortChannel, 0, 5).lowest, 2u);
  const ValueBlocks empty(std::span<const float>{});
  EXPECT_EQ(empty.Summarize(std::span<const float>{}, 0, 3).count, 0u);
}

// A channel whose records come several to a moment, with few distinct values and gaps.
IntervalSeries SeriesWithTiesAndGaps(std::size_t count, unsigned seed) {
  std::mt19937 random(seed);
  IntervalSeriesBuilder builder(IntervalHeaderText('1'));
  ArchiveSeconds time = SeriesStart();
  for (std::size_t i = 0; i < count; ++i) {
    time += static_cast<ArchiveSeconds>(random() % 3) * 30;  // a third share their moment
    char text[8];
    std::snprintf(text, sizeof text, "%5.1f", static_cast<double>(random() % 9) / 2);
    builder.Add(IntervalRecordAt(time, random() % 6 == 0 ? "  x  " : text));
  }
  return std::move(builder).Finish();
}

// The envelope as a pass over every record in the span draws it: per column the first, lowest,
// highest and last number, in time order, then a numeric neighbour on either side.
std::vector<std::size_t> EnvelopeRecordsByPass(const IntervalSeries& series, TimeSpan span,
                                               int columns) {
  const auto times = series.Times();
  const auto values = series.Values(0);
  std::size_t begin = 0;
  while (begin < times.size() && static_cast<double>(times[begin]) < span.from) ++begin;
  std::size_t end = begin;
  while (end < times.size() && static_cast<double>(times[end]) <= span.to) ++end;
  std::vector<std::size_t> records;
  if (begin > 0 && !std::isnan(values[begin - 1])) records.push_back(begin - 1);
  const double columnsPerSecond = span.Length() > 0 ? columns / span.Length() : 0;
  for (int column = 0; column < columns; ++column) {
    std::size_t first = end;
    std::size_t last = end;
    for (std::size_t r = begin; r < end; ++r) {
      const int at =
          std::min(columns - 1, static_cast<int>((times[r] - span.from) * columnsPerSecond));
      if (at != column) continue;
      if (first == end) first = r;
      last = r + 1;
    }
    const ValueSummary summary = SummaryByPass(values, first, last);
    if (summary.count == 0) continue;
    std::vector<std::size_t> picked{summary.first, summary.lowest, summary.highest, summary.last};
    std::sort(picked.begin(), picked.end());
    picked.erase(std::unique(picked.begin(), picked.end()), picked.end());
    records.insert(records.end(), picked.begin(), picked.end());
  }
  if (end < times.size() && !std::isnan(values[end])) records.push_back(end);
  return records;
}

TEST(ChannelEnvelope, DrawsTheRecordsAPassOverEveryRecordDraws) {
  const IntervalSeries series = SeriesWithTiesAndGaps(3000, 11);
  const TimeSpan whole = series.FullSpan();
  const double length = whole.Length();
  for (const TimeSpan span : {whole, TimeSpan{whole.from + length / 3, whole.from + length / 2},
                              TimeSpan{whole.from - 600, whole.from + 90},
                              TimeSpan{whole.from + 1230, whole.from + 1230}}) {
    for (int columns : {1, 2, 7, 64, 333, 5000}) {
      SCOPED_TRACE(testing::Message() << columns << " columns over " << span.from - whole.from
                                      << " to " << span.to - whole.from);
      const std::vector<EnvelopePoint> points = ChannelEnvelope(series, 0, span, columns);
      std::vector<std::size_t> drawn;
      for (const EnvelopePoint& point : points) drawn.push_back(point.record);
      EXPECT_EQ(drawn, EnvelopeRecordsByPass(series, span, columns));
    }
  }
}

TEST(ChannelStatistics, IndexedStatisticsAgreeWithAPassOverTheSpan) {
  const IntervalSeries series = SeriesWithTiesAndGaps(5000, 13);
  const auto times = series.Times();
  const auto values = series.Values(0);
  std::mt19937 random(17);
  const TimeSpan whole = series.FullSpan();
  for (int i = 0; i < 300; ++i) {
    const double from = whole.from + random() % static_cast<unsigned>(whole.Length());
    const TimeSpan span{from, from + random() % 20'000};
    std::size_t first = 0;
    while (first < times.size() && static_cast<double>(times[first]) < span.from) ++first;
    std::size_t last = first;
    while (last < times.size() && static_cast<double>(times[last]) <= span.to) ++last;
    const ValueSummary pass = SummaryByPass(values, first, last);
    const ChannelStatistics statistics = StatisticsOver(series, 0, span);
    ASSERT_EQ(statistics.count, pass.count);
    if (pass.count == 0) continue;
    EXPECT_EQ(statistics.minimum, values[pass.lowest]);
    EXPECT_EQ(statistics.minimumTime, times[pass.lowest]) << "the first record of the minimum";
    EXPECT_EQ(statistics.maximum, values[pass.highest]);
    EXPECT_EQ(statistics.maximumTime, times[pass.highest]) << "the first record of the maximum";
    EXPECT_NEAR(statistics.mean, pass.sum / static_cast<double>(pass.count), 1e-9);
  }
}

}  // namespace
}  // namespace telvoran
