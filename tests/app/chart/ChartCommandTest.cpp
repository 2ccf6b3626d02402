// The chart command: when it can be used, the window it opens and what the main window's
// commands do while a chart window is active.
#include <QAction>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>

#include <gtest/gtest.h>

#include "app/chart/AlarmTimelineWindow.h"
#include "app/chart/ChannelChartWindow.h"
#include "app/chart/ChartTestSupport.h"
#include "app/chart/TimeChartView.h"
#include "app/mainwindow/OpenViewsMenu.h"

namespace telvoran {
namespace {

using enum CommandId;
using enum Place;

using namespace test;
using Item = CommandItem;

class ChartCommandTest : public ChartFixture {
 protected:
  bool Enabled(std::initializer_list<Item> items) {
    return std::all_of(items.begin(), items.end(),
                       [this](Item item) { return main.Item(item)->isEnabled(); });
  }
  bool Disabled(std::initializer_list<Item> items) {
    return std::none_of(items.begin(), items.end(),
                        [this](Item item) { return main.Item(item)->isEnabled(); });
  }
};

const std::initializer_list<Item> kSaveCommands{{kSaveAs, kMenu}, {kSaveAs, kToolBar}};
const std::initializer_list<Item> kChartCommands{
    {kChart, kMenu}, {kChart, kPopUp}, {kChart, kToolBar}};
const std::initializer_list<Item> kCommandsOnAChart{
    {kPrint, kMenu}, {kPrint, kToolBar}, {kPrintSetup, kMenu}, {kNext, kMenu},      {kTile, kMenu},
    {kNext, kPopUp}, {kTile, kPopUp},    {kCascade, kMenu},    {kArrangeAll, kMenu}};

TEST_F(ChartCommandTest, ChartCommandIsInTheWindowMenuThePopUpAndTheToolBar) {
  EXPECT_EQ(main.Item({kChart, kMenu})->text(), "S220");
  EXPECT_EQ(main.Item({kChart, kMenu})->statusTip(), "S221");
  EXPECT_EQ(main.Item({kChart, kPopUp})->text(), "S220");
  EXPECT_EQ(main.Item({kChart, kToolBar})->toolTip(), "S222");
  EXPECT_EQ(main.Item({kChart, kToolBar})->statusTip(), "S221");
  EXPECT_TRUE(main.WindowMenu()->actions().contains(main.Item({kChart, kMenu})));
  EXPECT_TRUE(main.PopupMenu->actions().contains(main.Item({kChart, kPopUp})));
}

TEST_F(ChartCommandTest, CommandsFollowWhetherAViewOrAChartIsActive) {
  EXPECT_TRUE(Disabled(kChartCommands)) << "no view open";
  DataView* view =
      Open(dir.Write("2005-03-14_C07.czt", FourChannelArchive({" 21.5 22.0100.0 12.5"})));
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(Enabled(kChartCommands));

  auto* chart = Chart<ChartWindow>();
  ASSERT_NE(chart, nullptr);
  EXPECT_TRUE(Disabled(kChartCommands)) << "no chart of a chart";
  EXPECT_TRUE(Disabled(kSaveCommands)) << "no text report of a chart";
  EXPECT_TRUE(Enabled(kCommandsOnAChart));

  main.MdiArea()->setActiveSubWindow(view);
  EXPECT_TRUE(main.ViewCommandsEnabled());
  EXPECT_TRUE(Enabled(kChartCommands));

  // With the view closed the chart stays, and so does what acts on it.
  view->close();
  QApplication::processEvents();
  EXPECT_EQ(main.ActiveChild(), chart);
  EXPECT_TRUE(Disabled(kSaveCommands));
  EXPECT_TRUE(Enabled(kCommandsOnAChart));
  EXPECT_EQ(main.ActiveViewKind(), ArchiveKind::Interval);

  chart->close();
  QApplication::processEvents();
  EXPECT_FALSE(main.ViewCommandsEnabled());
  EXPECT_TRUE(Disabled(kChartCommands));
  EXPECT_TRUE(Disabled(kCommandsOnAChart));
}

TEST_F(ChartCommandTest, AnIntervalViewGetsAChannelChartCaptionedLikeTheView) {
  DataView* view =
      Open(dir.Write("2005-03-14_C07.czt", FourChannelArchive({" 21.5 22.0100.0 12.5"})));
  ASSERT_NE(view, nullptr);
  auto* chart = Chart<ChannelChartWindow>();
  ASSERT_NE(chart, nullptr);
  EXPECT_EQ(chart->windowTitle(), view->windowTitle());
  EXPECT_EQ(chart->windowTitle(), "2005-03-14_C07.czt");
  EXPECT_EQ(main.MdiArea()->subWindowList().size(), 2);
  EXPECT_EQ(chart->Series().ChannelCount(), 4);
  EXPECT_TRUE(Asked().isEmpty());
  // The window menu tells the chart from its view.
  emit main.WindowMenu()->aboutToShow();
  QStringList listed;
  for (const QAction* item : main.OpenViewList->Items()) listed << item->text();
  EXPECT_EQ(listed, QStringList({"&1 2005-03-14_C07.czt", "&2 2005-03-14_C07.czt S280"}));
}

TEST_F(ChartCommandTest, AnEventViewGetsAnAlarmTimeline) {
  Open(dir.Write("alarm2005.zdr", std::vector{EventRecord(1, 'G'), EventRecord(5, 'H')}));
  auto* timeline = Chart<AlarmTimelineWindow>();
  ASSERT_NE(timeline, nullptr);
  EXPECT_EQ(timeline->windowTitle(), "alarm2005.zdr");
  EXPECT_EQ(timeline->Timeline().Lanes().size(), 1u);
}

TEST_F(ChartCommandTest, AnArchiveWithNothingToDrawSaysSoAndOpensNoWindow) {
  Open(dir.Write("none.czt", Join(IntervalHeader('0'), std::vector{IntervalRecord(5, "")})));
  Asked();
  main.ShowChart();
  EXPECT_EQ(Asked(), (QStringList{"beep", "message:none.czt - Telvoran|S235"}));
  EXPECT_EQ(main.MdiArea()->subWindowList().size(), 1);

  // Channels, but no record of a real date.
  ArchiveRecord badDate = IntervalRecord(5);
  badDate.bytes[1] = 10 + 13;
  Open(dir.Write("baddate.czt", Join(IntervalHeader('2'), std::vector{badDate})));
  Asked();
  main.ShowChart();
  EXPECT_EQ(Asked(), (QStringList{"beep", "message:baddate.czt - Telvoran|S235"}));
  EXPECT_EQ(main.MdiArea()->subWindowList().size(), 2);
}

TEST_F(ChartCommandTest, AFileGoneSinceTheViewOpenedIsReportedAsAResortReportsIt) {
  const auto path = dir.Write("gone.zdr", std::vector{EventRecord(1, 'G')});
  Open(path);
  std::filesystem::remove(path);
  Asked();
  main.ShowChart();
  EXPECT_EQ(Asked(), (QStringList{"beep", "message:gone.zdr - Telvoran|S155"}));
  EXPECT_EQ(main.MdiArea()->subWindowList().size(), 1);
}

TEST_F(ChartCommandTest, RecordsWithoutARealDateAreLeftOutAndCounted) {
  auto records = FourChannelArchive({" 21.5 22.0100.0 12.5", " 21.6 22.1100.1 12.6"});
  ArchiveRecord badDate = records.back();
  badDate.bytes[2] = 10 + 40;
  records.push_back(badDate);
  Open(dir.Write("2005-03-14_C07.czt", records));
  auto* chart = Chart<ChannelChartWindow>();
  ASSERT_NE(chart, nullptr);
  EXPECT_EQ(chart->Series().Size(), 2u);
  EXPECT_FALSE(chart->LeftOutNote->isHidden());
  EXPECT_EQ(chart->LeftOutNote->text(), "S2371");
}

}  // namespace
}  // namespace telvoran
