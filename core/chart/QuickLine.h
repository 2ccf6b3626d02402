#pragma once

#include <span>
#include <vector>

namespace telvoran {

// A point of a line as drawn, in pixels.
struct LinePoint {
  double x = 0;
  double y = 0;
  bool joinsPrevious = false;  // a line leads to it from the point before
};

// One step of drawing a line: move the pen to a point, or draw on to it.
struct LineStep {
  double x = 0;
  double y = 0;
  bool draws = false;

  friend bool operator==(const LineStep&, const LineStep&) = default;
};

// The steps of a line drawn quickly, while the chart moves: where several joined points fall
// into one pixel column, a line through all of them covers that column from its lowest to its
// highest point, so one vertical stroke from the lowest to the highest replaces the strokes
// between them, and the line goes on from the last of them. The pixels drawn without
// anti-aliasing stay nearly the same; there are about half as many to draw. A point that joins
// nothing stays a lone move, for its owner to mark as a dot.
std::vector<LineStep> QuickLine(std::span<const LinePoint> points);

}  // namespace telvoran
