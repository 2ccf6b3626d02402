#include "core/chart/ChannelEnvelope.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "core/chart/IntervalSeries.h"

namespace telvoran {
namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

// A pixel column's first, lowest, highest and last numeric record, in time order, each once.
void AppendColumn(const ValueSummary& column, std::vector<std::size_t>& records) {
  if (column.count == 0) return;
  std::array<std::size_t, 4> picked{column.first, column.lowest, column.highest, column.last};
  std::sort(picked.begin(), picked.end());
  for (std::size_t i = 0; i < picked.size(); ++i)
    if (i == 0 || picked[i] != picked[i - 1]) records.push_back(picked[i]);
}

// The record just before `position`, or the one at it, when its value is a number; else kNone.
std::size_t NumericBefore(const ChannelValues& values, std::size_t position) {
  if (position == 0 || std::isnan(values[position - 1])) return kNone;
  return position - 1;
}

std::size_t NumericAt(const ChannelValues& values, std::size_t position) {
  if (position >= values.size() || std::isnan(values[position])) return kNone;
  return position;
}

}  // namespace

std::vector<EnvelopePoint> ChannelEnvelope(const IntervalSeries& series, int channel, TimeSpan span,
                                           int columns) {
  const std::span<const CompactSeconds> times = series.Times();
  const ChannelValues values = series.Values(channel);
  columns = std::max(columns, 1);
  const auto begin = static_cast<std::size_t>(
      std::lower_bound(times.begin(), times.end(), span.from,
                       [](ArchiveSeconds time, double from) { return time < from; }) -
      times.begin());
  const auto end = static_cast<std::size_t>(
      std::upper_bound(times.begin(), times.end(), span.to,
                       [](double to, ArchiveSeconds time) { return to < time; }) -
      times.begin());

  // The records to draw, in time order. A neighbour outside the span that is not a number
  // leads no line into the span, so only a numeric one is taken.
  std::vector<std::size_t> records;
  if (const std::size_t before = NumericBefore(values, begin); before != kNone)
    records.push_back(before);
  const double columnsPerSecond = span.Length() > 0 ? columns / span.Length() : 0;
  auto columnOf = [&](ArchiveSeconds time) {
    return std::min(columns - 1, static_cast<int>((time - span.from) * columnsPerSecond));
  };
  // Column by column, each summarized from the index: the work follows the columns, not the
  // records in them.
  for (std::size_t columnStart = begin; columnStart < end;) {
    const int column = columnOf(times[columnStart]);
    // The column's records end at the first one of a later column.
    const auto columnEnd = static_cast<std::size_t>(
        std::partition_point(times.begin() + static_cast<std::ptrdiff_t>(columnStart) + 1,
                             times.begin() + static_cast<std::ptrdiff_t>(end),
                             [&](ArchiveSeconds time) { return columnOf(time) <= column; }) -
        times.begin());
    AppendColumn(series.Summarize(channel, columnStart, columnEnd), records);
    columnStart = columnEnd;
  }
  if (const std::size_t after = NumericAt(values, end); after != kNone) records.push_back(after);

  std::vector<EnvelopePoint> points;
  points.reserve(records.size());
  for (std::size_t i = 0; i < records.size(); ++i) {
    const std::size_t record = records[i];
    const bool joins = i > 0 && !series.HasGapBetween(channel, records[i - 1], record) &&
                       !series.HasPauseBetween(records[i - 1], record);
    points.push_back({static_cast<double>(times[record]), values[record], record, joins});
  }
  return points;
}

}  // namespace telvoran
