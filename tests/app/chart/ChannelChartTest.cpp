// The chart of an interval view: axes by unit, the legend, the statistics of the visible span,
// hiding a channel and the cursor.
#include <QChart>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPushButton>
#include <QTest>
#include <QValueAxis>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include "app/chart/ChannelChartWindow.h"
#include "app/chart/ChartTestSupport.h"
#include "app/chart/StatisticsTable.h"
#include "app/chart/TimeChartView.h"

namespace telvoran {
namespace {

using namespace test;
using Column = StatisticsTable::Column;

class ChannelChartTest : public ChartFixture {
 protected:
  ChannelChartWindow* chart = nullptr;

  // Minute:      T1     T2     P1     Q1
  void SetUp() override {
    ChartFixture::SetUp();
    Open(dir.Write("2005-03-14_C07.czt", FourChannelArchive({
                                             " 21.5 22,0100.0 12.5",  // 00:00
                                             " 19.0     100.5 12.5",  // 00:01: T2 blank
                                             " 23.5 20,5 ERR  12.5",  // 00:02: P1 not a number
                                             " 19.0 21,0101.0 12.5",  // 00:03
                                         })));
    chart = Chart<ChannelChartWindow>();
    ASSERT_NE(chart, nullptr);
  }

  QString Cell(int channel, Column column) { return chart->Statistics()->Cell(channel, column); }
  double Minute(int minute) { return static_cast<double>(SeriesStart() + 60 * minute); }
};

TEST_F(ChannelChartTest, ChannelsOfOneUnitShareAnAxisTitledWithNamesAndUnit) {
  EXPECT_EQ(chart->AxisOf(0), chart->AxisOf(1));
  EXPECT_NE(chart->AxisOf(0), chart->AxisOf(2));
  EXPECT_NE(chart->AxisOf(2), chart->AxisOf(3));
  EXPECT_EQ(chart->AxisOf(0)->titleText(), "T1, T2 [degC]");
  EXPECT_EQ(chart->AxisOf(2)->titleText(), "P1 [kPa]");
  EXPECT_EQ(chart->AxisOf(3)->titleText(), "Q1 [m3/h]");
  EXPECT_EQ(chart->AxisOf(0)->alignment(), Qt::AlignLeft);
  EXPECT_EQ(chart->AxisOf(2)->alignment(), Qt::AlignRight);
  EXPECT_EQ(chart->LegendSeries(0)->name(), "1 T1 [degC]");
  EXPECT_EQ(chart->LegendSeries(3)->name(), "4 Q1 [m3/h]");
  // The axis spans the channels' values, with a little room, in round steps.
  EXPECT_LT(chart->AxisOf(0)->min(), 19.0);
  EXPECT_GE(chart->AxisOf(0)->min(), 18.0);
  EXPECT_GT(chart->AxisOf(0)->max(), 23.5);
  EXPECT_LE(chart->AxisOf(0)->max(), 25.0);
}

// A low window, one of several tiled, keeps the chart at its least height and folds the
// statistics away; a window with room for both shows both.
TEST_F(ChannelChartTest, TheChartKeepsItsHeightAndTheStatisticsFoldOnlyWithoutRoom) {
  main.resize(900, 800);
  for (const int height : {700, 200, 700}) {
    SCOPED_TRACE(height);
    chart->showNormal();
    chart->resize(700, height);
    QApplication::processEvents();
    EXPECT_GE(chart->View()->height(), ChannelChartWindow::kChartMinimumHeight);
    EXPECT_EQ(chart->Statistics()->isVisible(), height == 700);
  }
}

TEST_F(ChannelChartTest, StatisticsOfTheWholeSpanLeaveGapsOut) {
  EXPECT_EQ(Cell(0, Column::kCount), "4");
  EXPECT_EQ(Cell(0, Column::kMinimum), "19.0");
  EXPECT_EQ(Cell(0, Column::kMinimumTime), "2005-03-14 00:01:00");
  EXPECT_EQ(Cell(0, Column::kMaximum), "23.5");
  EXPECT_EQ(Cell(0, Column::kMaximumTime), "2005-03-14 00:02:00");
  EXPECT_EQ(Cell(0, Column::kMean), "20.75");
  EXPECT_EQ(Cell(1, Column::kCount), "3") << "a blank value is left out";
  EXPECT_EQ(Cell(1, Column::kMinimum), "20,5") << "written with the channel's comma";
  EXPECT_EQ(Cell(2, Column::kCount), "3") << "a value that is not a number is left out";
  EXPECT_EQ(Cell(2, Column::kMaximum), "101.0");
}

TEST_F(ChannelChartTest, StatisticsFollowTheVisibleSpan) {
  chart->View()->Show({Minute(2), Minute(3)});
  EXPECT_EQ(Cell(0, Column::kCount), "2");
  EXPECT_EQ(Cell(0, Column::kMinimum), "19.0");
  EXPECT_EQ(Cell(0, Column::kMinimumTime), "2005-03-14 00:03:00");
  EXPECT_EQ(Cell(2, Column::kCount), "1");
  EXPECT_EQ(Cell(2, Column::kMean), "101.00");
  chart->WholeSpanButton->click();
  EXPECT_EQ(Cell(0, Column::kCount), "4");
  EXPECT_TRUE(chart->View()->Window().ShowsAll());
}

TEST_F(ChannelChartTest, ALegendClickHidesAndShowsItsChannel) {
  const double sharedMaximum = chart->AxisOf(0)->max();
  QLegendMarker* marker = chart->Chart()->legend()->markers(chart->LegendSeries(0)).value(0);
  ASSERT_NE(marker, nullptr);
  const QPen pen = marker->pen();
  const QBrush brush = marker->brush();
  emit marker->clicked();
  EXPECT_FALSE(chart->ChannelShown(0));
  EXPECT_TRUE(marker->isVisible()) << "the entry stays to show the channel again";
  EXPECT_LT(chart->AxisOf(0)->max(), sharedMaximum) << "the shared axis follows T2 alone";
  EXPECT_FALSE(chart->CursorText().contains("T1"));
  chart->ShowCursorAt(Minute(0));
  EXPECT_FALSE(chart->CursorText().contains("T1:"));
  EXPECT_TRUE(chart->CursorText().contains("T2:"));
  EXPECT_NE(marker->pen(), pen) << "greyed while hidden";
  emit marker->clicked();
  EXPECT_TRUE(chart->ChannelShown(0));
  EXPECT_EQ(chart->AxisOf(0)->max(), sharedMaximum);
  EXPECT_EQ(marker->pen(), pen) << "shown again, the entry looks as it did at first";
  EXPECT_EQ(marker->brush(), brush);
}

// An axis shows while one of its channels does; one grid, that of the first axis shown.
TEST_F(ChannelChartTest, AxesFollowTheirChannelsAndOneAxisDrawsTheGrid) {
  auto grids = [this] {
    std::vector<bool> drawn;
    for (int channel : {0, 2, 3}) drawn.push_back(chart->AxisOf(channel)->isGridLineVisible());
    return drawn;
  };
  EXPECT_EQ(grids(), (std::vector<bool>{true, false, false}));
  chart->SetChannelShown(2, false);
  EXPECT_FALSE(chart->AxisOf(2)->isVisible()) << "P1 is its axis's only channel";
  chart->SetChannelShown(0, false);
  EXPECT_TRUE(chart->AxisOf(1)->isVisible()) << "T2 still shows on the shared axis";
  chart->SetChannelShown(1, false);
  EXPECT_FALSE(chart->AxisOf(0)->isVisible());
  EXPECT_EQ(grids(), (std::vector<bool>{false, false, true}));
  for (int channel : {0, 1, 2}) chart->SetChannelShown(channel, true);
  EXPECT_TRUE(chart->AxisOf(2)->isVisible());
  EXPECT_EQ(grids(), (std::vector<bool>{true, false, false}));
}

TEST_F(ChannelChartTest, TheCursorShowsTheNearestRecordsTimeAndValues) {
  EXPECT_TRUE(chart->CursorText().isEmpty());
  chart->ShowCursorAt(Minute(1) + 20);
  EXPECT_EQ(chart->CursorText(), QString("2005-03-14 00:01:00\nT1: 19.0 degC\nT2: \u2014 degC\n"
                                         "P1: 100.5 kPa\nQ1: 12.5 m3/h"));
  chart->ShowCursorAt(Minute(2) - 20);
  EXPECT_TRUE(chart->CursorText().startsWith("2005-03-14 00:02:00\nT1: 23.5 degC\nT2: 20,5 degC"));
}

TEST_F(ChannelChartTest, ZoomAndMoveStayWithinTheArchive) {
  chart->View()->Zoom(Minute(1), 0.5);
  EXPECT_FALSE(chart->View()->Window().ShowsAll());
  chart->View()->Move(1e9);
  EXPECT_EQ(chart->View()->Window().Visible().to, chart->View()->Window().Whole().to);
  EXPECT_GE(chart->View()->Window().Whole().to, Minute(3));
  chart->View()->Zoom(Minute(1), 100);
  EXPECT_TRUE(chart->View()->Window().ShowsAll());
}

TEST_F(ChannelChartTest, TheWheelZoomsAroundThePointerAndTheCursorFollowsIt) {
  const QRectF plot = chart->Chart()->plotArea();
  const QPoint at = chart->View()->mapFromScene(chart->Chart()->mapToScene(plot.center()));
  QWheelEvent wheel(at, chart->View()->viewport()->mapToGlobal(at), QPoint(), QPoint(0, 120),
                    Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(chart->View()->viewport(), &wheel);
  const TimeSpan visible = chart->View()->Window().Visible();
  EXPECT_DOUBLE_EQ(visible.Length(), 0.8 * 180);
  EXPECT_NEAR((visible.from + visible.to) / 2, Minute(1) + 30, 2);
  EXPECT_TRUE(chart->View()->viewport()->hasMouseTracking());
  QTest::mouseMove(chart->View()->viewport(), at);
  EXPECT_TRUE(chart->CursorText().startsWith("2005-03-14 00:01:00\n") ||
              chart->CursorText().startsWith("2005-03-14 00:02:00\n"));
}

TEST_F(ChannelChartTest, DrawingSettlesOnceTheChartIsLaidOut) {
  // Drawing changes the axes, the axes move the plot area, and that asks for a drawing: the
  // chain must end, or the program spins without ever waiting for the user.
  QTest::qWait(200);
  const int settled = chart->Redraws();
  QTest::qWait(300);
  EXPECT_EQ(chart->Redraws(), settled);
  chart->View()->Zoom(Minute(1), 0.5);
  QTest::qWait(200);
  const int zoomed = chart->Redraws();
  EXPECT_LE(zoomed - settled, 3);
  QTest::qWait(300);
  EXPECT_EQ(chart->Redraws(), zoomed);
}

}  // namespace
}  // namespace telvoran
