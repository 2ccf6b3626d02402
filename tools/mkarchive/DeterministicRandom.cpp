#include "tools/mkarchive/DeterministicRandom.h"

namespace telvoran {

std::uint64_t DeterministicRandom::Below(std::uint64_t bound) {
  // Draws from the largest multiple of `bound` only, so that every result is equally likely.
  const std::uint64_t unfairTail = (0 - bound) % bound;
  std::uint64_t draw = engine_();
  while (draw < unfairTail) draw = engine_();
  return draw % bound;
}

std::int64_t DeterministicRandom::Between(std::int64_t low, std::int64_t high) {
  const std::uint64_t span = static_cast<std::uint64_t>(high) - static_cast<std::uint64_t>(low);
  const std::uint64_t offset = span == UINT64_MAX ? engine_() : Below(span + 1);
  return static_cast<std::int64_t>(static_cast<std::uint64_t>(low) + offset);
}

double DeterministicRandom::Fraction() {
  return static_cast<double>(engine_() >> 11) * 0x1.0p-53;
}

}  // namespace telvoran
