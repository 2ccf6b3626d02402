#include "core/chart/IntervalSeries.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

#include "core/archive/ArchiveFile.h"
#include "core/chart/ChannelValue.h"

namespace telvoran {
namespace {

// Puts `items` into the order `order` gives (order[i] is the position of the new i-th item).
template <typename T>
void Permute(std::vector<T>& items, const std::vector<std::uint32_t>& order) {
  std::vector<T> sorted;
  sorted.reserve(items.size());
  for (std::uint32_t from : order) sorted.push_back(items[from]);
  items = std::move(sorted);
}

}  // namespace

bool IntervalSeries::HasGapBetween(int channel, std::size_t first, std::size_t last) const {
  const std::vector<std::uint32_t>& gaps = gaps_[Index(channel)];
  const auto next = std::upper_bound(gaps.begin(), gaps.end(), first);
  return next != gaps.end() && *next < last;
}

bool IntervalSeries::HasPauseBetween(std::size_t first, std::size_t last) const {
  const auto next = std::upper_bound(pauses_.begin(), pauses_.end(), first);
  return next != pauses_.end() && *next <= last;
}

TimeSpan IntervalSeries::FullSpan() const {
  if (times_.empty()) return {};
  return {static_cast<double>(times_.front()), static_cast<double>(times_.back())};
}

IntervalSeriesBuilder::IntervalSeriesBuilder(std::string_view intervalHeader) {
  for (ChannelName& channel : ChannelNames(intervalHeader))
    series_.channels_.push_back({std::move(channel.name), std::move(channel.unit)});
  series_.values_.resize(series_.channels_.size());
  series_.gaps_.resize(series_.channels_.size());
  commaCounts_.resize(series_.channels_.size());
  numberCounts_.resize(series_.channels_.size());
}

void IntervalSeriesBuilder::Add(const ArchiveRecord& record) {
  const std::optional<ArchiveSeconds> time = RecordTime(record.bytes.data());
  if (!time) {
    ++series_.recordsWithoutTime_;
    return;
  }
  series_.times_.push_back(*time);
  for (std::size_t channel = 0; channel < series_.channels_.size(); ++channel) {
    const char* bytes = reinterpret_cast<const char*>(record.bytes.data()) +
                        interval_field::ValueOffset(channel + 1);
    const std::optional<ChannelNumber> number =
        ParseChannelValue(std::string_view(bytes, kValueWidth));
    if (!number) {
      series_.values_[channel].push_back(std::numeric_limits<float>::quiet_NaN());
      continue;
    }
    series_.values_[channel].push_back(static_cast<float>(number->value));
    ChannelInfo& info = series_.channels_[channel];
    info.decimals = std::max(info.decimals, number->decimals);
    ++numberCounts_[channel];
    if (number->comma) ++commaCounts_[channel];
  }
}

// The usual step is the median of the times between neighbouring records, taken from at most
// about a million of them spread over the archive, so that a long archive costs no more.
void IntervalSeriesBuilder::FindPauses() {
  const std::vector<ArchiveSeconds>& times = series_.times_;
  if (times.size() < 3) return;
  const std::size_t stride = std::max<std::size_t>(1, times.size() >> 20);
  std::vector<ArchiveSeconds> steps;
  for (std::size_t i = 1; i < times.size(); i += stride) steps.push_back(times[i] - times[i - 1]);
  const auto middle = steps.begin() + static_cast<std::ptrdiff_t>(steps.size() / 2);
  std::nth_element(steps.begin(), middle, steps.end());
  const ArchiveSeconds usual = *middle;
  if (usual == 0) return;
  for (std::size_t i = 1; i < times.size(); ++i)
    if (times[i] - times[i - 1] > IntervalSeries::kPauseSteps * usual)
      series_.pauses_.push_back(static_cast<std::uint32_t>(i));
}

IntervalSeries IntervalSeriesBuilder::Finish() && {
  // Archives are written in time order; a clock set back leaves records out of order.
  if (!std::is_sorted(series_.times_.begin(), series_.times_.end())) {
    std::vector<std::uint32_t> order(series_.times_.size());
    std::iota(order.begin(), order.end(), 0u);
    std::stable_sort(order.begin(), order.end(), [this](std::uint32_t a, std::uint32_t b) {
      return series_.times_[a] < series_.times_[b];
    });
    Permute(series_.times_, order);
    for (auto& values : series_.values_) Permute(values, order);
  }
  FindPauses();
  for (std::size_t channel = 0; channel < series_.channels_.size(); ++channel) {
    const std::vector<float>& values = series_.values_[channel];
    for (std::size_t i = 0; i < values.size(); ++i)
      if (std::isnan(values[i])) series_.gaps_[channel].push_back(static_cast<std::uint32_t>(i));
    series_.channels_[channel].comma = 2 * commaCounts_[channel] > numberCounts_[channel];
    series_.blocks_.emplace_back(values);
  }
  return std::move(series_);
}

}  // namespace telvoran
