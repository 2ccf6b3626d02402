// The catalogue window of a plant's folder, and the span views it opens.
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTableView>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "app/GivenFiles.h"
#include "app/mainwindow/MainWindow.h"
#include "app/plant/CatalogueWindow.h"
#include "app/plant/DailySummaryWindow.h"
#include "app/views/IntervalView.h"
#include "core/plant/SummaryDays.h"
#include "support/ArchiveRecords.h"
#include "support/FakeStrings.h"
#include "support/FileSystemThings.h"
#include "support/OpenedViews.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

namespace telvoran {
namespace {

using test::IntervalHeader;
using test::IntervalRecord;
using test::Join;

class CatalogueWindowTest : public ::testing::Test {
 protected:
  test::FakeStrings strings = test::NumberedStrings();
  test::ScriptedDialogs dialogs;
  MainWindow form{strings, dialogs, TELVORAN_BUILD_DIR};
  test::TempDir dir;

  void Day(const std::string& name, int minute) {
    dir.Write(name, Join(IntervalHeader('2'), std::vector{IntervalRecord(minute)}));
  }
  CatalogueWindow* OpenFolder(const std::filesystem::path& folder) {
    dialogs.folderAnswers.push_back(QString::fromStdString(folder.string()));
    form.OpenFolder();
    const auto windows = form.MdiArea()->subWindowList(QMdiArea::CreationOrder);
    auto* window = windows.isEmpty() ? nullptr : qobject_cast<CatalogueWindow*>(windows.back());
    if (window) {
      // A folder that cannot be listed closes its window while we wait.
      const QPointer<CatalogueWindow> guard(window);
      EXPECT_TRUE(QTest::qWaitFor([guard] { return !guard || !guard->Listing(); }, 5000));
      if (!guard) return nullptr;
    }
    return window;
  }
  static plant::Day D(const char* text) { return *plant::DayFromText(text); }
};

TEST_F(CatalogueWindowTest, ShowsDaysByUnitAndOpensASpanAsOneView) {
  Day("2005-03-14_C07.czt", 1);
  Day("2005-03-16_C07.czt", 3);
  Day("2005-03-15_C02.czt", 2);
  dir.Write("alarm2005.zdr", std::vector{test::EventRecord(1)});
  dir.Write("readme.txt", "x");
  CatalogueWindow* window = OpenFolder(dir.Path());
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(dialogs.asked.front(), "folder:S302");
  const QAbstractItemModel& calendar = *window->Calendar->model();
  ASSERT_EQ(calendar.rowCount(), 3);
  ASSERT_EQ(calendar.columnCount(), 2);
  EXPECT_EQ(calendar.headerData(1, Qt::Horizontal).toString(), "07");
  EXPECT_EQ(calendar.headerData(2, Qt::Vertical).toString(), "2005-03-16");
  EXPECT_EQ(calendar.index(0, 1).data().toString(), "1");
  EXPECT_FALSE(calendar.index(1, 1).data().isValid());  // no archive that day
  EXPECT_EQ(window->EventList->topLevelItem(0)->text(0), "alarm2005.zdr");
  EXPECT_EQ(window->OtherList->topLevelItem(0)->text(0), "readme.txt");

  // A drag down unit 7's column chooses the span.
  window->Calendar->setCurrentIndex(calendar.index(0, 1));
  window->Calendar->selectionModel()->select(
      QItemSelection(calendar.index(0, 1), calendar.index(2, 1)), QItemSelectionModel::Select);
  window->OpenChosenSpan();
  auto* view =
      qobject_cast<IntervalView*>(form.MdiArea()->subWindowList(QMdiArea::CreationOrder).back());
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->windowTitle(), "S31307: 2005-03-14S3122005-03-16");
  EXPECT_EQ(test::Displayed(*view).size(), 2u);
  view->SortBy(2);
  EXPECT_EQ(view->SortColumn(), 2);
  EXPECT_EQ(test::Displayed(*view).size(), 2u);

  // Fields that reach past the newest day: a day that appears after it shows in the catalogue
  // and in the followed view.
  window->ChooseSpan(7, D("2005-03-14"), D("2005-03-18"));
  window->OpenChosenSpan();
  auto* following =
      qobject_cast<IntervalView*>(form.MdiArea()->subWindowList(QMdiArea::CreationOrder).back());
  ASSERT_NE(following, view);
  following->SetFollowing(true);
  Day("2005-03-17_C07.czt", 4);
  window->Refresh();
  ASSERT_TRUE(QTest::qWaitFor([window] { return !window->Listing(); }, 5000));
  ASSERT_EQ(calendar.rowCount(), 4);
  EXPECT_EQ(calendar.index(3, 1).data().toString(), "1");
  following->FollowFile();
  EXPECT_EQ(test::Displayed(*following).size(), 3u);

  // The daily summary of the chosen span, from the catalogue's own days.
  window->ChooseSpan(7, D("2005-03-14"), D("2005-03-16"));
  window->SummarizeChosenSpan();
  auto* summary = qobject_cast<DailySummaryWindow*>(
      form.MdiArea()->subWindowList(QMdiArea::CreationOrder).back());
  ASSERT_NE(summary, nullptr);
  summary->WaitUntilReady();
  SummaryFiles named{7, plant::MidnightOf(D("2005-03-14")), plant::MidnightOf(D("2005-03-16")),
                     {dir / "2005-03-14_C07.czt", dir / "2005-03-16_C07.czt"},
                     {dir / "alarm2005.zdr"}};
  const DailySummary expected = SummarizeDays(named, strings);
  ASSERT_FALSE(expected.days.empty());
  ASSERT_EQ(summary->Summary().days.size(), expected.days.size());
  for (std::size_t d = 0; d < expected.days.size(); ++d)
    EXPECT_EQ(summary->Summary().days[d].channels.at(0).count, expected.days[d].channels.at(0).count);
}

TEST_F(CatalogueWindowTest, AFolderThatCannotBeListedIsToldAndItsWindowCloses) {
  OpenFolder(dir / "missing");
  ASSERT_TRUE(QTest::qWaitFor([this] { return dialogs.asked.size() >= 3; }, 5000));
  EXPECT_EQ(dialogs.asked[1], "beep");
  EXPECT_TRUE(dialogs.asked[2].startsWith("message:missing - Telvoran|S323\n"))
      << dialogs.asked[2].toStdString();
  QApplication::processEvents();
  EXPECT_EQ(form.MdiArea()->subWindowList().size(), 0);
  // A span of a unit without days in it is told, and gives no view.
  Day("2005-03-14_C07.czt", 1);
  CatalogueWindow* window = OpenFolder(dir.Path());
  ASSERT_NE(window, nullptr);
  window->ChooseSpan(7, D("2005-03-14"), D("2005-03-14"));
  std::filesystem::remove(dir / "2005-03-14_C07.czt");
  dialogs.asked.clear();
  window->OpenChosenSpan();
  EXPECT_EQ(
      dialogs.asked,
      QStringList(
          {"beep",
           "message:S31307: 2005-03-14S3122005-03-14 - Telvoran|S314\r2005-03-14_C07.czt: S106"}));
  EXPECT_EQ(form.MdiArea()->subWindowList().size(), 1);
}

}  // namespace
}  // namespace telvoran
