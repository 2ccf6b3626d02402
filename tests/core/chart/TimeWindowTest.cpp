#include "core/chart/TimeWindow.h"

#include <gtest/gtest.h>

namespace telvoran {
namespace {

const TimeSpan kDay{0, 86'400};

TEST(TimeWindow, StartsShowingEverythingAndComesBackToIt) {
  TimeWindow window(kDay);
  EXPECT_EQ(window.Visible(), kDay);
  EXPECT_TRUE(window.ShowsAll());
  window.Zoom(43'200, 0.5);
  EXPECT_FALSE(window.ShowsAll());
  window.ShowAll();
  EXPECT_EQ(window.Visible(), kDay);
}

TEST(TimeWindow, ZoomKeepsTheAnchorInPlace) {
  TimeWindow window(kDay);
  window.Zoom(21'600, 0.5);  // a quarter from the left stays a quarter from the left
  EXPECT_EQ(window.Visible(), (TimeSpan{10'800, 54'000}));
  window.Zoom(21'600, 4);  // beyond the whole day: the whole day
  EXPECT_EQ(window.Visible(), kDay);
  window.Zoom(100, 1e-9);
  EXPECT_DOUBLE_EQ(window.Visible().Length(), TimeWindow::kShortestSpan);
  EXPECT_GE(window.Visible().from, 0);
}

TEST(TimeWindow, MovingStopsAtTheEdgesOfTheWholeSpan) {
  TimeWindow window(kDay);
  window.Show({40'000, 50'000});
  window.Move(5000);
  EXPECT_EQ(window.Visible(), (TimeSpan{45'000, 55'000}));
  window.Move(1e9);
  EXPECT_EQ(window.Visible(), (TimeSpan{76'400, 86'400}));
  window.Move(-1e9);
  EXPECT_EQ(window.Visible(), (TimeSpan{0, 10'000}));
}

TEST(TimeWindow, ShownSpansAreKeptInsideAndLongEnough) {
  TimeWindow window(kDay);
  window.Show({50'000, 40'000});
  EXPECT_EQ(window.Visible(), (TimeSpan{40'000, 50'000})) << "ends given the wrong way round";
  window.Show({-5000, 1000});
  EXPECT_EQ(window.Visible(), (TimeSpan{0, 6000}));
  window.Show({500, 501});
  EXPECT_EQ(window.Visible(), (TimeSpan{495.5, 505.5}));
}

TEST(TimeWindow, ALoneMomentIsShownWithinAMinuteAroundIt) {
  TimeWindow window({1000, 1000});
  EXPECT_EQ(window.Visible(), (TimeSpan{970, 1030}));
  TimeWindow halfMinute({1000, 1030});
  EXPECT_EQ(halfMinute.Visible(), (TimeSpan{985, 1045}));
  TimeWindow empty({});
  EXPECT_EQ(empty.Visible().Length(), TimeWindow::kShortestWhole);
}

}  // namespace
}  // namespace telvoran
