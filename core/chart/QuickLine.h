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

// A pixel column of a line filled from `low` to `high`.
struct LineBar {
  int column = 0;
  double low = 0;
  double high = 0;

  friend bool operator==(const LineBar&, const LineBar&) = default;
};

// A line drawn quickly, while the chart moves: where joined points crowd into one pixel column,
// a line through them covers that column from its lowest to its highest point, and the stroke
// from the point before, one column to the left, adds only that point's height. Such a column
// becomes one bar, filled at once; only strokes between points further apart are drawn as
// lines. Without anti-aliasing the pixels stay nearly those of the full line, with far less
// work. A point that joins nothing stays a lone move, for its owner to mark as a dot.
struct QuickLine {
  std::vector<LineStep> steps;
  std::vector<LineBar> bars;
};

QuickLine QuickLineOf(std::span<const LinePoint> points);

}  // namespace telvoran
