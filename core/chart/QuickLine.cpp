#include "core/chart/QuickLine.h"

#include <algorithm>
#include <cmath>

namespace telvoran {

std::vector<LineStep> QuickLine(std::span<const LinePoint> points) {
  std::vector<LineStep> steps;
  steps.reserve(points.size());
  for (std::size_t first = 0; first < points.size();) {
    // The run of points joined to each other within the first one's pixel column.
    const double column = std::floor(points[first].x);
    std::size_t end = first + 1;
    double low = points[first].y;
    double high = points[first].y;
    while (end < points.size() && points[end].joinsPrevious &&
           std::floor(points[end].x) == column) {
      low = std::min(low, points[end].y);
      high = std::max(high, points[end].y);
      ++end;
    }
    const LinePoint& entry = points[first];
    const LinePoint& exit = points[end - 1];
    steps.push_back({entry.x, entry.y, entry.joinsPrevious});
    if (end - first > 1) {
      steps.push_back({entry.x, low, false});
      steps.push_back({entry.x, high, true});
      steps.push_back({exit.x, exit.y, false});
    }
    first = end;
  }
  return steps;
}

}  // namespace telvoran
