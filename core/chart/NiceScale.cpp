#include "core/chart/NiceScale.h"

#include <algorithm>
#include <cmath>

namespace telvoran {

AxisScale NiceScale(double low, double high, int maxTicks) {
  if (!std::isfinite(low) || !std::isfinite(high)) return {};
  if (high < low) std::swap(low, high);
  maxTicks = std::max(maxTicks, 2);
  if (high == low) {
    const double room = low == 0 ? 1 : std::abs(low) * 0.1;
    low -= room;
    high += room;
  }
  const double rough = (high - low) / (maxTicks - 1);
  const double power = std::pow(10.0, std::floor(std::log10(rough)));
  for (double factor : {1.0, 2.0, 2.5, 5.0, 10.0, 20.0}) {
    const double step = factor * power;
    const double minimum = std::floor(low / step) * step;
    const double maximum = std::ceil(high / step) * step;
    const int ticks = static_cast<int>(std::lround((maximum - minimum) / step)) + 1;
    if (ticks <= maxTicks) return {minimum, maximum, ticks};
  }
  return {low, high, 2};
}

}  // namespace telvoran
