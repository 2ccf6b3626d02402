#include "core/chart/IntervalSeries.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

#include "core/archive/ArchiveFile.h"
#include "core/chart/ChannelValue.h"
#include "core/sort/SideBySide.h"
#include "core/text/StringIds.h"
#include "core/work/WorkProgress.h"

namespace telvoran {
namespace {

std::optional<ChannelNumber> ChannelNumberOf(const ArchiveRecord& record, std::size_t channel) {
  const char* bytes =
      reinterpret_cast<const char*>(record.bytes.data()) + interval_field::ValueOffset(channel + 1);
  return ParseChannelValue(std::string_view(bytes, kValueWidth));
}

// Series from this many records on have their values read on two threads.
constexpr std::size_t kTwoThreadsFrom = std::size_t{1} << 16;
// Progress is told, and a stop looked for, every this many records.
constexpr std::size_t kTellEvery = std::size_t{1} << 16;

}  // namespace

// What reading the values of some positions found, for each channel.
struct IntervalSeries::ValuesRead {
  explicit ValuesRead(std::size_t channels)
      : blocks(channels),
        gaps(channels),
        decimals(channels),
        numberCounts(channels),
        commaCounts(channels) {}

  // Puts what was found for the positions after these behind it.
  void Append(ValuesRead&& later) {
    for (std::size_t channel = 0; channel < blocks.size(); ++channel) {
      blocks[channel].Append(later.blocks[channel]);
      gaps[channel].insert(gaps[channel].end(), later.gaps[channel].begin(),
                           later.gaps[channel].end());
      decimals[channel] = std::max(decimals[channel], later.decimals[channel]);
      numberCounts[channel] += later.numberCounts[channel];
      commaCounts[channel] += later.commaCounts[channel];
    }
  }

  std::vector<ValueBlocks> blocks;
  std::vector<std::vector<std::uint32_t>> gaps;
  std::vector<int> decimals;
  std::vector<std::size_t> numberCounts;
  std::vector<std::size_t> commaCounts;
};

// Reads the values of positions `from` (the start of a block) up to `to`. The part that begins
// at the first position tells `progress` for both, as the other goes at about its pace.
void IntervalSeries::ReadValues(const IntervalSeries& series, std::size_t from, std::size_t to,
                                ValuesRead& read, WorkProgress* progress) {
  const std::size_t channels = read.blocks.size();
  const ArraySnapshot<ArchiveRecord>& all = series.records_;
  float block[kMaxChannels][ValueBlocks::kBlockSize];
  for (std::size_t start = from; start < to; start += ValueBlocks::kBlockSize) {
    const std::size_t end = std::min(to, start + ValueBlocks::kBlockSize);
    if (start % kTellEvery == 0 && progress) {
      if (progress->Cancelled()) return;
      if (from == 0) progress->Done(series.Size() + (to == series.Size() ? start : 2 * start));
    }
    for (std::size_t position = start; position < end; ++position) {
      const std::size_t index = series.order_.empty() ? position : series.order_[position];
      const ArchiveRecord& record = all[index];
      for (std::size_t channel = 0; channel < channels; ++channel) {
        const std::optional<ChannelNumber> number = ChannelNumberOf(record, channel);
        float& value = block[channel][position - start];
        if (!number) {
          value = std::numeric_limits<float>::quiet_NaN();
          read.gaps[channel].push_back(static_cast<std::uint32_t>(position));
          continue;
        }
        value = static_cast<float>(number->value);
        read.decimals[channel] = std::max(read.decimals[channel], number->decimals);
        ++read.numberCounts[channel];
        if (number->comma) ++read.commaCounts[channel];
      }
    }
    if (end - start == ValueBlocks::kBlockSize)
      for (std::size_t channel = 0; channel < channels; ++channel)
        read.blocks[channel].AppendBlock(block[channel]);
  }
}

float IntervalSeries::ValueAt(int channel, std::size_t position) const {
  const std::size_t record = order_.empty() ? position : order_[position];
  const std::optional<ChannelNumber> number = ChannelNumberOf(records_[record], Index(channel));
  return number ? static_cast<float>(number->value) : std::numeric_limits<float>::quiet_NaN();
}

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

// The usual step is the median of the times between neighbouring records, taken from at most
// about a million of them spread over the archive, so that a long archive costs no more.
void IntervalSeries::FindPauses() {
  const std::vector<CompactSeconds>& times = times_;
  if (times.size() < 3) return;
  const std::size_t stride = std::max<std::size_t>(1, times.size() >> 20);
  std::vector<CompactSeconds> steps;
  for (std::size_t i = 1; i < times.size(); i += stride) steps.push_back(times[i] - times[i - 1]);
  const auto middle = steps.begin() + static_cast<std::ptrdiff_t>(steps.size() / 2);
  std::nth_element(steps.begin(), middle, steps.end());
  const ArchiveSeconds usual = *middle;
  if (usual == 0) return;
  for (std::size_t i = 1; i < times.size(); ++i)
    if (times[i] - times[i - 1] > IntervalSeries::kPauseSteps * usual)
      pauses_.push_back(static_cast<std::uint32_t>(i));
}

IntervalSeries IntervalSeriesOf(std::string_view intervalHeader,
                                ArraySnapshot<ArchiveRecord> records, WorkProgress* progress) {
  IntervalSeries series;
  for (ChannelName& channel : ChannelNames(intervalHeader))
    series.channels_.push_back({std::move(channel.name), std::move(channel.unit)});
  const std::size_t channels = std::min<std::size_t>(series.channels_.size(), kMaxChannels);
  series.channels_.resize(channels);
  series.gaps_.resize(channels);
  series.records_ = std::move(records);
  const ArraySnapshot<ArchiveRecord>& all = series.records_;

  // Two passes of the records: their times, then their values.
  if (progress) progress->Step(sid::kWorkChart, 2 * all.Size());

  // The times, and which records have one.
  series.times_.reserve(all.Size());
  for (std::size_t index = 0; index < all.Size(); ++index) {
    if (index % kTellEvery == 0 && progress) {
      if (progress->Cancelled()) return series;
      progress->Done(index);
    }
    const std::optional<ArchiveSeconds> time = RecordTime(all[index].bytes.data());
    if (!time) {
      // From the first record left out on, each position names its record.
      if (series.order_.empty()) {
        series.order_.resize(index - series.recordsWithoutTime_);
        std::iota(series.order_.begin(), series.order_.end(), 0u);
      }
      ++series.recordsWithoutTime_;
      continue;
    }
    if (series.recordsWithoutTime_ > 0) series.order_.push_back(static_cast<std::uint32_t>(index));
    series.times_.push_back(static_cast<CompactSeconds>(*time));
  }
  series.times_.shrink_to_fit();
  // Archives are written in time order; a clock set back leaves records out of order.
  std::vector<CompactSeconds>& times = series.times_;
  if (!std::is_sorted(times.begin(), times.end())) {
    std::vector<std::uint32_t> positions(times.size());
    std::iota(positions.begin(), positions.end(), 0u);
    std::stable_sort(positions.begin(), positions.end(),
                     [&](std::uint32_t a, std::uint32_t b) { return times[a] < times[b]; });
    std::vector<CompactSeconds> sortedTimes(times.size());
    std::vector<std::uint32_t> order(times.size());
    for (std::size_t i = 0; i < positions.size(); ++i) {
      sortedTimes[i] = times[positions[i]];
      order[i] = series.order_.empty() ? positions[i] : series.order_[positions[i]];
    }
    times = std::move(sortedTimes);
    series.order_ = std::move(order);
  }
  series.FindPauses();
  if (StopAsked(progress)) return series;

  // Every value once, a block of positions at a time: its channels' indexes, gaps and writing.
  // A long series is read on two threads, a half each, cut at a block's end, and the second
  // half's findings are put after the first's.
  const std::size_t size = times.size();
  IntervalSeries::ValuesRead first(channels);
  const std::size_t half = size / 2 / ValueBlocks::kBlockSize * ValueBlocks::kBlockSize;
  if (size < kTwoThreadsFrom) {
    IntervalSeries::ReadValues(series, 0, size, first, progress);
  } else {
    IntervalSeries::ValuesRead second(channels);
    RunSideBySide([&] { IntervalSeries::ReadValues(series, 0, half, first, progress); },
                  [&] { IntervalSeries::ReadValues(series, half, size, second, progress); });
    first.Append(std::move(second));
  }
  series.blocks_ = std::move(first.blocks);
  series.gaps_ = std::move(first.gaps);
  for (std::size_t channel = 0; channel < channels; ++channel) {
    ChannelInfo& info = series.channels_[channel];
    info.decimals = first.decimals[channel];
    info.comma = 2 * first.commaCounts[channel] > first.numberCounts[channel];
  }
  return series;
}

}  // namespace telvoran
