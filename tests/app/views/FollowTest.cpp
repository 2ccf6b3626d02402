// Following a growing archive in a view: the Window menu's and pop-up menu's toggle, the rows of
// appended records at their places in the current order, the current row and the scrolling, and
// what becomes of a file that shrinks, disappears or goes wrong while it is followed.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QListView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include "app/mainwindow/MainWindow.h"
#include "app/views/EventView.h"
#include "app/views/FileFollower.h"
#include "app/views/FilterBar.h"
#include "app/views/IntervalView.h"
#include "core/archive/ArchiveFile.h"
#include "core/rows/RowReading.h"
#include "support/ArchiveRecords.h"
#include "support/FakeStrings.h"
#include "support/FileSystemThings.h"
#include "support/OpenedViews.h"
#include "support/RecordingReporter.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

namespace telvoran {
namespace {

using enum CommandId;
using enum Place;

using namespace test;

// Event records of many minutes, central units and situations, to fill a list in any order.
std::vector<ArchiveRecord> Events(int first, int count) {
  const char codes[] = "GLHMWOF";
  std::vector<ArchiveRecord> records;
  for (int i = first; i < first + count; ++i) {
    auto record = EventRecord(i % 60, codes[i % 7]);
    record.bytes[0] = static_cast<unsigned char>(10 + i % 13);  // the central unit
    record.bytes[4] = static_cast<unsigned char>(10 + i / 60);  // the hour
    records.push_back(record);
  }
  return records;
}

// Interval records of two channels, a minute apart.
std::vector<ArchiveRecord> Intervals(int first, int count) {
  std::vector<ArchiveRecord> records;
  for (int i = first; i < first + count; ++i) records.push_back(IntervalRecord(i));
  return records;
}

class FollowTest : public ::testing::Test {
 protected:
  FakeStrings strings = NumberedStrings();
  ScriptedDialogs dialogs;
  MainWindow main{strings, dialogs, "/"};
  TempDir dir;

  void SetUp() override { main.show(); }

  template <typename View>
  View* Open(const std::filesystem::path& path) {
    return OpenedView<View>(main, dialogs, path);
  }

  // The rows a reading of the whole file gives now, as drawn, for the view's sort column.
  std::vector<std::string> WholeReading(const DataView& view) {
    RecordingReporter reporter;
    ArchiveFile file(strings, reporter);
    ViewContent content;
    content.kind = view.Content().kind;
    content.sortColumn = view.SortColumn();
    const bool complete = content.kind == ArchiveKind::Event
                              ? ReloadEventRows(file, view.FilePath(), view.SortColumn(),
                                                kReloadMessages, content.rows)
                              : ReloadIntervalRows(file, view.FilePath(), view.SortColumn(),
                                                   kReloadMessages, content.rows);
    EXPECT_TRUE(complete);
    std::vector<std::string> rows;
    for (std::size_t i = 0; i < content.rows.Size(); ++i)
      rows.emplace_back(content.DisplayText(content.rows[i]));
    return rows;
  }

  std::string CurrentRow(const DataView& view) const {
    const int row = view.List()->currentIndex().row();
    return row < 0 ? std::string() : std::string(view.Report().DisplayText(row));
  }
  std::string TopRow(const DataView& view) const {
    const int row = view.List()->indexAt(QPoint(0, 0)).row();
    return row < 0 ? std::string() : std::string(view.Report().DisplayText(row));
  }
};

TEST_F(FollowTest, ToggleIsOffAtFirstAndShowsWhetherTheActiveViewFollows) {
  for (QAction* item : {main.Item({kFollow, kMenu}), main.Item({kFollow, kPopUp})}) {
    EXPECT_FALSE(item->isEnabled());
    EXPECT_TRUE(item->isCheckable());
    EXPECT_EQ(item->text(), "S200");
    EXPECT_EQ(item->statusTip(), "S201");
  }
  auto* first = Open<EventView>(dir.Write("a.zdr", Events(0, 3)));
  auto* second = Open<IntervalView>(
      dir.Write("b.czt", Join(IntervalHeader(), std::vector{IntervalRecord(1)})));
  ASSERT_TRUE(first && second);
  EXPECT_TRUE(main.Item({kFollow, kMenu})->isEnabled());
  EXPECT_FALSE(main.Item({kFollow, kMenu})->isChecked());
  EXPECT_FALSE(second->IsFollowing());

  main.Item({kFollow, kPopUp})->trigger();  // acts on the active view, the one opened last
  EXPECT_TRUE(second->IsFollowing());
  EXPECT_FALSE(first->IsFollowing());
  EXPECT_TRUE(main.Item({kFollow, kMenu})->isChecked());
  EXPECT_TRUE(main.Item({kFollow, kPopUp})->isChecked());

  main.MdiArea()->setActiveSubWindow(first);
  EXPECT_FALSE(main.Item({kFollow, kMenu})->isChecked());
  main.MdiArea()->setActiveSubWindow(second);
  EXPECT_TRUE(main.Item({kFollow, kPopUp})->isChecked());
  main.Item({kFollow, kMenu})->trigger();
  EXPECT_FALSE(second->IsFollowing());
  EXPECT_FALSE(main.Item({kFollow, kPopUp})->isChecked());

  main.MdiArea()->closeAllSubWindows();
  QApplication::processEvents();
  EXPECT_FALSE(main.Item({kFollow, kMenu})->isEnabled());
  EXPECT_FALSE(main.Item({kFollow, kPopUp})->isChecked());
  EXPECT_TRUE(dialogs.asked.isEmpty());
}

TEST_F(FollowTest, AppendedRecordsTakeTheirPlacesInTheSortOrderAndTheCurrentRowStays) {
  const auto path = dir.Write("a.zdr", Events(0, 120));
  auto* view = Open<EventView>(path);
  ASSERT_NE(view, nullptr);
  view->SortBy(2);  // by central unit: the new rows go in between the old ones
  view->List()->setCurrentIndex(view->List()->model()->index(40, 0));
  view->List()->scrollTo(view->List()->model()->index(30, 0), QAbstractItemView::PositionAtTop);
  const std::string current = CurrentRow(*view);
  const std::string top = TopRow(*view);
  view->SetFollowing(true);
  EXPECT_EQ(Displayed(*view), WholeReading(*view));

  // New records of every kind of row, some the same as rows shown already, and a piece of the
  // next record that the writer has not finished.
  Append(path, Join(Events(200, 30), Events(10, 5)), "half a");
  view->FollowFile();

  EXPECT_EQ(Displayed(*view), WholeReading(*view));
  EXPECT_EQ(view->Report().RowCount(), 150u);
  EXPECT_EQ(CurrentRow(*view), current);
  EXPECT_GT(view->List()->currentIndex().row(), 40) << "new rows went before the current one";
  EXPECT_TRUE(view->List()->selectionModel()->isSelected(view->List()->currentIndex()));
  EXPECT_EQ(TopRow(*view), top) << "a list not at its end is not scrolled";
  EXPECT_TRUE(view->IsFollowing());
  EXPECT_TRUE(dialogs.asked.isEmpty());
}

// The list is told of the new rows as inserted rows, run by run, never taking every row anew:
// what it then holds, row by row, is what a view opened afresh on the grown file shows, and the
// rows it held keep their indexes.
TEST_F(FollowTest, NewRowsAreInsertedAtTheirPlacesInAFilteredList) {
  const auto path = dir.Write("a.zdr", Events(0, 120));
  auto modelRows = [](const DataView& view) {
    std::vector<QString> rows;
    const QAbstractItemModel& model = *view.List()->model();
    for (int row = 0; row < model.rowCount(); ++row)
      rows.push_back(model.index(row, 0).data().toString());
    return rows;
  };
  auto openSortedAndFiltered = [&] {
    auto* view = Open<EventView>(path);
    view->SortBy(2);  // by central unit: the new rows go in between the old ones
    view->ShowFilter();
    view->FilterLine()->SituationBox('G')->click();
    QApplication::processEvents();
    return view;
  };
  auto* view = openSortedAndFiltered();
  ASSERT_NE(view, nullptr);
  QAbstractItemModel& model = *view->List()->model();
  const std::vector<QString> before = modelRows(*view);
  std::vector<std::pair<QPersistentModelIndex, QString>> kept;
  for (const int row : {0, 17, static_cast<int>(before.size()) - 1})
    kept.emplace_back(model.index(row, 0), before[static_cast<std::size_t>(row)]);
  QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
  QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
  view->SetFollowing(true);

  Append(path, Join(Events(200, 30), Events(10, 5)));
  view->FollowFile();

  EXPECT_EQ(resets.count(), 0);
  EXPECT_GT(inserted.count(), 1) << "the new rows lie in several runs";
  int insertedRows = 0;
  for (const QList<QVariant>& run : inserted) insertedRows += run[2].toInt() - run[1].toInt() + 1;
  const std::vector<QString> after = modelRows(*view);
  EXPECT_EQ(static_cast<std::size_t>(insertedRows), after.size() - before.size());
  for (const auto& [index, text] : kept) EXPECT_EQ(index.data().toString(), text);
  auto* fresh = openSortedAndFiltered();
  ASSERT_NE(fresh, nullptr);
  EXPECT_EQ(after, modelRows(*fresh));
  EXPECT_TRUE(dialogs.asked.isEmpty());
}

TEST_F(FollowTest, ListAtItsEndStaysAtItsEnd) {
  const auto path = dir.Write("a.czt", Join(IntervalHeader('2'), std::vector<ArchiveRecord>()));
  std::vector<ArchiveRecord> records;
  for (int minute = 0; minute < 60; ++minute) records.push_back(IntervalRecord(minute));
  Append(path, records);
  auto* view = Open<IntervalView>(path);
  ASSERT_NE(view, nullptr);
  view->List()->scrollToBottom();
  view->SetFollowing(true);

  std::vector<ArchiveRecord> later;
  for (int minute = 0; minute < 20; ++minute) {
    auto record = IntervalRecord(minute);
    record.bytes[3] = 9 + 10;  // an hour later
    later.push_back(record);
  }
  Append(path, later);
  view->FollowFile();

  EXPECT_EQ(view->Report().RowCount(), 80u);
  const QScrollBar* bar = view->List()->verticalScrollBar();
  EXPECT_GT(bar->maximum(), 0);
  EXPECT_EQ(bar->value(), bar->maximum());
  EXPECT_EQ(Displayed(*view), WholeReading(*view));
}

TEST_F(FollowTest, ShrunkFileIsReadAgainAndAMissingOneIsWaitedFor) {
  const auto path = dir.Write("a.zdr", Events(0, 50));
  auto* view = Open<EventView>(path);
  ASSERT_NE(view, nullptr);
  view->List()->setCurrentIndex(view->List()->model()->index(5, 0));
  const std::string current = CurrentRow(*view);
  view->SetFollowing(true);

  std::filesystem::resize_file(path, 20 * kRecordSize);
  view->FollowFile();
  EXPECT_EQ(view->Report().RowCount(), 20u);
  EXPECT_EQ(CurrentRow(*view), current);

  // Gone for a moment, as while the writer puts a new file in its place: the rows stay.
  std::filesystem::remove(path);
  view->FollowFile();
  EXPECT_EQ(view->Report().RowCount(), 20u);
  dir.Write("a.zdr", Events(100, 7));
  view->FollowFile();
  EXPECT_EQ(Displayed(*view), WholeReading(*view));
  EXPECT_EQ(view->Report().RowCount(), 7u);
  EXPECT_TRUE(view->IsFollowing());
  EXPECT_TRUE(dialogs.asked.isEmpty());
}

TEST_F(FollowTest, RecordOfAnotherKindIsToldOnceAndEndsFollowing) {
  const auto path = dir.Write("a.zdr", Events(0, 5));
  auto* view = Open<EventView>(path);
  ASSERT_NE(view, nullptr);
  main.Item({kFollow, kMenu})->trigger();
  Append(path, Join(Events(5, 2), std::vector{EventRecord(1, 'H', kIntervalKind)}, Events(7, 2)));
  view->FollowFile();

  EXPECT_EQ(view->Report().RowCount(), 7u) << "the rows before the record";
  EXPECT_EQ(dialogs.asked, (QStringList{"beep", "message:a.zdr - Telvoran|S108\rS109"}));
  EXPECT_FALSE(view->IsFollowing());
  EXPECT_FALSE(main.Item({kFollow, kMenu})->isChecked());
  view->FollowFile();
  EXPECT_EQ(dialogs.asked.size(), 2);
}

// A writer that rotates its archive leaves an empty file, or a bare header, under the name for
// a moment: the rows stay, following goes on, the status bar says so once, and the new file's
// records show when they arrive.
TEST_F(FollowTest, FileEmptiedByRotationKeepsTheRowsAndGoesOnFollowing) {
  for (const bool interval : {false, true}) {
    const std::string name = interval ? "r.czt" : "r.zdr";
    const auto path =
        dir.Write(name, interval ? Join(IntervalHeader('2'), Intervals(1, 2)) : Events(0, 5));
    DataView* view = interval ? static_cast<DataView*>(Open<IntervalView>(path))
                              : static_cast<DataView*>(Open<EventView>(path));
    ASSERT_NE(view, nullptr);
    QStringList notes;
    QObject::connect(view, &DataView::statusNote, [&notes](const QString& note) { notes << note; });
    view->SetFollowing(true);
    const std::size_t before = view->Report().RowCount();

    std::filesystem::rename(path, path.string() + ".1");
    dir.Write(name, interval ? Join(IntervalHeader('2')) : std::vector<ArchiveRecord>());
    view->FollowFile();
    view->FollowFile();
    EXPECT_EQ(view->Report().RowCount(), before) << name;
    EXPECT_TRUE(view->IsFollowing()) << name;
    ASSERT_EQ(notes.size(), 1) << name;
    EXPECT_TRUE(notes[0].endsWith(QString::fromStdString(name))) << notes[0].toStdString();

    Append(path, interval ? Intervals(9, 1) : Events(50, 3));
    view->FollowFile();
    EXPECT_EQ(Displayed(*view), WholeReading(*view)) << name;
    EXPECT_EQ(view->Report().RowCount(), interval ? 1u : 3u) << name;
    EXPECT_TRUE(dialogs.asked.isEmpty()) << dialogs.asked.join(',').toStdString();
  }
}

TEST_F(FollowTest, TurningFollowingOnShowsWhatWasAppendedSinceTheReading) {
  const auto path = dir.Write("a.zdr", Events(0, 5));
  auto* view = Open<EventView>(path);
  ASSERT_NE(view, nullptr);
  Append(path, Events(5, 3));
  EXPECT_EQ(view->Report().RowCount(), 5u) << "a view that does not follow stays as read";
  view->SetFollowing(true);
  EXPECT_EQ(view->Report().RowCount(), 8u);
}

// The file system's report of a change reaches the view by itself; on a file system without
// such reports the poll does, once a second.
TEST_F(FollowTest, FileSystemReportOfAChangeShowsTheNewRows) {
  const auto path = dir.Write("a.zdr", Events(0, 5));
  auto* view = Open<EventView>(path);
  ASSERT_NE(view, nullptr);
  view->SetFollowing(true);
  Append(path, Events(5, 3));
  QTRY_COMPARE_WITH_TIMEOUT(view->Report().RowCount(), 8u, 3000);
}

TEST(FileFollower, PollTellsAtOnceAndABurstOfReportsOnlyOnceItHasSettled) {
  TempDir dir;
  FileFollower follower(dir.Write("a.zdr", "x"), nullptr);
  int told = 0;
  QObject::connect(&follower, &FileFollower::mayHaveChanged, [&told] { ++told; });
  follower.Poll();
  EXPECT_EQ(told, 1);
  for (int report = 0; report < 5; ++report) follower.FileChanged();
  EXPECT_EQ(told, 1) << "told once the burst has settled";
  QTRY_VERIFY_WITH_TIMEOUT(told >= 2, 2000);
}

}  // namespace
}  // namespace telvoran
