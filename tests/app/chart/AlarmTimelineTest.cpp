// The alarm timeline of an event view: its lanes, their fills and what resting the pointer shows.
#include <QCategoryAxis>
#include <QChart>
#include <QLegend>

#include <gtest/gtest.h>

#include "app/chart/AlarmTimelineWindow.h"
#include "app/chart/ChartTestSupport.h"
#include "app/chart/LanesItem.h"
#include "app/chart/SituationKey.h"
#include "app/chart/TimeChartView.h"
#include "core/rows/EventRows.h"

namespace telvoran {
namespace {

using namespace test;

const ArchiveSeconds kStart = ToArchiveSeconds({2005, 1, 3, 7, 0, 0});

ArchiveRecord Event(int central, char channel, int hours, char code) {
  return MakeRecord(std::string(1, static_cast<char>(central + 10)) +
                        DateBytesOf(kStart + 3600 * hours) + channel + code + " 45.0WodadegC",
                    kEventKind);
}

class AlarmTimelineTest : public ChartFixture {
 protected:
  AlarmTimelineWindow* timeline = nullptr;

  void SetUp() override {
    ChartFixture::SetUp();
    Open(dir.Write("alarm2005.zdr", std::vector{Event(9, '2', 0, 'G'), Event(8, '1', 2, 'H'),
                                                Event(8, '1', 6, 'G'), Event(9, '2', 8, 'W'),
                                                Event(8, '\0', 4, 'F'), Event(9, '2', 10, 'G')}));
    timeline = Chart<AlarmTimelineWindow>();
    ASSERT_NE(timeline, nullptr);
  }

  // A point of the plot area `share` of the way along in time, on lane `lane`.
  QPointF At(double share, std::size_t lane) {
    const QRectF plot = timeline->Chart()->plotArea();
    const double laneHeight =
        plot.height() / static_cast<double>(timeline->Timeline().Lanes().size());
    return {plot.left() + share * plot.width(),
            plot.top() + (static_cast<double>(lane) + 0.5) * laneHeight};
  }
};

// The tip of the row under the pointer stays inside the chart's window, below right of the
// pointer where there is room, else left of or above it.
TEST(TipAnchor, KeepsTheTipInsideTheWindow) {
  const QRect window(100, 50, 800, 400);  // right 899, bottom 449
  const QSize tip(300, 60);
  const struct {
    QPoint pointer;
    QPoint anchor;
  } cases[] = {
      {{200, 100}, {200, 100}},  // room below and right: where Qt puts it
      {{800, 100}, {597, 100}},  // near the right edge: ends at it
      {{200, 420}, {200, 342}},  // near the bottom: above the pointer
      {{850, 440}, {597, 362}},  // the corner: both
  };
  for (const auto& c : cases) {
    const QPoint anchor = TipAnchor(c.pointer, tip, window);
    EXPECT_EQ(anchor, c.anchor) << c.pointer.x() << "," << c.pointer.y();
    const QRect placed(anchor + QPoint(2, 16), tip);
    EXPECT_TRUE(window.contains(placed)) << c.pointer.x() << "," << c.pointer.y();
  }
  // A tip wider than the window starts at its left edge.
  EXPECT_EQ(TipAnchor({500, 100}, QSize(900, 60), window).x() + 2, window.left());
}

TEST_F(AlarmTimelineTest, OneLabelledLanePerCentralUnitAndChannel) {
  EXPECT_EQ(timeline->LaneAxis()->categoriesLabels(),
            (QStringList{"S167 8  S168 #0", "S167 8  S168 1", "S167 9  S168 2"}));
  EXPECT_TRUE(timeline->LaneAxis()->isReverse()) << "the first lane on top";
}

// The key names every situation, those drawn on the window background too, and wraps its rows
// rather than cutting a text.
TEST_F(AlarmTimelineTest, TheKeyNamesEverySituationInRowsThatWrap) {
  QStringList names;
  for (const SituationKey::Entry& entry : timeline->Key().Entries()) names << entry.text;
  EXPECT_EQ(names, QStringList({"S160", "S161", "S162", "S163", "S164", "S165", "S166"}));
  EXPECT_FALSE(timeline->Chart()->legend()->isVisible());

  const QString longText = "Uszkodzenie czujnika lub toru pomiarowego";
  SituationKey key({{Qt::green, Qt::darkGreen, longText},
                    {Qt::red, Qt::darkRed, longText},
                    {Qt::white, Qt::gray, longText}},
                   QFont());
  const double oneRow = key.LayOut(100'000);
  EXPECT_EQ(key.Rows(), 1);
  const double wrapped = key.LayOut(key.boundingRect().width() * 3 / 4);
  EXPECT_EQ(key.Rows(), 2);
  EXPECT_DOUBLE_EQ(wrapped, 2 * oneRow);
  key.LayOut(10);
  EXPECT_EQ(key.Rows(), 3) << "an entry wider than the rows gets a row of its own";
}

TEST_F(AlarmTimelineTest, LanesAreFilledInTheSituationColoursUntilTheNextEvent) {
  // Ten hours in the plot's width; lane "8 1": nothing before hour 2, high alarm to hour 6,
  // then normal to the end.
  const LaneDrawing& drawing = timeline->Lanes().Drawing(1);
  ASSERT_EQ(drawing.runs.size(), 2u);
  EXPECT_EQ(drawing.runs[0].colourDigit, '2');
  EXPECT_EQ(drawing.runs[1].colourDigit, '0');
  const int columns = static_cast<int>(std::ceil(timeline->Chart()->plotArea().width()));
  EXPECT_NEAR(drawing.runs[0].firstColumn, columns * 0.2, 1);
  EXPECT_NEAR(drawing.runs[1].firstColumn, columns * 0.6, 1);
  EXPECT_EQ(drawing.runs[1].lastColumn, columns - 1);
  EXPECT_EQ(drawing.markColumns.size(), 2u);
  // The failure of central unit 8 is drawn on the window background.
  ASSERT_EQ(timeline->Lanes().Drawing(0).runs.size(), 1u);
  EXPECT_EQ(timeline->Lanes().Drawing(0).runs[0].colourDigit, '\0');
}

TEST_F(AlarmTimelineTest, RestingOnALaneShowsTheRowOfTheEventThatHoldsThere) {
  const RowText high = EventRow(Event(8, '1', 2, 'H'), 1, strings);
  EXPECT_EQ(timeline->TextAt(At(0.3, 1)),
            QString::fromLatin1(EventDisplayText(high.Text(), 1)) + "\nS2362005-01-03 13:00:00");
  EXPECT_TRUE(timeline->TextAt(At(0.1, 1)).isEmpty()) << "before the lane's first event";
  EXPECT_TRUE(timeline->TextAt(At(0.9, 2)).startsWith("2005-01-03  15:00:00    9"));
  EXPECT_TRUE(timeline->TextAt(At(0.9, 2)).endsWith("S2362005-01-03 17:00:00"));
}

TEST_F(AlarmTimelineTest, ZoomingRedrawsTheLanesForTheVisibleSpan) {
  timeline->View()->Show({kStart + 3600.0, kStart + 3 * 3600.0});
  const LaneDrawing& drawing = timeline->Lanes().Drawing(1);
  const int columns = static_cast<int>(std::ceil(timeline->Chart()->plotArea().width()));
  ASSERT_EQ(drawing.runs.size(), 1u);
  EXPECT_NEAR(drawing.runs[0].firstColumn, columns * 0.5, 1);
  EXPECT_EQ(drawing.runs[0].lastColumn, columns - 1);
}

}  // namespace
}  // namespace telvoran
