// While a chart moves through time it draws lightly; once it settles, and in whatever is exported
// or printed, it draws in full, exactly as Qt draws the line.
#include <QGraphicsPathItem>
#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <QStyleOptionGraphicsItem>
#include <QTest>

#include <gtest/gtest.h>

#include "app/chart/AlarmTimelineWindow.h"
#include "app/chart/ChannelChartWindow.h"
#include "app/chart/ChannelLineItem.h"
#include "app/chart/ChartTestSupport.h"
#include "app/chart/LanesItem.h"
#include "app/chart/TimeChartView.h"

namespace telvoran {
namespace {

using namespace test;

class ChartMovingTest : public ChartFixture {
 protected:
  ChannelChartWindow* chart = nullptr;

  void SetUp() override {
    ChartFixture::SetUp();
    std::vector<std::string> values;
    for (int i = 0; i < 3000; ++i) {
      char text[32];
      std::snprintf(text, sizeof text, "%5.1f%5.1f%5.1f%5.1f", 20 + (i * 7 % 37) / 10.0,
                    21 + (i % 23) / 10.0, 100 + (i * 13 % 50) / 10.0, (i % 80) / 4.0);
      values.push_back(i % 97 == 5 ? "" : text);
    }
    Open(dir.Write("2005-03-14_C07.czt", FourChannelArchive(values)));
    chart = Chart<ChannelChartWindow>();
    ASSERT_NE(chart, nullptr);
    chart->resize(700, 480);
    QApplication::processEvents();
  }

  TimeChartView& View() { return *chart->View(); }
  bool Antialiased() { return View().renderHints().testFlag(QPainter::Antialiasing); }

  QImage Exported() {
    const QString path = QString::fromStdString((dir / "chart.png").string());
    QFile::remove(path);
    dialogs.saveAnswers.push_back({path});
    chart->ExportButton->click();
    return QImage(path);
  }
};

TEST_F(ChartMovingTest, AStepDrawsQuicklyAndAPauseSettlesWithoutComputingAgain) {
  EXPECT_FALSE(View().Moving()) << "a new chart is drawn in full";
  EXPECT_TRUE(Antialiased());
  View().Zoom(View().Window().Whole().from + 600, 0.8);
  EXPECT_TRUE(View().Moving());
  EXPECT_FALSE(Antialiased());
  for (int channel = 0; channel < 4; ++channel) EXPECT_TRUE(chart->Line(channel).Quick());
  const int redraws = chart->Redraws();
  QTRY_VERIFY_WITH_TIMEOUT(!View().Moving(), 2000);
  EXPECT_TRUE(Antialiased());
  for (int channel = 0; channel < 4; ++channel) EXPECT_FALSE(chart->Line(channel).Quick());
  EXPECT_EQ(chart->Redraws(), redraws) << "settling repaints what was computed";
}

TEST_F(ChartMovingTest, ADragKeepsMovingWhileTheButtonIsHeld) {
  const QRectF plot = chart->Chart()->plotArea();
  const QPoint at = View().mapFromScene(chart->Chart()->mapToScene(plot.center()));
  View().Zoom(View().Window().Whole().from + 600, 0.5);
  QTest::mousePress(View().viewport(), Qt::LeftButton, Qt::NoModifier, at);
  QTest::mouseMove(View().viewport(), at + QPoint(40, 0));
  ASSERT_TRUE(View().Moving());
  QTest::qWait(600);
  EXPECT_TRUE(View().Moving()) << "a pause with the button held is no end of the drag";
  QTest::mouseRelease(View().viewport(), Qt::LeftButton, Qt::NoModifier, at + QPoint(40, 0));
  QTRY_VERIFY_WITH_TIMEOUT(!View().Moving(), 2000);
}

TEST_F(ChartMovingTest, AnExportWhileMovingIsTheSettledPicture) {
  const TimeSpan whole = View().Window().Whole();
  const TimeSpan part{whole.from + 3000, whole.from + 90'000};
  View().Show(part);
  View().Settle();
  const QImage settled = Exported();
  ASSERT_FALSE(settled.isNull());
  View().Show(part);
  ASSERT_TRUE(View().Moving());
  const QImage moving = Exported();
  EXPECT_FALSE(View().Moving()) << "the export settled the view first";
  EXPECT_TRUE(moving == settled);

  View().ShowAll();
  View().Settle();
  const QImage whole1 = Exported();
  View().Zoom(whole.from + 600, 0.5);
  View().Move(3600);
  View().ShowAll();
  View().Settle();
  EXPECT_TRUE(Exported() == whole1) << "zooming and moving leave no trace once settled";
}

class TimelineMovingTest : public ChartFixture {
 protected:
  AlarmTimelineWindow* timeline = nullptr;
  const ArchiveSeconds start = ToArchiveSeconds({2005, 1, 3, 7, 0, 0});

  ArchiveRecord Event(int central, char channel, int minutes, char code) {
    return MakeRecord(std::string(1, static_cast<char>(central + 10)) +
                          DateBytesOf(start + 60 * minutes) + channel + code + " 45.0WodadegC",
                      kEventKind);
  }

  void SetUp() override {
    ChartFixture::SetUp();
    // Three lanes: alarms of a few minutes among normal states, a fault, an outlined state.
    std::vector<ArchiveRecord> records;
    const char codes[] = "GHGLGMGWGOG";
    for (int minute = 0; minute < 600; minute += 7)
      for (int lane = 0; lane < 3; ++lane)
        records.push_back(Event(8 + lane, '1', minute + lane, codes[(minute / 7 + lane) % 11]));
    Open(dir.Write("alarm2005.zdr", records));
    timeline = Chart<AlarmTimelineWindow>();
    ASSERT_NE(timeline, nullptr);
    timeline->resize(700, 420);
    QApplication::processEvents();
  }

  TimeChartView& View() { return *timeline->View(); }

  QImage Exported() {
    const QString path = QString::fromStdString((dir / "timeline.png").string());
    QFile::remove(path);
    dialogs.saveAnswers.push_back({path});
    timeline->ExportButton->click();
    return QImage(path);
  }

  // The colour at the middle of the band of `lane`, `share` of the way along the plot.
  QRgb BandColour(const QImage& shown, std::size_t lane, double share) {
    const QRectF plot = timeline->Chart()->plotArea();
    const double height = plot.height() / static_cast<double>(timeline->Timeline().Lanes().size());
    const QPointF at(plot.left() + share * plot.width(),
                     plot.top() + (static_cast<double>(lane) + 0.5) * height);
    return shown.pixel(View().mapFromScene(timeline->Chart()->mapToScene(at)));
  }
};

TEST_F(TimelineMovingTest, LanesPaintQuicklyWithTheSameColoursAndExportInFull) {
  const TimeSpan whole = View().Window().Whole();
  const TimeSpan part{whole.from + 3600, whole.from + 3 * 3600};
  View().Show(part);
  View().Settle();
  EXPECT_FALSE(timeline->Lanes().Quick());
  const QImage settledView = View().grab().toImage();
  const QImage settled = Exported();
  ASSERT_FALSE(settled.isNull());

  View().Show(part);
  ASSERT_TRUE(timeline->Lanes().Quick());
  const QImage quickView = View().grab().toImage();
  int compared = 0;
  for (std::size_t lane = 0; lane < 3; ++lane)
    for (double share = 0.03; share < 1; share += 0.0101) {
      const QRgb full = BandColour(settledView, lane, share);
      // Next to a mark or an edge the two may differ by a pixel: only the inside of a run counts.
      if (full != BandColour(settledView, lane, share - 0.004) ||
          full != BandColour(settledView, lane, share + 0.004))
        continue;
      ++compared;
      EXPECT_EQ(BandColour(quickView, lane, share), full) << "lane " << lane << " at " << share;
    }
  EXPECT_GT(compared, 100);

  EXPECT_TRUE(Exported() == settled) << "an export while moving is the settled picture";
  EXPECT_FALSE(timeline->Lanes().Quick());
}

// At rest the line is Qt's own path item's drawing, pixel for pixel.
TEST(ChannelLineItem, PaintsAtRestAsQtsPathItemAndQuicklyFromItsQuickPath) {
  QPainterPath full;
  full.moveTo(3.3, 40);
  for (int i = 1; i < 400; ++i) full.lineTo(3.3 + i * 0.37, 40 + 30 * std::sin(i * 1.7));
  full.addEllipse(QPointF(100, 20), 1.5, 1.5);
  QPainterPath quick;
  quick.moveTo(10, 10);
  quick.lineTo(10, 70);
  QPen pen(QColor(31, 119, 180), 1);
  pen.setCosmetic(true);

  auto paint = [&](QGraphicsItem& item, bool antialiased) {
    QImage image(200, 100, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, antialiased);
    QStyleOptionGraphicsItem option;
    item.paint(&painter, &option, nullptr);
    return image;
  };
  QGraphicsPathItem qts(full);
  qts.setPen(pen);
  ChannelLineItem line(nullptr);
  line.setPen(pen);
  line.SetPaths(full, quick);
  for (bool antialiased : {true, false})
    EXPECT_TRUE(paint(line, antialiased) == paint(qts, antialiased));
  EXPECT_TRUE(line.boundingRect().contains(qts.path().controlPointRect()));

  line.SetPaths(full, quick, {QRectF(150, 20, 1, 41)});
  line.SetQuick(true);
  QGraphicsPathItem quickItem(quick);
  quickItem.setPen(pen);
  const QImage quickly = paint(line, false);
  QImage expected = paint(quickItem, false);
  QPainter(&expected).fillRect(150, 20, 1, 41, pen.color());
  EXPECT_TRUE(quickly == expected) << "the strokes, then each bar filled";
  EXPECT_EQ(quickly.pixelColor(150, 60), pen.color());
  EXPECT_EQ(quickly.pixelColor(150, 61), QColor(Qt::white));
}

}  // namespace
}  // namespace telvoran
