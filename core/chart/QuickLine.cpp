#include "core/chart/QuickLine.h"

#include <algorithm>
#include <cmath>

namespace telvoran {

QuickLine QuickLineOf(std::span<const LinePoint> points) {
  QuickLine line;
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
    // A stroke from the column just left of this one only reaches the height it comes from.
    const bool fromNeighbour = entry.joinsPrevious && std::floor(points[first - 1].x) == column - 1;
    if (fromNeighbour) {
      low = std::min(low, points[first - 1].y);
      high = std::max(high, points[first - 1].y);
    }
    // A stroke from further away is drawn as a line.
    if (!fromNeighbour) line.steps.push_back({entry.x, entry.y, entry.joinsPrevious});
    if (fromNeighbour || end - first > 1) {
      line.bars.push_back({static_cast<int>(column), low, high});
      line.steps.push_back({exit.x, exit.y, false});
    }
    first = end;
  }
  return line;
}

}  // namespace telvoran
