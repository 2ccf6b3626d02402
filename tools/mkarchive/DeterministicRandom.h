#pragma once

#include <cstdint>
#include <random>

namespace telvoran {

// Random numbers that are the same for the same seed on every platform and compiler: the
// 64-bit Mersenne Twister is fully specified by the standard, while the standard's
// distributions are not, so the distributions here are our own.
class DeterministicRandom {
 public:
  explicit DeterministicRandom(std::uint64_t seed) : engine_(seed) {}

  // A whole number from 0 to bound-1; bound must be above 0.
  std::uint64_t Below(std::uint64_t bound);
  // A whole number from low to high, both included.
  std::int64_t Between(std::int64_t low, std::int64_t high);
  // A number from 0 up to, not including, 1.
  double Fraction();

 private:
  std::mt19937_64 engine_;
};

}  // namespace telvoran
