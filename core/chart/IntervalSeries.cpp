#include "core/chart/IntervalSeries.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

#include "core/archive/ArchiveFile.h"
#include "core/chart/ChannelValue.h"

namespace telvoran {
namespace {

constexpr std::size_t kValueWidth = 5;
constexpr std::size_t kNameWidth = 4;

// Characters [offset, offset + width) of `text`, cut at its end, without padding spaces.
std::string HeaderField(std::string_view text, std::size_t offset, std::size_t width) {
  if (offset >= text.size()) return {};
  std::string_view field = text.substr(offset, width);
  while (!field.empty() && field.back() == ' ') field.remove_suffix(1);
  while (!field.empty() && field.front() == ' ') field.remove_prefix(1);
  return std::string(field);
}

// Channel k (from 1) holds its name at header positions 26k - 23 to 26k - 20 and its unit at
// 26k - 19 to 26k - 16, counted from 1.
ChannelInfo ChannelOfHeader(std::string_view header, std::size_t k) {
  ChannelInfo channel;
  channel.name = HeaderField(header, 26 * k - 24, kNameWidth);
  channel.unit = HeaderField(header, 26 * k - 20, kNameWidth);
  return channel;
}

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

TimeSpan IntervalSeries::FullSpan() const {
  if (times_.empty()) return {};
  return {static_cast<double>(times_.front()), static_cast<double>(times_.back())};
}

IntervalSeriesBuilder::IntervalSeriesBuilder(std::string_view intervalHeader) {
  const int channels = ChannelCount(intervalHeader).value_or(0);
  for (int k = 1; k <= channels; ++k)
    series_.channels_.push_back(ChannelOfHeader(intervalHeader, static_cast<std::size_t>(k)));
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
    // Channel k's value lies in bytes 5k + 1 to 5k + 5.
    const char* bytes = reinterpret_cast<const char*>(record.bytes.data()) + 5 * channel + 6;
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
