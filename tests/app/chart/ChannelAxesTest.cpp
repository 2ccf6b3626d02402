// The channels' unit axes that both channel charts share: labels, colours, the scale of an axis
// over its shown channels and where a value lies on it. Legend clicks are checked through the
// channel chart.
#include <QChart>
#include <QGraphicsRectItem>
#include <QLineSeries>
#include <QValueAxis>

#include <gtest/gtest.h>

#include "app/chart/ChannelAxes.h"
#include "core/chart/NiceScale.h"

namespace telvoran {
namespace {

using Range = ChannelAxes::ValueRange;

struct Axes {
  QChart chart;
  QValueAxis* time = new QValueAxis;
  QGraphicsRectItem* plot = new QGraphicsRectItem(&chart);
  ChannelAxes axes;

  // Channels T1 (1 decimal) and T2 (2 decimals) in degC, P1 in kPa.
  explicit Axes(bool colourLoneAxes = true)
      : axes((chart.addAxis(time, Qt::AlignBottom), chart), *time, *plot,
             {{{"T1", "degC", 1}, "T1", Qt::blue},
              {{"T2", "degC", 2}, "T2", Qt::red},
              {{"P1", "kPa", 0}, "P1", Qt::green}},
             colourLoneAxes, chart, [](int) {}) {}
};

TEST(ChannelAxesTest, AxesTakeTheMostDecimalsAndALoneChannelsColourOnlyWhenAsked) {
  Axes coloured;
  EXPECT_EQ(coloured.axes.AxisOf(0)->labelFormat(), "%.2f");
  EXPECT_EQ(coloured.axes.AxisOf(2)->labelFormat(), "%.0f");
  EXPECT_EQ(coloured.axes.AxisOf(2)->labelsColor(), QColor(Qt::green));
  EXPECT_NE(coloured.axes.AxisOf(0)->labelsColor(), QColor(Qt::blue)) << "a shared axis";
  Axes plain(false);
  EXPECT_NE(plain.axes.AxisOf(2)->labelsColor(), QColor(Qt::green));
}

TEST(ChannelAxesTest, AnAxisSpansItsShownChannelsAndKeepsItsRangeWithNone) {
  const Range none;
  struct Case {
    const char* what;
    Range t1, t2;
    bool t2Shown;
    Range expected;  // before the room and rounding; none: the range set before stays
  } cases[] = {
      {"both", {10, 20}, {15, 30}, true, {10, 30}},
      {"T2 hidden", {10, 20}, {15, 30}, false, {10, 20}},
      {"T1 has no values", none, {15, 30}, true, {15, 30}},
      {"one value", {12, 12}, none, true, {12, 12}},
      {"no values", none, none, true, none},
      {"the only values hidden", none, {15, 30}, false, none},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Axes a;
    a.axes.AxisOf(0)->setRange(-7, 7);
    a.axes.SetShown(1, c.t2Shown);
    a.axes.Scale({c.t1, c.t2, {0, 1}});
    if (c.expected.low > c.expected.high) {
      EXPECT_EQ(a.axes.AxisOf(0)->min(), -7);
      EXPECT_EQ(a.axes.AxisOf(0)->max(), 7);
      continue;
    }
    const double room = (c.expected.high - c.expected.low) * 0.05;
    const AxisScale scale = NiceScale(c.expected.low - room, c.expected.high + room, 7);
    EXPECT_EQ(a.axes.AxisOf(0)->min(), scale.minimum);
    EXPECT_EQ(a.axes.AxisOf(0)->max(), scale.maximum);
    EXPECT_EQ(a.axes.AxisOf(0)->tickCount(), scale.ticks);
  }
}

TEST(ChannelAxesTest, AValueLiesOnItsChannelsAxisInThePlot) {
  Axes a;
  a.axes.AxisOf(0)->setRange(0, 100);
  a.axes.AxisOf(2)->setRange(5, 5);
  const QRectF plot(10, 20, 300, 200);
  EXPECT_DOUBLE_EQ(a.axes.YOf(1, 0, plot), 220);
  EXPECT_DOUBLE_EQ(a.axes.YOf(1, 100, plot), 20);
  EXPECT_DOUBLE_EQ(a.axes.YOf(0, 25, plot), 170);
  EXPECT_DOUBLE_EQ(a.axes.YOf(2, 5, plot), 120) << "an axis without a range: the middle";
}

}  // namespace
}  // namespace telvoran
