#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>
#include <vector>

namespace telvoran {

// What a stretch of one channel's values holds: how many are numbers, their sum, and the
// positions of the first and last number and of the first lowest and first highest one.
// Positions are kNoValue while the stretch holds no number.
struct ValueSummary {
  static constexpr std::size_t kNoValue = std::numeric_limits<std::size_t>::max();

  std::size_t count = 0;
  double sum = 0;
  std::size_t first = kNoValue;
  std::size_t last = kNoValue;
  std::size_t lowest = kNoValue;
  std::size_t highest = kNoValue;
};

// An index over one channel's values, built once: the values cut into fixed blocks, each with
// its summary, so that the summary of any stretch costs a few blocks' worth of work instead of
// a pass over every value in it. That is what lets a chart of a million records find each pixel
// column's extremes, and the visible span's statistics, on every zoom step. A summary is the
// one a pass from left to right gives (ties keep the earliest position); only the sum may
// differ from that pass in its last bits, as it is added up block by block.
class ValueBlocks {
 public:
  static constexpr std::size_t kBlockSize = 64;

  ValueBlocks() = default;
  // `values`: anything with size() and operator[] giving a float (NaN for no number), such as a
  // span of floats or a channel's values read from their records when asked for. Each value is
  // looked at once.
  template <typename Values>
  explicit ValueBlocks(const Values& values);

  // Adds the summary of the next kBlockSize values, for an index built block by block.
  void AppendBlock(std::span<const float> block);
  // Adds the blocks of `later`, an index of the values that follow these, for an index built
  // in pieces.
  void Append(const ValueBlocks& later) {
    blocks_.insert(blocks_.end(), later.blocks_.begin(), later.blocks_.end());
  }

  // The summary of `values` (the ones the index was built over) at positions `first` up to,
  // not including, `last`.
  template <typename Values>
  ValueSummary Summarize(const Values& values, std::size_t first, std::size_t last) const;

 private:
  // A block's summary, in the narrow form kept for each block. Its lowest and highest values
  // are kept too: values read from their records when asked for would cost a look into a
  // record of every block each time a stretch is summarized.
  struct Block {
    double sum = 0;
    float lowestValue = 0;
    float highestValue = 0;
    std::uint32_t count = 0;
    std::uint8_t first = 0;  // offsets within the block; meaningless while count is 0
    std::uint8_t last = 0;
    std::uint8_t lowest = 0;
    std::uint8_t highest = 0;
  };
  static_assert(kBlockSize <= 256, "offsets within a block fit a byte");

  // A summary with its lowest and highest values at hand, so that no value is looked up twice.
  struct Running {
    ValueSummary summary;
    float lowest = 0;
    float highest = 0;

    void Add(std::size_t at, float value) {
      if (std::isnan(value)) return;
      if (summary.count == 0) {
        summary.first = summary.lowest = summary.highest = at;
        lowest = highest = value;
      } else {
        // Strictly lower or higher only: an equal value further on leaves the earlier one.
        if (value < lowest) {
          summary.lowest = at;
          lowest = value;
        }
        if (value > highest) {
          summary.highest = at;
          highest = value;
        }
      }
      summary.last = at;
      summary.sum += value;
      ++summary.count;
    }
    template <typename Values>
    void AddValues(const Values& values, std::size_t first, std::size_t last) {
      for (std::size_t at = first; at < last; ++at) Add(at, values[at]);
    }
  };

  std::vector<Block> blocks_;
};

template <typename Values>
ValueBlocks::ValueBlocks(const Values& values) {
  const std::size_t size = values.size();
  blocks_.reserve(size / kBlockSize);
  // Only whole blocks are kept: the values after the last one are added one by one.
  float block[kBlockSize];
  for (std::size_t start = 0; start + kBlockSize <= size; start += kBlockSize) {
    for (std::size_t i = 0; i < kBlockSize; ++i) block[i] = values[start + i];
    AppendBlock(block);
  }
}

inline void ValueBlocks::AppendBlock(std::span<const float> values) {
  Running running;
  running.AddValues(values, 0, kBlockSize);
  const ValueSummary& summary = running.summary;
  Block block;
  block.sum = summary.sum;
  block.count = static_cast<std::uint32_t>(summary.count);
  if (summary.count > 0) {
    block.first = static_cast<std::uint8_t>(summary.first);
    block.last = static_cast<std::uint8_t>(summary.last);
    block.lowest = static_cast<std::uint8_t>(summary.lowest);
    block.highest = static_cast<std::uint8_t>(summary.highest);
    block.lowestValue = running.lowest;
    block.highestValue = running.highest;
  }
  blocks_.push_back(block);
}

template <typename Values>
ValueSummary ValueBlocks::Summarize(const Values& values, std::size_t first,
                                    std::size_t last) const {
  Running running;
  last = std::min<std::size_t>(last, values.size());
  if (first >= last) return running.summary;
  // The blocks that lie wholly inside [first, last); the ends around them go value by value.
  const std::size_t firstBlock = (first + kBlockSize - 1) / kBlockSize;
  const std::size_t endBlock = std::min(last / kBlockSize, blocks_.size());
  if (firstBlock >= endBlock) {
    running.AddValues(values, first, last);
    return running.summary;
  }
  running.AddValues(values, first, firstBlock * kBlockSize);
  ValueSummary& summary = running.summary;
  for (std::size_t b = firstBlock; b < endBlock; ++b) {
    const Block& block = blocks_[b];
    if (block.count == 0) continue;
    const std::size_t start = b * kBlockSize;
    const std::size_t lowest = start + block.lowest;
    const std::size_t highest = start + block.highest;
    const float lowestValue = block.lowestValue;
    const float highestValue = block.highestValue;
    if (summary.count == 0) {
      summary.first = start + block.first;
      summary.lowest = lowest;
      summary.highest = highest;
      running.lowest = lowestValue;
      running.highest = highestValue;
    } else {
      if (lowestValue < running.lowest) {
        summary.lowest = lowest;
        running.lowest = lowestValue;
      }
      if (highestValue > running.highest) {
        summary.highest = highest;
        running.highest = highestValue;
      }
    }
    summary.last = start + block.last;
    summary.sum += block.sum;
    summary.count += block.count;
  }
  running.AddValues(values, endBlock * kBlockSize, last);
  return summary;
}

}  // namespace telvoran
