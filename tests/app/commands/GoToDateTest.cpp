// Going to a date: where the command is on, the row a view sorted by date jumps to, and the
// moment a chart is centred on, as near as its span allows.
#include <QAction>
#include <QListView>

#include <gtest/gtest.h>

#include "app/chart/ChannelChartWindow.h"
#include "app/chart/ChartTestSupport.h"
#include "app/chart/TimeChartView.h"
#include "app/commands/GoToDate.h"

namespace telvoran {
namespace {

using enum CommandId;
using enum Place;

using namespace test;

class GoToDateTest : public ChartFixture {
 protected:
  // One record a minute from 2005-03-14 00:00 for an hour.
  DataView* OpenHour() {
    std::vector<std::string> values(60, "  1.0  2.0  3.0  4.0");
    return Open(dir.Write("day.czt", FourChannelArchive(values)));
  }
  static QDateTime At(int hour, int minute, int second = 0) {
    return QDateTime(QDate(2005, 3, 14), QTime(hour, minute, second), Qt::UTC);
  }
  static double Seconds(int hour, int minute) {
    return static_cast<double>(commands::ToArchiveSeconds(At(hour, minute)));
  }
  bool On() const {
    EXPECT_EQ(main.Item({kGoToDate, kMenu})->isEnabled(),
              main.Item({kGoToDate, kPopUp})->isEnabled());
    return main.Item({kGoToDate, kMenu})->isEnabled();
  }
};

TEST_F(GoToDateTest, ViewSortedByDateShowsTheNearestRowAndIsOffWhenSortedOtherwise) {
  EXPECT_FALSE(On());
  EXPECT_EQ(main.Item({kGoToDate, kMenu})->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_G));
  EXPECT_EQ(main.Item({kGoToDate, kMenu})->text(), "S325");
  DataView* view = OpenHour();
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(On());

  view->List()->setCurrentIndex(view->List()->model()->index(5, 0));
  dialogs.dateAnswers.push_back(At(0, 31, 40));
  main.Item({kGoToDate, kMenu})->trigger();
  EXPECT_EQ(Asked(), QStringList({"date:S325|S327|2005-03-14T00:05:00Z"}));
  EXPECT_EQ(view->List()->currentIndex().row(), 32);

  // Cancelled, nothing moves; a moment after the last row goes to the last row.
  dialogs.dateAnswers.push_back(std::nullopt);
  main.Item({kGoToDate, kMenu})->trigger();
  EXPECT_EQ(view->List()->currentIndex().row(), 32);
  dialogs.dateAnswers.push_back(At(23, 0));
  main.Item({kGoToDate, kPopUp})->trigger();
  EXPECT_EQ(view->List()->currentIndex().row(), 59);
  Asked();

  view->SortBy(2);
  EXPECT_FALSE(On());
  main.GoToDate();
  EXPECT_TRUE(Asked().isEmpty()) << "no dialog for a view sorted by a channel";
  view->SortBy(1);
  EXPECT_TRUE(On());
}

TEST_F(GoToDateTest, ChartIsCentredOnTheMomentWithinItsSpan) {
  ASSERT_NE(OpenHour(), nullptr);
  auto* chart = Chart<ChannelChartWindow>();
  ASSERT_NE(chart, nullptr);
  EXPECT_TRUE(On());
  chart->View()->Show({Seconds(0, 10), Seconds(0, 20)});

  dialogs.dateAnswers.push_back(At(0, 40));
  main.GoToDate();
  EXPECT_EQ(Asked(), QStringList({"date:S325|S327|2005-03-14T00:15:00Z"}));
  EXPECT_EQ(chart->View()->Window().Visible(), TimeSpan({Seconds(0, 35), Seconds(0, 45)}));

  // Before the first record: as near as the chart goes, the length kept.
  dialogs.dateAnswers.push_back(At(0, 0).addDays(-3));
  main.GoToDate();
  EXPECT_EQ(chart->View()->Window().Visible(), TimeSpan({Seconds(0, 0), Seconds(0, 10)}));
}

TEST(GoToDateTimes, ConvertBothWaysOnTheArchivesClockAndMakeDialogTitles) {
  for (ArchiveSeconds seconds : {ArchiveSeconds{0}, ArchiveSeconds{163'987'199},
                                 ToArchiveSeconds({2024, 2, 29, 23, 59, 59})}) {
    EXPECT_EQ(commands::ToArchiveSeconds(commands::ToQDateTime(seconds)), seconds);
  }
  EXPECT_EQ(commands::ToQDateTime(ToArchiveSeconds({2005, 3, 27, 2, 30, 0})).toString(Qt::ISODate),
            "2005-03-27T02:30:00Z")
      << "an hour that daylight saving skips elsewhere";
  EXPECT_EQ(commands::DialogTitleOf("Przejdź do &daty..."), QString::fromUtf8("Przejdź do daty"));
  EXPECT_EQ(commands::DialogTitleOf("S325"), "S325");
}

}  // namespace
}  // namespace telvoran
