// The open command and the data views: opening both kinds of archive, every way an opening can
// fail, re-sorting by the column panels, duplicate rows, row colours and the view commands.
#include <QApplication>
#include <QFile>
#include <QImage>
#include <QListView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "app/mainwindow/MainWindow.h"
#include "app/views/EventView.h"
#include "app/views/HeaderPanel.h"
#include "app/views/IntervalView.h"
#include "app/views/RowDelegates.h"
#include "core/rows/EventRows.h"
#include "core/rows/IntervalRows.h"
#include "support/ArchiveRecords.h"
#include "support/FileSystemThings.h"
#include "support/MainWindowFixture.h"
#include "support/OpenedViews.h"

namespace telvoran {
namespace {

using namespace test;

// The rows of a view as it draws them.
class OpenViewsTest : public MainWindowFixture {
 protected:
  // Runs the open command on `path`, answering the open dialog with it.
  void Open(const std::filesystem::path& path) { OpenThroughDialog(main, dialogs, path); }

  QList<QMdiSubWindow*> Views() const { return main.MdiArea()->subWindowList(); }
  template <typename View>
  View* OnlyView() const {
    const auto views = Views();
    return views.size() == 1 ? dynamic_cast<View*>(views[0]) : nullptr;
  }
  QStringList Asked() {
    QStringList asked = dialogs.asked;
    dialogs.asked.clear();
    return asked;
  }
};

std::vector<ArchiveRecord> TwoChannelArchive() {
  return Join(IntervalHeader('2'),
              std::vector{IntervalRecord(9, " 21.5  3.0"), IntervalRecord(7, "101.0  2.0"),
                          IntervalRecord(8, "  5.0  1.0")});
}

TEST_F(OpenViewsTest, OpenDialogTakesItsTitleAndFilterFromTheLibrary) {
  dialogs.openAnswers.push_back(std::nullopt);
  main.OpenArchive();
  EXPECT_EQ(Asked(), QStringList{"open:S102|S103 (*.czt)|*.czt|S104 (*.zdr)|*.zdr|"
                                 "S105 (*.czt); (*.zdr)|*.czt; *.zdr|3"});
  EXPECT_TRUE(Views().isEmpty());
}

TEST_F(OpenViewsTest, IntervalArchiveOpensInAViewOfItsOwn) {
  Open(dir.Write("2005-03-14_C07.czt", TwoChannelArchive()));
  auto* view = OnlyView<IntervalView>();
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(Asked().filter(QRegularExpression("^(beep|message|error)")).isEmpty());
  EXPECT_EQ(view->windowTitle(), "2005-03-14_C07.czt");
  EXPECT_EQ(view->Content().title, "S11107S1122005-03-14");
  EXPECT_EQ(view->size(), QSize(616, 320));
  EXPECT_EQ(view->Panel(1)->Caption(), "S158");
  EXPECT_EQ(view->Panel(2)->Caption(), "1 C1   [U1  ]");
  EXPECT_EQ(view->Panel(3)->Caption(), "2 C2   [U2  ]");
  EXPECT_EQ(view->Panel(4)->Caption(), "3");
  EXPECT_EQ(view->Panel(5)->Caption(), "4");
  for (int panel = 1; panel <= 5; ++panel) {
    EXPECT_EQ(view->Panel(panel)->statusTip(), "S159");
    EXPECT_EQ(view->Panel(panel)->IsLowered(), panel == 1);
  }
  EXPECT_EQ(view->SortColumn(), 1);
  EXPECT_EQ(Displayed(*view),
            (std::vector<std::string>{
                std::string(IntervalRow(IntervalRecord(7, "101.0  2.0"), 2, 1).Text()),
                std::string(IntervalRow(IntervalRecord(8, "  5.0  1.0"), 2, 1).Text()),
                std::string(IntervalRow(IntervalRecord(9, " 21.5  3.0"), 2, 1).Text())}));
  EXPECT_TRUE(main.ViewCommandsEnabled());
  EXPECT_EQ(main.ActiveViewKind(), ArchiveKind::Interval);
}

// The list moves as a list does: Home and End go to the first and the last row, whatever the
// arrows did before; and its one column fills the list where the rows are narrower than it.
TEST_F(OpenViewsTest, ListKeysReachTheFirstAndTheLastRowAndTheRowsFillTheList) {
  std::vector<ArchiveRecord> records;
  for (int minute = 0; minute < 50; ++minute) records.push_back(IntervalRecord(minute));
  auto* view = OpenedView<DataView>(main, dialogs,
                                    dir.Write("2005-03-14_C07.czt",
                                              Join(IntervalHeader('2'), records)));
  ASSERT_NE(view, nullptr);
  RowListView* list = view->List();
  list->setFocus();
  const int last = list->model()->rowCount() - 1;
  ASSERT_EQ(last, 49);
  for (const auto& [key, row] : {std::pair{Qt::Key_End, last}, std::pair{Qt::Key_Home, 0},
                                 std::pair{Qt::Key_Down, 1}, std::pair{Qt::Key_End, last},
                                 std::pair{Qt::Key_Up, last - 1}, std::pair{Qt::Key_Home, 0}}) {
    QTest::keyClick(list, key);
    EXPECT_EQ(list->currentIndex().row(), row) << QKeySequence(key).toString().toStdString();
  }
  QTest::keyClick(list, Qt::Key_Tab);
  EXPECT_EQ(list->currentIndex().row(), 0) << "Tab leaves the rows alone";
  view->resize(2000, 400);
  QApplication::processEvents();
  EXPECT_GE(list->columnWidth(0), list->viewport()->width());
}

TEST_F(OpenViewsTest, ShortNamesGiveShortTitles) {
  Open(dir.Write("abc.czt", TwoChannelArchive()));
  ASSERT_NE(OnlyView<IntervalView>(), nullptr);
  EXPECT_EQ(OnlyView<IntervalView>()->Content().title, "S111S112abc.czt");
  OnlyView<IntervalView>()->close();
  QApplication::processEvents();
  Open(dir.Write("alarm2005.zdr", {EventRecord(1)}));
  ASSERT_NE(OnlyView<EventView>(), nullptr);
  EXPECT_EQ(OnlyView<EventView>()->Content().title, "S113alarm20");
}

TEST_F(OpenViewsTest, EventArchiveOpensWithLibraryCaptionsAndWithoutDuplicates) {
  Open(dir.Write("alarm2005.zdr",
                 {EventRecord(2), EventRecord(1), EventRecord(2), EventRecord(3, 'G')}));
  auto* view = OnlyView<EventView>();
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->windowTitle(), "alarm2005.zdr");
  EXPECT_EQ(view->size(), QSize(616, 320));
  const char* captions[] = {"S158", "S167", "S168", "S169", "S170", "S171", "S172"};
  for (int panel = 1; panel <= 7; ++panel) {
    EXPECT_EQ(view->Panel(panel)->Caption(), captions[panel - 1]);
    EXPECT_EQ(view->Panel(panel)->statusTip(), "S159");
    EXPECT_EQ(view->Panel(panel)->IsLowered(), panel == 1);
  }
  EXPECT_EQ(view->Content().rows.Size(), 3u);
  EXPECT_EQ(main.ActiveViewKind(), ArchiveKind::Event);
}

struct FailedOpening {
  const char* name;
  std::string bytes;
  QStringList asked;  // after the open dialog
};

class FailedOpeningTest : public OpenViewsTest,
                          public ::testing::WithParamInterface<FailedOpening> {};

std::string Bytes(const std::vector<ArchiveRecord>& records) {
  std::string bytes;
  for (const auto& record : records) bytes.append(record.bytes.begin(), record.bytes.end());
  return bytes;
}

TEST_P(FailedOpeningTest, LeavesNoViewAndNoFileOpen) {
  Open(dir.Write(GetParam().name, GetParam().bytes));
  EXPECT_EQ(Asked().mid(1), GetParam().asked);
  EXPECT_TRUE(Views().isEmpty());
  EXPECT_FALSE(main.ViewCommandsEnabled());
}

std::vector<ArchiveRecord> FourRecords() {
  auto records = IntervalHeader();
  return records;
}

std::vector<ArchiveRecord> HeaderOfWrongKind() {
  auto records = TwoChannelArchive();
  records[2] = MakeRecord("x", 99);
  return records;
}

// Each box names its file in the caption, so that two failed files are told apart.
QStringList WrongKind(const char* name) {
  return {"beep", QString("message:%1 - Telvoran|S108\rS109").arg(name)};
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FailedOpeningTest,
    ::testing::Values(
        FailedOpening{"empty.zdr", "", {"beep", "message:empty.zdr - Telvoran|S107"}},
        FailedOpening{
            "short.zdr", std::string(39, 'x'), {"beep", "message:short.zdr - Telvoran|S107"}},
        FailedOpening{"DATA.CZT", Bytes(TwoChannelArchive()), {}},
        FailedOpening{"data.txt", Bytes(TwoChannelArchive()), {}},
        FailedOpening{
            "four.czt", Bytes(FourRecords()), {"beep", "message:four.czt - Telvoran|S110"}},
        FailedOpening{"header.czt", Bytes(HeaderOfWrongKind()), WrongKind("header.czt")},
        FailedOpening{"count.czt", Bytes(Join(IntervalHeader('5'), std::vector{IntervalRecord(1)})),
                      WrongKind("count.czt")}));

TEST_F(OpenViewsTest, MissingFileGivesItsMessage) {
  Open(dir / "none.czt");
  EXPECT_EQ(Asked().mid(1), (QStringList{"beep", "message:none.czt - Telvoran|S106"}));
  EXPECT_TRUE(Views().isEmpty());
}

TEST_F(OpenViewsTest, IntervalArchiveOfFiveRecordsGivesOneRow) {
  Open(dir.Write("five.czt", Join(IntervalHeader(), std::vector{IntervalRecord(1)})));
  ASSERT_NE(OnlyView<IntervalView>(), nullptr);
  EXPECT_EQ(OnlyView<IntervalView>()->Content().rows.Size(), 1u);
}

// The open command only reads: a read-only archive, and a file it refuses for its name, keep
// their mode.
TEST_F(OpenViewsTest, ReadOnlyFilesStayReadOnly) {
  for (const char* name : {"DATA.CZT", "notes.txt", "i.czt"}) {
    const auto path = dir.Write(name, Bytes(TwoChannelArchive()));
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    Open(path);
    struct stat info = {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0444u) << name;
  }
  EXPECT_EQ(Views().size(), 1);
}

TEST_F(OpenViewsTest, NameThatIsNotAFileIsRefusedInTheErrorBoxWithoutWaiting) {
  const WaitGuard guard;
  ASSERT_EQ(::mkfifo((dir / "pipe.zdr").c_str(), 0644), 0);
  std::filesystem::create_directory(dir / "folder.czt");
  for (const char* name : {"pipe.zdr", "folder.czt"}) {
    Open(dir / name);
    EXPECT_EQ(Asked().mid(1), QStringList{QString("error:%1 - Telvoran|S202").arg(name)}) << name;
  }
  EXPECT_TRUE(Views().isEmpty());
}

TEST_F(OpenViewsTest, WrongKindInTheRowsShowsTheHalfFilledViewBehindTheMessageThenClosesIt) {
  std::size_t rowsBehindMessage = 0;
  int viewsBehindMessage = 0;
  dialogs.whileMessageShown = [&] {
    viewsBehindMessage = static_cast<int>(Views().size());
    if (auto* view = Views().isEmpty() ? nullptr : dynamic_cast<DataView*>(Views()[0]))
      rowsBehindMessage = view->isVisible() ? view->Content().rows.Size() : 0;
  };
  Open(dir.Write("e.zdr", {EventRecord(1), EventRecord(2), EventRecord(3, 'H', kIntervalKind),
                           EventRecord(4)}));
  QApplication::processEvents();
  EXPECT_EQ(Asked().mid(1), WrongKind("e.zdr"));
  EXPECT_EQ(viewsBehindMessage, 1);
  EXPECT_EQ(rowsBehindMessage, 2u);
  EXPECT_TRUE(Views().isEmpty());
  EXPECT_FALSE(main.ViewCommandsEnabled());

  Open(dir.Write("i.czt", Join(IntervalHeader(),
                               std::vector{IntervalRecord(1), IntervalRecord(2, "", kEventKind)})));
  QApplication::processEvents();
  EXPECT_EQ(Asked().mid(1), WrongKind("i.czt"));
  EXPECT_EQ(rowsBehindMessage, 1u);
  EXPECT_TRUE(Views().isEmpty());
}

TEST_F(OpenViewsTest, EventArchiveWithATrailingPieceGivesItsWholeRecords) {
  Open(dir.Write("two.zdr", Bytes({EventRecord(1), EventRecord(2)}) + "x"));
  ASSERT_NE(OnlyView<EventView>(), nullptr);
  EXPECT_EQ(OnlyView<EventView>()->Content().rows.Size(), 2u);
}

class ResortTest : public OpenViewsTest {
 protected:
  IntervalView* OpenInterval() {
    path = dir.Write("2005-03-14_C07.czt", TwoChannelArchive());
    Open(path);
    Asked();
    return OnlyView<IntervalView>();
  }
  std::filesystem::path path;
};

std::vector<int> Minutes(const DataView& view) {
  std::vector<int> minutes;
  for (const auto& row : Displayed(view)) minutes.push_back(std::stoi(row.substr(15, 2)));
  return minutes;
}

TEST_F(ResortTest, EveryChannelPanelSortsAndDateAndTimeSortsBack) {
  auto* view = OpenInterval();
  ASSERT_NE(view, nullptr);
  const auto opened = Displayed(*view);
  view->SortBy(3);
  EXPECT_EQ(view->SortColumn(), 3);
  EXPECT_EQ(Minutes(*view), (std::vector{8, 7, 9}));
  for (int panel = 1; panel <= 5; ++panel) EXPECT_EQ(view->Panel(panel)->IsLowered(), panel == 3);
  view->SortBy(2);
  EXPECT_EQ(Minutes(*view), (std::vector{8, 9, 7}));
  view->SortBy(1);
  EXPECT_EQ(Displayed(*view), opened);
  EXPECT_TRUE(Asked().isEmpty());
}

TEST_F(ResortTest, AbsentChannelAndCurrentColumnReadNothing) {
  auto* view = OpenInterval();
  ASSERT_NE(view, nullptr);
  std::filesystem::remove(path);  // any reading would now be reported
  view->SortBy(1);
  view->SortBy(4);
  view->SortBy(5);
  EXPECT_TRUE(Asked().isEmpty());
  EXPECT_EQ(view->SortColumn(), 1);
  EXPECT_EQ(view->Content().rows.Size(), 3u);
}

TEST_F(ResortTest, DeletedFileEmptiesTheListAndKeepsTheOldPanelLowered) {
  auto* view = OpenInterval();
  ASSERT_NE(view, nullptr);
  std::filesystem::remove(path);
  view->SortBy(2);
  EXPECT_EQ(Asked(), (QStringList{"beep", "message:2005-03-14_C07.czt - Telvoran|S155"}));
  EXPECT_TRUE(view->Content().rows.Empty());
  EXPECT_EQ(view->SortColumn(), 2);
  EXPECT_TRUE(view->Panel(1)->IsLowered());
  EXPECT_FALSE(view->Panel(2)->IsLowered());
  EXPECT_EQ(Views().size(), 1);
  view->SortBy(2);
  EXPECT_TRUE(Asked().isEmpty()) << "the new column is already the sort column";
}

TEST_F(ResortTest, ClickOnAPanelSortsItsView) {
  auto* view = OpenInterval();
  ASSERT_NE(view, nullptr);
  QTest::mouseClick(view->Panel(3), Qt::LeftButton);
  EXPECT_EQ(view->SortColumn(), 3);
}

TEST_F(OpenViewsTest, EventViewSortsByEveryColumnAndDropsDuplicatesAgain) {
  const auto path = dir.Write("e.zdr", {EventRecord(3, 'G'), EventRecord(1, 'O'),
                                        EventRecord(2, 'H'), EventRecord(2, 'H')});
  Open(path);
  auto* view = OnlyView<EventView>();
  ASSERT_NE(view, nullptr);
  Asked();
  for (int column = 2; column <= 7; ++column) {
    dir.Write("e.zdr", {EventRecord(3, 'G'), EventRecord(1, 'O'), EventRecord(2, 'H'),
                        EventRecord(2, 'H'), EventRecord(4, 'H')});
    view->ReloadRows();  // the same as a click: the file again, with duplicates removed
    EXPECT_EQ(view->Content().rows.Size(), 4u);
    switch (column) {
      case 2:
        view->SortBy(2);
        break;
      case 3:
        view->SortBy(3);
        break;
      case 4:
        view->SortBy(4);
        break;
      case 5:
        view->SortBy(5);
        break;
      case 6:
        view->SortBy(6);
        break;
      case 7:
        view->SortBy(7);
        break;
    }
    EXPECT_EQ(view->SortColumn(), column);
    for (int panel = 1; panel <= 7; ++panel)
      EXPECT_EQ(view->Panel(panel)->IsLowered(), panel == column) << column << panel;
    // The switched-off row has blank columns 2 to 6 and sorts first by them.
    if (column <= 6) {
      EXPECT_EQ(view->Report().DisplayText(0).substr(14, 3), ":01");
    }
  }
  EXPECT_TRUE(Asked().isEmpty());
}

TEST_F(OpenViewsTest, ViewCommandsFollowTheOpenViews) {
  Open(dir.Write("a.zdr", {EventRecord(1)}));
  Open(dir.Write("b.czt", TwoChannelArchive()));
  ASSERT_EQ(Views().size(), 2);
  EXPECT_EQ(main.ActiveViewKind(), ArchiveKind::Interval);
  main.MdiArea()->activeSubWindow()->close();
  QApplication::processEvents();
  EXPECT_TRUE(main.ViewCommandsEnabled());
  EXPECT_EQ(main.ActiveViewKind(), ArchiveKind::Event);
  main.MdiArea()->activeSubWindow()->close();
  QApplication::processEvents();
  EXPECT_FALSE(main.ViewCommandsEnabled());
  EXPECT_EQ(main.ActiveViewKind(), ArchiveKind::Event) << "the kind is kept";
}

TEST(SituationColour, FollowsTheColourDigit) {
  EXPECT_EQ(SituationColour("x0"), QColor(0, 255, 0));
  EXPECT_EQ(SituationColour("x1"), QColor(255, 128, 128));
  EXPECT_EQ(SituationColour("x2"), QColor(255, 0, 0));
  EXPECT_EQ(SituationColour("x3"), QColor(192, 192, 192));
  EXPECT_EQ(SituationColour("x4"), QColor(255, 255, 0));
  EXPECT_EQ(SituationColour("x5"), std::nullopt);
  EXPECT_EQ(SituationColour("x  "), std::nullopt);
  EXPECT_EQ(SituationColour(""), std::nullopt);
}

TEST_F(OpenViewsTest, EventRowsAreDrawnOnTheirColourEvenWhenSelected) {
  Open(dir.Write("e.zdr", {EventRecord(1, 'H'), EventRecord(2, 'O'), EventRecord(3, 'G')}));
  auto* view = OnlyView<EventView>();
  ASSERT_NE(view, nullptr);
  view->List()->setCurrentIndex(view->List()->model()->index(0, 0));
  QApplication::processEvents();
  const QImage image = view->List()->viewport()->grab().toImage();
  const int x = image.width() - 5;
  const QColor base = view->List()->palette().color(QPalette::Base);
  EXPECT_EQ(image.pixelColor(x, 7), QColor(255, 0, 0)) << "selected H row stays red";
  EXPECT_EQ(image.pixelColor(x, 14 + 7), base) << "O row on the window background";
  EXPECT_EQ(image.pixelColor(x, 28 + 7), QColor(0, 255, 0));
}

TEST_F(OpenViewsTest, SelectedIntervalRowKeepsItsHighlight) {
  Open(dir.Write("i.czt", TwoChannelArchive()));
  auto* view = OnlyView<IntervalView>();
  ASSERT_NE(view, nullptr);
  view->List()->setCurrentIndex(view->List()->model()->index(1, 0));
  const QImage image = view->List()->viewport()->grab().toImage();
  EXPECT_EQ(image.pixelColor(image.width() - 5, 14 + 7),
            view->List()->palette().color(QPalette::Highlight));
}

TEST_F(OpenViewsTest, PanelHintsShowOnlyTheirLongPart) {
  strings.Set(159, "Sortuj|Sortuje dane");
  Open(dir.Write("e.zdr", {EventRecord(1)}));
  ASSERT_NE(OnlyView<EventView>(), nullptr);
  for (int panel = 1; panel <= 7; ++panel) {
    EXPECT_EQ(OnlyView<EventView>()->Panel(panel)->statusTip(), "Sortuje dane");
    EXPECT_TRUE(OnlyView<EventView>()->Panel(panel)->toolTip().isEmpty());
  }
}

TEST_F(ResortTest, ReSortStartsAtTheFirstRowOfTheNewOrder) {
  std::vector<ArchiveRecord> records = IntervalHeader();
  for (int minute = 0; minute < 60; ++minute) {
    records.push_back(
        IntervalRecord(minute, (minute % 2 ? " 10.0" : " 20.0") + std::string("1.0")));
  }
  path = dir.Write("long.czt", records);
  Open(path);
  auto* view = OnlyView<IntervalView>();
  ASSERT_NE(view, nullptr);
  view->List()->scrollToBottom();
  view->List()->setCurrentIndex(view->List()->model()->index(59, 0));
  QApplication::processEvents();
  ASSERT_GT(view->List()->verticalScrollBar()->value(), 0);
  view->SortBy(2);
  QApplication::processEvents();
  EXPECT_EQ(view->List()->verticalScrollBar()->value(), 0);
  EXPECT_EQ(view->List()->currentIndex().row(), 0);
  EXPECT_EQ(view->List()->indexAt(QPoint(5, 5)).row(), 0);
}

// When a re-sort stops at a record of the wrong kind, its message stands over the rows read
// before that record, already in the list and on the screen.
TEST_F(OpenViewsTest, RowsReadBeforeAFailedReSortAreShownBehindItsMessage) {
  const auto eventPath = dir.Write("e.zdr", {EventRecord(1), EventRecord(2)});
  Open(eventPath);
  auto* events = OnlyView<EventView>();
  ASSERT_NE(events, nullptr);
  Asked();
  dir.Write("e.zdr", {EventRecord(3, 'G'), EventRecord(1), EventRecord(2, 'H', kIntervalKind),
                      EventRecord(4)});
  int rowsShown = -1;
  dialogs.whileMessageShown = [&] { rowsShown = events->List()->model()->rowCount(); };
  events->SortBy(7);
  EXPECT_EQ(Asked(), WrongKind("e.zdr"));
  EXPECT_EQ(rowsShown, 2);
  EXPECT_EQ(events->List()->model()->rowCount(), 2);
  EXPECT_FALSE(events->Document().File().IsOpen());
  EXPECT_TRUE(events->Panel(1)->IsLowered()) << "the bevels still show the old column";
  events->close();
  QApplication::processEvents();

  const auto intervalPath = dir.Write("i.czt", TwoChannelArchive());
  Open(intervalPath);
  auto* intervals = OnlyView<IntervalView>();
  ASSERT_NE(intervals, nullptr);
  Asked();
  dir.Write("i.czt", Join(TwoChannelArchive(), std::vector{IntervalRecord(20, "", kEventKind)}));
  rowsShown = -1;
  dialogs.whileMessageShown = [&] { rowsShown = intervals->List()->model()->rowCount(); };
  intervals->SortBy(3);
  EXPECT_EQ(Asked(), WrongKind("i.czt"));
  EXPECT_EQ(rowsShown, 3);
}

}  // namespace
}  // namespace telvoran
