#include "core/chart/ChannelStatistics.h"

#include <algorithm>
#include <cmath>

#include "core/chart/IntervalSeries.h"

namespace telvoran {

ChannelStatistics StatisticsOver(const IntervalSeries& series, int channel, TimeSpan span) {
  const std::span<const CompactSeconds> times = series.Times();
  const ChannelValues values = series.Values(channel);
  const auto first = std::lower_bound(times.begin(), times.end(), span.from,
                                      [](ArchiveSeconds time, double from) { return time < from; });
  const auto last = std::upper_bound(first, times.end(), span.to,
                                     [](double to, ArchiveSeconds time) { return to < time; });

  const ValueSummary summary =
      series.Summarize(channel, static_cast<std::size_t>(first - times.begin()),
                       static_cast<std::size_t>(last - times.begin()));
  ChannelStatistics statistics;
  statistics.count = summary.count;
  if (summary.count == 0) return statistics;
  statistics.minimum = values[summary.lowest];
  statistics.minimumTime = times[summary.lowest];
  statistics.maximum = values[summary.highest];
  statistics.maximumTime = times[summary.highest];
  statistics.mean = summary.sum / static_cast<double>(summary.count);
  return statistics;
}

std::optional<std::size_t> NearestRecord(const IntervalSeries& series, double time) {
  const std::span<const CompactSeconds> times = series.Times();
  if (times.empty()) return std::nullopt;
  const auto after = std::lower_bound(times.begin(), times.end(), time,
                                      [](ArchiveSeconds t, double wanted) { return t < wanted; });
  if (after == times.begin()) return 0;
  if (after == times.end()) return times.size() - 1;
  const auto before = after - 1;
  const bool earlierIsNearer =
      time - static_cast<double>(*before) <= static_cast<double>(*after) - time;
  // Of several records at the nearer time, the first.
  const auto nearest = earlierIsNearer ? std::lower_bound(times.begin(), after, *before) : after;
  return static_cast<std::size_t>(nearest - times.begin());
}

}  // namespace telvoran
