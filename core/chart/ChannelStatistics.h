#pragma once

#include <cstddef>
#include <optional>

#include "core/chart/ArchiveTime.h"

namespace telvoran {

class IntervalSeries;

// A channel's numeric values within a span of time.
struct ChannelStatistics {
  std::size_t count = 0;  // values that are numbers; the rest are left out
  double minimum = 0;
  double maximum = 0;
  double mean = 0;
  ArchiveSeconds minimumTime = 0;  // the first record that holds the minimum
  ArchiveSeconds maximumTime = 0;  // the first record that holds the maximum
};

// Statistics of `channel` over the records whose time lies in `span`, both ends included.
ChannelStatistics StatisticsOver(const IntervalSeries& series, int channel, TimeSpan span);

// The record whose time is nearest to `time` (the earlier one of two equally near); nothing
// for an empty series.
std::optional<std::size_t> NearestRecord(const IntervalSeries& series, double time);

}  // namespace telvoran
