#include "core/chart/ValueBlocks.h"

#include <algorithm>
#include <cmath>

namespace telvoran {
namespace {

// Adds the values at positions [first, last) to `summary`, one by one.
void AddValues(ValueSummary& summary, std::span<const float> values, std::size_t first,
               std::size_t last) {
  for (std::size_t at = first; at < last; ++at) {
    const float value = values[at];
    if (std::isnan(value)) continue;
    if (summary.count == 0) {
      summary.first = summary.lowest = summary.highest = at;
    } else {
      if (value < values[summary.lowest]) summary.lowest = at;
      if (value > values[summary.highest]) summary.highest = at;
    }
    summary.last = at;
    summary.sum += value;
    ++summary.count;
  }
}

}  // namespace

ValueBlocks::ValueBlocks(std::span<const float> values) {
  blocks_.reserve(values.size() / kBlockSize);
  // Only whole blocks are kept: the values after the last one are added one by one.
  for (std::size_t start = 0; start + kBlockSize <= values.size(); start += kBlockSize) {
    ValueSummary summary;
    AddValues(summary, values, start, start + kBlockSize);
    Block block;
    block.sum = summary.sum;
    block.count = static_cast<std::uint32_t>(summary.count);
    if (summary.count > 0) {
      block.first = static_cast<std::uint8_t>(summary.first - start);
      block.last = static_cast<std::uint8_t>(summary.last - start);
      block.lowest = static_cast<std::uint8_t>(summary.lowest - start);
      block.highest = static_cast<std::uint8_t>(summary.highest - start);
    }
    blocks_.push_back(block);
  }
}

ValueSummary ValueBlocks::Summarize(std::span<const float> values, std::size_t first,
                                    std::size_t last) const {
  ValueSummary summary;
  last = std::min(last, values.size());
  if (first >= last) return summary;
  // The blocks that lie wholly inside [first, last); the ends around them go value by value.
  const std::size_t firstBlock = (first + kBlockSize - 1) / kBlockSize;
  const std::size_t endBlock = std::min(last / kBlockSize, blocks_.size());
  if (firstBlock >= endBlock) {
    AddValues(summary, values, first, last);
    return summary;
  }
  AddValues(summary, values, first, firstBlock * kBlockSize);
  for (std::size_t b = firstBlock; b < endBlock; ++b) {
    const Block& block = blocks_[b];
    if (block.count == 0) continue;
    const std::size_t start = b * kBlockSize;
    const std::size_t lowest = start + block.lowest;
    const std::size_t highest = start + block.highest;
    if (summary.count == 0) {
      summary.first = start + block.first;
      summary.lowest = lowest;
      summary.highest = highest;
    } else {
      // Strictly lower or higher only: an equal value further on leaves the earlier one.
      if (values[lowest] < values[summary.lowest]) summary.lowest = lowest;
      if (values[highest] > values[summary.highest]) summary.highest = highest;
    }
    summary.last = start + block.last;
    summary.sum += block.sum;
    summary.count += block.count;
  }
  AddValues(summary, values, endBlock * kBlockSize, last);
  return summary;
}

}  // namespace telvoran
