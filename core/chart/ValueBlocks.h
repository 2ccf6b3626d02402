#pragma once

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
  explicit ValueBlocks(std::span<const float> values);

  // The summary of `values` (the ones the index was built over) at positions `first` up to,
  // not including, `last`.
  ValueSummary Summarize(std::span<const float> values, std::size_t first, std::size_t last) const;

 private:
  // A block's summary, in the narrow form kept for each block.
  struct Block {
    double sum = 0;
    std::uint32_t count = 0;
    std::uint8_t first = 0;  // offsets within the block; meaningless while count is 0
    std::uint8_t last = 0;
    std::uint8_t lowest = 0;
    std::uint8_t highest = 0;
  };
  static_assert(kBlockSize <= 256, "offsets within a block fit a byte");

  std::vector<Block> blocks_;
};

}  // namespace telvoran
