// The chart and the alarm timeline of a big view are built as long work: cancelled, they leave
// no chart window and tell nothing, whether the view's records were drawn or the file was read
// again; not cancelled, they open as before, and what the file told is told after the work.
#include <QApplication>
#include <QMdiArea>

#include <fstream>

#include <gtest/gtest.h>

#include "app/chart/AlarmTimelineWindow.h"
#include "app/chart/ChannelChartWindow.h"
#include "app/mainwindow/MainWindow.h"
#include "app/work/LongWork.h"
#include "support/ChartRecords.h"
#include "support/MainWindowFixture.h"
#include "support/OpenedViews.h"

namespace telvoran {
namespace {

using namespace test;

// Enough records for the building to run on two threads.
constexpr int kBig = 70000;

std::vector<ArchiveRecord> BigIntervalArchive() {
  std::vector<ArchiveRecord> records = IntervalHeader('2');
  const ArchiveSeconds start = ToArchiveSeconds({2005, 3, 14, 0, 0, 0});
  for (int i = 0; i < kBig; ++i)
    records.push_back(IntervalRecordAt(start + 60 * i, i % 7 ? " 21.5101.0" : " 3.25  -  "));
  return records;
}

std::vector<ArchiveRecord> BigEventArchive() {
  std::vector<ArchiveRecord> records;
  for (int i = 0; i < kBig; ++i) records.push_back(EventRecord(i % 60, "HLA"[i % 3]));
  return records;
}

void Append(const std::filesystem::path& path, const ArchiveRecord& record) {
  std::ofstream(path, std::ios::binary | std::ios::app)
      .write(reinterpret_cast<const char*>(record.bytes.data()),
             static_cast<std::streamsize>(record.bytes.size()));
}

using ChartWorkTest = MainWindowFixture;

TEST_F(ChartWorkTest, ACancelledChartLeavesNoWindowAndTellsNothing) {
  struct Case {
    const char* name;
    std::vector<ArchiveRecord> records;
    // After opening: nothing, a record of another kind added (the file is read again and
    // tells of it), or the file removed (it cannot be read again).
    enum { kAsOpened, kForeignAdded, kRemoved } change;
  };
  const Case cases[] = {
      {"2005-03-14_C07.czt", BigIntervalArchive(), Case::kAsOpened},
      {"2005-03-15_C07.czt", BigIntervalArchive(), Case::kForeignAdded},
      {"2005-03-16_C07.czt", BigIntervalArchive(), Case::kRemoved},
      {"alarm2009.zdr", BigEventArchive(), Case::kAsOpened},
      {"alarm2010.zdr", BigEventArchive(), Case::kForeignAdded},
      {"alarm2011.zdr", BigEventArchive(), Case::kRemoved},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto path = dir.Write(c.name, c.records);
    auto* view = OpenedView<DataView>(main, dialogs, path);
    ASSERT_NE(view, nullptr);
    const bool interval = view->ViewKind() == ArchiveKind::Interval;
    if (c.change == Case::kForeignAdded)
      Append(path, interval ? EventRecord(1) : IntervalRecord(1));
    if (c.change == Case::kRemoved) std::filesystem::remove(path);

    LongWork::CancelNext();
    main.ShowChart();
    QApplication::processEvents();
    EXPECT_EQ(main.MdiArea()->subWindowList().size(), 1);
    EXPECT_EQ(main.ActiveChild(), view);
    EXPECT_TRUE(dialogs.asked.isEmpty()) << dialogs.asked.join('|').toStdString();

    // Not cancelled, the chart opens, or the file read again tells why there is none.
    main.ShowChart();
    QApplication::processEvents();
    if (c.change != Case::kAsOpened) {
      EXPECT_EQ(main.MdiArea()->subWindowList().size(), 1);
      ASSERT_EQ(dialogs.asked.size(), 2) << dialogs.asked.join('|').toStdString();
      EXPECT_EQ(dialogs.asked[0], "beep");
      EXPECT_TRUE(dialogs.asked[1].startsWith(QString("message:") + c.name)) << dialogs.asked[1].toStdString();
    } else if (interval) {
      EXPECT_NE(qobject_cast<ChannelChartWindow*>(main.ActiveChild()), nullptr);
    } else {
      EXPECT_NE(qobject_cast<AlarmTimelineWindow*>(main.ActiveChild()), nullptr);
    }
    dialogs.asked.clear();
    main.MdiArea()->closeAllSubWindows();
    QApplication::processEvents();
  }
}

}  // namespace
}  // namespace telvoran
