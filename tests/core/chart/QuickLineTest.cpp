#include "core/chart/QuickLine.h"

#include <gtest/gtest.h>

#include <vector>

namespace telvoran {

void PrintTo(const LineStep& step, std::ostream* out) {
  *out << (step.draws ? "line " : "move ") << step.x << ',' << step.y;
}

namespace {

TEST(QuickLine, JoinedPointsOfOnePixelColumnBecomeOneStrokeFromLowestToHighest) {
  // One column's first, lowest, highest and last value, then the next column's one point.
  const std::vector<LinePoint> points{
      {10.2, 50, false}, {10.4, 90, true}, {10.6, 5, true}, {10.9, 40, true}, {11.3, 60, true}};
  EXPECT_EQ(QuickLine(points), (std::vector<LineStep>{{10.2, 50, false},
                                                      {10.2, 5, false},
                                                      {10.2, 90, true},
                                                      {10.9, 40, false},
                                                      {11.3, 60, true}}))
      << "the line goes on from the column's last point";
}

TEST(QuickLine, PointsInColumnsOfTheirOwnAreDrawnAsTheyStand) {
  const std::vector<LinePoint> points{{1, 10, false}, {5, 20, true}, {9.5, 0, true}};
  EXPECT_EQ(QuickLine(points),
            (std::vector<LineStep>{{1, 10, false}, {5, 20, true}, {9.5, 0, true}}));
  EXPECT_TRUE(QuickLine({}).empty());
}

TEST(QuickLine, AGapSplitsAColumnAndALonePointStaysAMove) {
  // 3.1 joins 3.0; 3.5 follows a gap; 7 is alone between gaps; 8.2 and 8.7 share a column.
  const std::vector<LinePoint> points{{3.0, 1, false}, {3.1, 9, true},  {3.5, 4, false},
                                      {7, 2, false},   {8.2, 6, false}, {8.7, 3, true}};
  EXPECT_EQ(QuickLine(points), (std::vector<LineStep>{{3.0, 1, false},
                                                      {3.0, 1, false},
                                                      {3.0, 9, true},
                                                      {3.1, 9, false},
                                                      {3.5, 4, false},
                                                      {7, 2, false},
                                                      {8.2, 6, false},
                                                      {8.2, 3, false},
                                                      {8.2, 6, true},
                                                      {8.7, 3, false}}));
}

TEST(QuickLine, ColumnsAreWholePixelsAlsoLeftOfZero) {
  const std::vector<LinePoint> points{{-0.5, 1, false}, {-0.2, 7, true}, {0.1, 3, true}};
  EXPECT_EQ(
      QuickLine(points),
      (std::vector<LineStep>{
          {-0.5, 1, false}, {-0.5, 1, false}, {-0.5, 7, true}, {-0.2, 7, false}, {0.1, 3, true}}));
}

}  // namespace
}  // namespace telvoran
