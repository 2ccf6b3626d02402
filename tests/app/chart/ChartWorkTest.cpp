// The chart and the alarm timeline of a big view are built as long work: cancelled, they leave
// no chart window and tell nothing; not cancelled, they open as before.
#include <QApplication>
#include <QMdiArea>

#include <gtest/gtest.h>

#include "app/chart/ChartWindow.h"
#include "app/mainwindow/MainWindow.h"
#include "app/work/LongWork.h"
#include "support/ChartRecords.h"
#include "support/MainWindowFixture.h"
#include "support/OpenedViews.h"

namespace telvoran {
namespace {

using namespace test;

using ChartWorkTest = MainWindowFixture;

TEST_F(ChartWorkTest, ACancelledChartLeavesNoWindowAndTellsNothing) {
  // Enough records for the building to run on two threads.
  std::vector<ArchiveRecord> interval = IntervalHeader('2');
  std::vector<ArchiveRecord> events;
  const ArchiveSeconds start = ToArchiveSeconds({2005, 3, 14, 0, 0, 0});
  for (int i = 0; i < 70000; ++i) {
    interval.push_back(IntervalRecordAt(start + 60 * i, i % 7 ? " 21.5101.0" : " 3.25  -  "));
    events.push_back(EventRecord(i % 60, "HLA"[i % 3]));
  }
  // A file removed after opening is read again for the chart and fails to open: what that
  // tells waits for the work, and goes with it when it is cancelled.
  for (const bool removed : {false, true}) {
    for (const auto& [name, records] : {std::pair{"2005-03-14_C07.czt", &interval},
                                        std::pair{"alarm2009.zdr", &events}}) {
      SCOPED_TRACE(std::string(name) + (removed ? ", removed" : ""));
      const auto path = dir.Write(name, *records);
      auto* view = OpenedView<DataView>(main, dialogs, path);
      ASSERT_NE(view, nullptr);
      if (removed) std::filesystem::remove(path);

      LongWork::CancelNext();
      main.ShowChart();
      QApplication::processEvents();
      EXPECT_EQ(main.MdiArea()->subWindowList().size(), 1);
      EXPECT_TRUE(dialogs.asked.isEmpty()) << dialogs.asked.join('|').toStdString();

      main.ShowChart();
      QApplication::processEvents();
      EXPECT_EQ(qobject_cast<ChartWindow*>(main.ActiveChild()) != nullptr, !removed);
      EXPECT_EQ(dialogs.asked.size(), removed ? 2 : 0) << dialogs.asked.join('|').toStdString();
      dialogs.asked.clear();
      main.MdiArea()->closeAllSubWindows();
      QApplication::processEvents();
    }
  }
}

}  // namespace
}  // namespace telvoran
