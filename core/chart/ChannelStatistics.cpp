#include "core/chart/ChannelStatistics.h"

#include <algorithm>
#include <cmath>

#include "core/chart/IntervalSeries.h"

namespace telvoran {

ChannelStatistics StatisticsOver(const IntervalSeries& series, int channel, TimeSpan span) {
  const std::span<const ArchiveSeconds> times = series.Times();
  const std::span<const float> values = series.Values(channel);
  const auto first = std::lower_bound(times.begin(), times.end(), span.from,
                                      [](ArchiveSeconds time, double from) { return time < from; });
  const auto last = std::upper_bound(first, times.end(), span.to,
                                     [](double to, ArchiveSeconds time) { return to < time; });

  ChannelStatistics statistics;
  double sum = 0;
  for (auto at = first; at != last; ++at) {
    const float value = values[static_cast<std::size_t>(at - times.begin())];
    if (std::isnan(value)) continue;
    if (statistics.count == 0 || value < statistics.minimum) {
      statistics.minimum = value;
      statistics.minimumTime = *at;
    }
    if (statistics.count == 0 || value > statistics.maximum) {
      statistics.maximum = value;
      statistics.maximumTime = *at;
    }
    sum += value;
    ++statistics.count;
  }
  if (statistics.count > 0) statistics.mean = sum / static_cast<double>(statistics.count);
  return statistics;
}

std::optional<std::size_t> NearestRecord(const IntervalSeries& series, double time) {
  const std::span<const ArchiveSeconds> times = series.Times();
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
