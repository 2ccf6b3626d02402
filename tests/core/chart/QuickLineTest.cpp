#include "core/chart/QuickLine.h"

#include <gtest/gtest.h>

#include <vector>

namespace telvoran {

void PrintTo(const LineStep& step, std::ostream* out) {
  *out << (step.draws ? "line " : "move ") << step.x << ',' << step.y;
}

void PrintTo(const LineBar& bar, std::ostream* out) {
  *out << "bar " << bar.column << ':' << bar.low << '-' << bar.high;
}

namespace {

using Steps = std::vector<LineStep>;
using Bars = std::vector<LineBar>;

TEST(QuickLine, JoinedPointsOfOnePixelColumnBecomeOneBarFromLowestToHighest) {
  // One column's first, lowest, highest and last value.
  const std::vector<LinePoint> points{
      {10.2, 50, false}, {10.4, 90, true}, {10.6, 5, true}, {10.9, 40, true}};
  const QuickLine line = QuickLineOf(points);
  EXPECT_EQ(line.bars, (Bars{{10, 5, 90}}));
  EXPECT_EQ(line.steps, (Steps{{10.2, 50, false}, {10.9, 40, false}}))
      << "the line goes on from the column's last point";
}

TEST(QuickLine, AStrokeFromTheNeighbouringColumnStretchesTheBar) {
  // Column 10 ends at 40; column 11 holds one point at 60, column 12 two points.
  const std::vector<LinePoint> points{
      {10.2, 50, false}, {10.9, 40, true}, {11.3, 60, true}, {12.1, 70, true}, {12.5, 65, true}};
  const QuickLine line = QuickLineOf(points);
  EXPECT_EQ(line.bars, (Bars{{10, 40, 50}, {11, 40, 60}, {12, 60, 70}}));
  EXPECT_EQ(line.steps,
            (Steps{{10.2, 50, false}, {10.9, 40, false}, {11.3, 60, false}, {12.5, 65, false}}))
      << "no strokes between neighbouring columns";
}

TEST(QuickLine, PointsFurtherApartAreJoinedByLines) {
  const std::vector<LinePoint> points{
      {1, 10, false}, {5, 20, true}, {9.5, 0, true}, {9.7, 8, true}};
  const QuickLine line = QuickLineOf(points);
  EXPECT_EQ(line.steps, (Steps{{1, 10, false}, {5, 20, true}, {9.5, 0, true}, {9.7, 8, false}}));
  EXPECT_EQ(line.bars, (Bars{{9, 0, 8}}));
  EXPECT_TRUE(QuickLineOf({}).steps.empty());
}

TEST(QuickLine, AGapSplitsAColumnAndALonePointStaysAMove) {
  // 3.1 joins 3.0; 3.5 follows a gap; 7 is alone between gaps; 8.2 follows a gap too.
  const std::vector<LinePoint> points{
      {3.0, 1, false}, {3.1, 9, true}, {3.5, 4, false}, {7, 2, false}, {8.2, 6, false}};
  const QuickLine line = QuickLineOf(points);
  EXPECT_EQ(line.bars, (Bars{{3, 1, 9}}));
  EXPECT_EQ(
      line.steps,
      (Steps{{3.0, 1, false}, {3.1, 9, false}, {3.5, 4, false}, {7, 2, false}, {8.2, 6, false}}));
}

TEST(QuickLine, ColumnsAreWholePixelsAlsoLeftOfZero) {
  const std::vector<LinePoint> points{{-0.5, 1, false}, {-0.2, 7, true}, {0.1, 3, true}};
  const QuickLine line = QuickLineOf(points);
  EXPECT_EQ(line.bars, (Bars{{-1, 1, 7}, {0, 3, 7}}));
}

}  // namespace
}  // namespace telvoran
