// The find window and the daily summary window in the main window: what they list against the
// core's own answers, the one message naming files that cannot be read, opening a row found,
// and saving a summary through the file menu.
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMdiArea>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "app/mainwindow/MainWindow.h"
#include "app/plant/DailySummaryWindow.h"
#include "app/plant/FindInFolderWindow.h"
#include "app/views/IntervalView.h"
#include "support/ChartRecords.h"
#include "support/MainWindowFixture.h"
#include "support/OpenedViews.h"
#include "support/RandomRecords.h"

namespace telvoran {
namespace {

using enum CommandId;
using enum Place;

using namespace test;

class PlantWindowsTest : public MainWindowFixture {
 protected:
  // A day of unit 3 with a value a quarter hour; day 2 has a blank at 06:00.
  std::filesystem::path Day(int day) {
    std::vector<ArchiveRecord> records = IntervalHeader('2');
    const ArchiveSeconds midnight = ToArchiveSeconds({2005, 3, day, 0, 0, 0});
    for (int i = 0; i < 96; ++i) {
      const std::string first = (day == 2 && i == 24) ? "     " : " 10.0";
      records.push_back(
          IntervalRecordAt(midnight + 900 * i, first + " " + std::to_string(i % 10) + ".5"));
    }
    return dir.Write("2005-03-0" + std::to_string(day) + "  03.czt", records);
  }

  template <typename Window>
  Window* Active() {
    QApplication::processEvents();
    return qobject_cast<Window*>(main.ActiveChild());
  }
};

TEST_F(PlantWindowsTest, FindListsWhatTheCoreFindsNamesTheUnreadableFileAndOpensARowFound) {
  for (int day = 1; day <= 3; ++day) Day(day);
  RandomRecords random(3);
  dir.Write("alarms.zdr", random.Event(200, DateRun::Rising));
  dir.Write("2005-03-09  03.czt", std::string(60, 'H'));  // too short for its header

  main.Item({kFindInFolder, kMenu})->trigger();
  auto* find = Active<FindInFolderWindow>();
  ASSERT_NE(find, nullptr);
  EXPECT_EQ(main.Item({kFindInFolder, kMenu})->shortcut(),
            QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F));
  EXPECT_FALSE(main.Item({kPrint, kMenu})->isEnabled()) << "nothing to print in the find window";
  find->FolderLine->setText(QString::fromStdString(dir.Path().string()));
  find->TextLine->setText("7.5");
  find->FindButton->click();
  EXPECT_TRUE(find->Searching());
  find->WaitUntilDone();

  std::vector<std::filesystem::path> files = ArchivesInFolder(dir.Path());
  std::size_t expected = 0;
  SearchListener count;
  count.found = [&expected](std::vector<FoundRow> rows) { expected += rows.size(); };
  SearchArchives(files, "7.5", strings, count);
  EXPECT_EQ(expected, 3u * 9u);
  EXPECT_EQ(static_cast<std::size_t>(find->Results->count()), expected);
  ASSERT_EQ(dialogs.asked.size(), 1);
  EXPECT_TRUE(dialogs.asked[0].startsWith("error:")) << dialogs.asked[0].toStdString();
  EXPECT_TRUE(dialogs.asked[0].contains("2005-03-09  03.czt"));
  EXPECT_EQ(find->FindButton->text(), "S332");
  dialogs.asked.clear();

  // The second row found in a day: 04:15 (record 17), 7.5 in the second channel.
  const QListWidgetItem* item = find->Results->item(1);
  EXPECT_TRUE(item->text().contains("#18")) << item->text().toStdString();
  find->OpenFound(1);
  auto* view = Active<IntervalView>();
  ASSERT_NE(view, nullptr);
  const QModelIndex current = view->List()->currentIndex();
  ASSERT_TRUE(current.isValid());
  EXPECT_EQ(view->Content().rows.RecordIndexAt(static_cast<std::size_t>(current.row())), 17u);

  // A unit's days: days 2 and 3 only, so the unreadable day 9 is not looked at.
  find->AllArchives->setChecked(true);
  find->UnitBox->setValue(4);
  EXPECT_TRUE(find->UnitDays->isChecked()) << "changing a field of the days chooses them";
  find->ChooseUnitDays(3, QDate(2005, 3, 2), QDate(2005, 3, 3));
  find->FindButton->click();
  find->WaitUntilDone();
  EXPECT_EQ(find->Results->count(), 2 * 9);
  EXPECT_TRUE(find->Results->item(0)->text().startsWith("2005-03-02"));
  EXPECT_TRUE(dialogs.asked.isEmpty());
  find->ChooseUnitDays(4, QDate(2005, 3, 1), QDate(2005, 3, 9));
  find->FindButton->click();
  find->WaitUntilDone();
  ASSERT_EQ(dialogs.asked.size(), 1);
  EXPECT_TRUE(dialogs.asked[0].contains("S319")) << dialogs.asked[0].toStdString();
}

TEST_F(PlantWindowsTest, SummaryOfAViewsMonthIsSavedAsCsvThroughTheFileMenu) {
  for (int day = 1; day <= 3; ++day) Day(day);
  auto* view = OpenedView<IntervalView>(main, dialogs, Day(2));
  ASSERT_NE(view, nullptr);
  ASSERT_TRUE(main.Item({kDailySummary, kMenu})->isEnabled());
  main.Item({kDailySummary, kMenu})->trigger();
  auto* window = Active<DailySummaryWindow>();
  ASSERT_NE(window, nullptr);
  window->WaitUntilReady();
  ASSERT_TRUE(window->Ready());
  const DailySummary& summary = window->Summary();
  EXPECT_EQ(summary.unit, 3);
  EXPECT_EQ(FormatArchiveTime(summary.firstDay), "2005-03-01 00:00:00");
  EXPECT_EQ(FormatArchiveTime(summary.lastDay), "2005-03-31 00:00:00");
  ASSERT_EQ(summary.days.size(), 3u);
  EXPECT_EQ(summary.days[1].channels[0].count, 95u) << "the blank left out";
  EXPECT_EQ(window->Table->rowCount(), 6);
  EXPECT_TRUE(main.Item({kSaveAs, kMenu})->isEnabled());
  EXPECT_FALSE(main.Item({kChart, kMenu})->isEnabled());

  const std::filesystem::path target = dir / "summary.csv";
  dialogs.saveAnswers.push_back({QString::fromStdString(target.string())});
  dialogs.saveTypeAnswers.push_back(2);
  main.SaveReport();
  std::ifstream in(target, std::ios::binary);
  const std::string saved((std::istreambuf_iterator<char>(in)), {});
  std::string wanted = SummaryCsvHeadingLine(summary) + "\r\n";
  for (const std::string& line : SummaryCsvLines(summary)) wanted += line + "\r\n";
  EXPECT_EQ(saved, wanted);
  EXPECT_NE(saved.find("2005-03-02,C1 [U1],95,10.0,2005-03-02T00:00:00,10.0,"), std::string::npos)
      << saved;
}

}  // namespace
}  // namespace telvoran
