// The chart of a unit's span of days with its alarm band, and the alarm timeline's way to it.
#include <QApplication>
#include <QLegendMarker>
#include <QLineSeries>

#include <gtest/gtest.h>

#include "app/chart/ChartTestSupport.h"
#include "app/chart/SpanChartWindow.h"
#include "app/chart/TimeChartView.h"
#include "app/commands/ShowSpanChart.h"
#include "core/archive/RecordLayout.h"

namespace telvoran {
namespace {

using namespace test;
constexpr ArchiveSeconds kDay = 24 * 60 * 60;

// An event of unit `unit`, channel `channel`, at `seconds`.
ArchiveRecord Alarm(int unit, char channel, ArchiveSeconds seconds, char code) {
  return MakeRecord(std::string(1, static_cast<char>(unit + 10)) + DateBytesOf(seconds) + channel +
                        code + " 45.0AB  cd  ",
                    kEventKind);
}

class SpanChartTest : public ChartFixture {
 protected:
  // Unit 07's days 2005-03-14, -15 and -17 (the 16th is missing) in a folder of the year, a
  // record an hour, and the alarms of units 7 and 5 beside the year's folder.
  void SetUp() override {
    ChartFixture::SetUp();
    std::filesystem::create_directory(dir / "2005");
    for (int day : {14, 15, 17}) {
      std::vector<ArchiveRecord> records = FourChannelArchive({});
      for (int hour = 0; hour < 24; ++hour)
        records.push_back(IntervalRecordAt(SeriesStart() + (day - 14) * kDay + hour * 3600,
                                           " 21.5 22.0100.0 12.5"));
      days.push_back(dir.Write("2005/2005-03-" + std::to_string(day) + "_C07.czt", records));
    }
    events = dir.Write("alarm2005.zdr",
                       std::vector<ArchiveRecord>{Alarm(7, '1', SeriesStart() + kDay + 7200, 'H'),
                                                  Alarm(5, '1', SeriesStart() + kDay + 7300, 'L'),
                                                  Alarm(7, '1', SeriesStart() + kDay + 9000, 'G')});
  }

  std::vector<std::filesystem::path> days;
  std::filesystem::path events;
};

TEST_F(SpanChartTest, ShowingTheChannelOfAnAlarmWhoseDayIsMissingSaysWhichUnitAndDay) {
  const ArchiveSeconds moment = SeriesStart() + 2 * kDay + 3600;
  EXPECT_EQ(commands::ShowAlarmChannel(main.State(), *main.MdiArea(), events, LaneKey{7, '1'},
                                       static_cast<double>(moment)),
            nullptr);
  const QStringList messages = Asked().filter("message:");
  ASSERT_EQ(messages.size(), 1);
  EXPECT_TRUE(messages[0].endsWith("|S36707S3682005-03-16")) << messages[0].toStdString();
  EXPECT_TRUE(messages[0].contains("alarm2005.zdr")) << "the caption names the event archive";
  EXPECT_EQ(main.MdiArea()->subWindowList().size(), 0);
}

TEST_F(SpanChartTest, ShowingTheChannelOfAnAlarmOpensItsChannelAroundItsMomentWithItsBand) {
  const double moment = static_cast<double>(SeriesStart() + kDay + 7200);
  auto* chart = qobject_cast<SpanChartWindow*>(commands::ShowAlarmChannel(
      main.State(), *main.MdiArea(), events, LaneKey{7, '1'}, moment));
  ASSERT_NE(chart, nullptr);
  QApplication::processEvents();
  EXPECT_TRUE(Asked().isEmpty());
  EXPECT_EQ(chart->Envelope().FileCount(), 2u) << "the day before and the day itself";
  EXPECT_TRUE(chart->SeriesShown(0));
  EXPECT_FALSE(chart->SeriesShown(1));
  const TimeSpan visible = chart->View()->Window().Visible();
  EXPECT_LE(visible.from, moment);
  EXPECT_GE(visible.to, moment);

  // Only unit 7's alarms make the band; resting on one shows its row, a click centres it.
  ASSERT_EQ(chart->Alarms().Lanes().size(), 1u);
  EXPECT_EQ(chart->Alarms().Lanes()[0].events.size(), 2u);
  const QRectF band = chart->BandArea();
  ASSERT_FALSE(band.isEmpty());
  const QPointF onAlarm(chart->View()->XOf(moment + 60), band.center().y());
  EXPECT_TRUE(chart->AlarmTextAt(onAlarm).contains("45.0"));
  EXPECT_TRUE(chart->AlarmTextAt(QPointF(onAlarm.x(), band.top() - 30)).isEmpty());
  chart->View()->Show({moment + 600, moment + 2400});
  const QPointF later(chart->View()->XOf(moment + 1200), band.center().y());
  ASSERT_TRUE(chart->CentreOnAlarmAt(later));
  const TimeSpan centred = chart->View()->Window().Visible();
  EXPECT_NEAR((centred.from + centred.to) / 2, moment, 1);
}

TEST_F(SpanChartTest, TheChartOfASpanViewRunsFromItsFirstDayToItsLast) {
  DaySpan span{"07", "2005-03-14", "2005-03-17", days};
  auto* chart = qobject_cast<SpanChartWindow*>(
      commands::ShowSpanChart(main.State(), *main.MdiArea(), {span, std::nullopt, {}, {}}));
  ASSERT_NE(chart, nullptr);
  EXPECT_EQ(chart->Envelope().FullSpan(),
            (TimeSpan{static_cast<double>(SeriesStart()),
                      static_cast<double>(SeriesStart() + 3 * kDay + 23 * 3600)}));
  EXPECT_EQ(chart->Envelope().SeriesCount(), 4);
  EXPECT_EQ(chart->Alarms().Lanes().size(), 1u) << "the event archive beside the year's folder";
}

}  // namespace
}  // namespace telvoran
