// The filter line of the views: the command that shows it, typing and ticking, the status bar's
// count, re-sorting and following a filtered view, and saving and printing what it shows.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMdiArea>
#include <QProcess>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <algorithm>

#include "app/QtText.h"
#include "app/mainwindow/MainWindow.h"
#include "app/views/EventView.h"
#include "app/views/FilterBar.h"
#include "app/views/IntervalView.h"
#include "app/views/RowDelegates.h"
#include "core/text/Cp1250.h"
#include "support/ArchiveRecords.h"
#include "support/FakeStrings.h"
#include "support/FileSystemThings.h"
#include "support/OpenedViews.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

namespace telvoran {
namespace {

using enum CommandId;
using enum Place;

using namespace test;

// Events of minutes 0 to count - 1 of one hour, situations in turn G L H M W O F.
std::vector<ArchiveRecord> Events(int count, int hour = 7) {
  std::vector<ArchiveRecord> records;
  for (int i = 0; i < count; ++i) {
    auto record = EventRecord(i % 60, "GLHMWOF"[i % 7]);
    record.bytes[0] = static_cast<unsigned char>(10 + i % 13);  // the central unit
    record.bytes[4] = static_cast<unsigned char>(10 + hour);
    records.push_back(record);
  }
  return records;
}

// The rows of a list as the list model hands them to the list.
std::vector<std::string> Listed(const DataView& view) {
  std::vector<std::string> rows;
  const QAbstractItemModel* model = view.List()->model();
  for (int i = 0; i < model->rowCount(); ++i)
    rows.push_back(ToCp1250(model->index(i, 0).data().toString()));
  return rows;
}

// Every row of the view that contains `text`, found without the filter, in list order.
std::vector<std::string> Containing(std::vector<std::string> rows, std::string_view text) {
  std::erase_if(rows, [&](const std::string& row) { return row.find(text) == std::string::npos; });
  return rows;
}

class FilterTest : public ::testing::Test {
 protected:
  FakeStrings strings = Strings();
  ScriptedDialogs dialogs;
  MainWindow main{strings, dialogs, "/"};
  TempDir dir;

  static FakeStrings Strings() {
    FakeStrings texts = NumberedStrings();
    texts.Set(162, Utf8ToCp1250("Przekroczenie GÓRNE"));
    texts.Set(161, Utf8ToCp1250("Przekroczenie dolne"));
    texts.Set(244, " of ");
    texts.Set(245, " rows");
    texts.Set(246, "Filter: ");
    texts.Set(247, "text ");
    texts.Set(248, "without situations: ");
    return texts;
  }

  void SetUp() override { main.show(); }

  template <typename View>
  View* Open(const std::filesystem::path& path) {
    return OpenedView<View>(main, dialogs, path);
  }

  // Ctrl+F through the main window's command, then the text typed key by key (letters the
  // test's keyboard lacks as if from an input method).
  void Type(DataView& view, const QString& text) {
    main.Item({kFilter, kMenu})->trigger();
    for (const QChar c : text) {
      if (c.unicode() < 128)
        QTest::keyClick(view.FilterLine()->TextLine, c.toLatin1());
      else
        view.FilterLine()->TextLine->insert(c);
    }
  }

  QString Count() const {
    return main.ShownRowsLabel->isVisible() ? main.ShownRowsLabel->text() : QString();
  }
};

TEST_F(FilterTest, CommandIsOnWhileAViewIsActiveAndShowsTheLineWithTheKeyboardInIt) {
  for (QAction* item : {main.Item({kFilter, kMenu}), main.Item({kFilter, kPopUp})}) {
    EXPECT_FALSE(item->isEnabled());
    EXPECT_EQ(item->text(), "S240");
    EXPECT_EQ(item->statusTip(), "S241");
  }
  EXPECT_EQ(main.Item({kFilter, kMenu})->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F));
  auto* view = Open<EventView>(dir.Write("a.zdr", Events(30)));
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(main.Item({kFilter, kMenu})->isEnabled());
  EXPECT_TRUE(main.Item({kFilter, kPopUp})->isEnabled());
  EXPECT_FALSE(view->FilterShown());
  EXPECT_EQ(Count(), "");

  main.Item({kFilter, kPopUp})->trigger();
  EXPECT_TRUE(view->FilterShown());
  EXPECT_TRUE(view->FilterLine()->TextLine->hasFocus());
  EXPECT_EQ(Count(), "30 of 30 rows");

  // A chart window has no rows to filter; the view's count comes back with the view.
  main.ShowChart();
  QApplication::processEvents();
  ASSERT_NE(main.ActiveChild(), view);
  EXPECT_FALSE(main.Item({kFilter, kMenu})->isEnabled());
  EXPECT_EQ(Count(), "");
  main.MdiArea()->setActiveSubWindow(view);
  EXPECT_TRUE(main.Item({kFilter, kMenu})->isEnabled());
  EXPECT_EQ(Count(), "30 of 30 rows");

  main.MdiArea()->closeAllSubWindows();
  QApplication::processEvents();
  EXPECT_FALSE(main.Item({kFilter, kMenu})->isEnabled());
  EXPECT_EQ(Count(), "");
  EXPECT_TRUE(dialogs.asked.isEmpty());
}

TEST_F(FilterTest, TypedTextKeepsRowsContainingItWithCaseAndPolishLettersFoldedAsTheSortDoes) {
  auto* view = Open<EventView>(dir.Write("a.zdr", Events(70)));
  ASSERT_NE(view, nullptr);
  const std::vector<std::string> all = Displayed(*view);

  Type(*view, QString::fromUtf8("górne"));
  const std::vector<std::string> upper = Containing(all, Utf8ToCp1250("GÓRNE"));
  ASSERT_EQ(upper.size(), 10u);  // the H rows
  EXPECT_EQ(Displayed(*view), upper);
  EXPECT_EQ(Listed(*view), upper);
  EXPECT_EQ(Count(), "10 of 70 rows");

  // "o" is not "ó": no row contains "gorne".
  const auto* note = view->findChild<QLabel*>("EmptyFilterNote");
  ASSERT_NE(note, nullptr);
  EXPECT_FALSE(note->isVisibleTo(view->List()));
  view->FilterLine()->TextLine->setText("GORNE");
  EXPECT_EQ(view->Report().RowCount(), 0u);
  EXPECT_EQ(Count(), "0 of 70 rows");
  // The empty list says why it is empty.
  EXPECT_TRUE(note->isVisibleTo(view->List()));
  EXPECT_EQ(note->text(), "S281");

  // Deleting letters widens the filter again; every keystroke is a new filter.
  view->FilterLine()->TextLine->setText(QString::fromUtf8("PRZEKROCZENIE"));
  EXPECT_EQ(Displayed(*view), Containing(all, "Przekroczenie"));
  EXPECT_FALSE(note->isVisibleTo(view->List()));
  view->FilterLine()->TextLine->setText("");
  EXPECT_EQ(Displayed(*view), all);
  EXPECT_EQ(Count(), "70 of 70 rows");
  EXPECT_TRUE(dialogs.asked.isEmpty());
}

TEST_F(FilterTest, EscHidesTheLineBringsEveryRowBackAndTheTextReturnsWithTheLine) {
  auto* view = Open<EventView>(dir.Write("a.zdr", Events(70)));
  ASSERT_NE(view, nullptr);
  view->SortBy(3);
  const std::vector<std::string> all = Displayed(*view);
  Type(*view, ":1");
  ASSERT_LT(view->Report().RowCount(), all.size());

  QTest::keyClick(view->FilterLine()->TextLine, Qt::Key_Escape);
  EXPECT_FALSE(view->FilterShown());
  EXPECT_EQ(Displayed(*view), all) << "every row, in the current order";
  EXPECT_EQ(Count(), "");
  EXPECT_TRUE(view->List()->hasFocus());

  main.Item({kFilter, kMenu})->trigger();
  EXPECT_EQ(view->FilterLine()->TextLine->text(), ":1");
  EXPECT_EQ(view->FilterLine()->TextLine->selectedText(), ":1") << "typing replaces it";
  EXPECT_EQ(Displayed(*view), Containing(all, ":1"));

  // Esc from the list hides the line too, and so does its close button.
  view->List()->setFocus();
  QTest::keyClick(view->List(), Qt::Key_Escape);
  EXPECT_FALSE(view->FilterShown());
  main.Item({kFilter, kMenu})->trigger();
  view->FilterLine()->CloseButton->click();
  EXPECT_FALSE(view->FilterShown());
  EXPECT_EQ(Displayed(*view), all);
}

TEST_F(FilterTest, SituationBoxesCarryTheirTextOnTheirRowColourAndHideTheirRows) {
  auto* view = Open<EventView>(dir.Write("a.zdr", Events(70)));
  ASSERT_NE(view, nullptr);
  const std::vector<std::string> all = Displayed(*view);
  main.Item({kFilter, kMenu})->trigger();
  FilterBar& bar = *view->FilterLine();
  for (char code : std::string("GLHMWOF")) {
    SCOPED_TRACE(code);
    ASSERT_NE(bar.SituationBox(code), nullptr);
    EXPECT_TRUE(bar.SituationBox(code)->isChecked());
  }
  QCheckBox& high = *bar.SituationBox('H');
  EXPECT_EQ(high.text(), QString::fromUtf8("Przekroczenie GÓRNE"));
  EXPECT_TRUE(high.styleSheet().contains("background-color: " + SituationColour("2")->name()));
  EXPECT_TRUE(bar.SituationBox('O')->styleSheet().isEmpty()) << "O rows have no colour";
  EXPECT_EQ(high.statusTip(), "S249");

  // The boxes drop down from one button, so the line takes one row of the view.
  ASSERT_NE(bar.SituationsButton, nullptr);
  EXPECT_EQ(bar.SituationsButton->text(), "S284 7/7");
  EXPECT_LE(
      bar.sizeHint().height(),
      std::max(bar.TextLine->sizeHint().height(), bar.SituationsButton->sizeHint().height()) + 4);

  high.click();
  bar.SituationBox('L')->click();
  EXPECT_EQ(bar.SituationsButton->text(), "S284 5/7");
  std::vector<std::string> expected = all;
  std::erase_if(expected, [](const std::string& row) {
    return row.find("Przekroczenie") != std::string::npos;
  });
  EXPECT_EQ(Displayed(*view), expected);
  EXPECT_EQ(Count(), "50 of 70 rows");
  // Text and boxes together.
  bar.TextLine->setText(":0");
  EXPECT_EQ(Displayed(*view), Containing(expected, ":0"));
  bar.SituationBox('L')->click();
  bar.TextLine->setText("dolne");
  EXPECT_EQ(Displayed(*view), Containing(all, "dolne"));

  // An interval view has no situations.
  auto* interval = Open<IntervalView>(
      dir.Write("b.czt", Join(IntervalHeader(), std::vector{IntervalRecord(1)})));
  ASSERT_NE(interval, nullptr);
  EXPECT_EQ(interval->FilterLine()->SituationBox('H'), nullptr);
  EXPECT_EQ(interval->FilterLine()->SituationsButton, nullptr);
}

TEST_F(FilterTest, ReSortReadsTheFileAndTheFilterAppliesToTheNewRows) {
  const auto path = dir.Write("a.zdr", Events(70));
  auto* view = Open<EventView>(path);
  ASSERT_NE(view, nullptr);
  Type(*view, "S165");  // the O rows
  ASSERT_EQ(view->Report().RowCount(), 10u);

  // The file grew meanwhile: the re-sort reads it again and filters its rows.
  Append(path, Events(14, 9));
  view->SortBy(7);
  EXPECT_EQ(view->Report().RowCount(), 12u);
  EXPECT_EQ(Count(), "12 of 84 rows");
  const std::vector<std::string> shown = Displayed(*view);
  view->HideFilter();
  const std::vector<std::string> all = Displayed(*view);
  ASSERT_EQ(all.size(), 84u);
  EXPECT_EQ(shown, Containing(all, "S165"));
  EXPECT_TRUE(dialogs.asked.isEmpty());
}

TEST_F(FilterTest, FollowedRecordsAreFilteredAsTheyArrive) {
  const auto path = dir.Write("a.zdr", Events(70));
  auto* view = Open<EventView>(path);
  ASSERT_NE(view, nullptr);
  view->SortBy(2);
  view->SetFollowing(true);
  Type(*view, ":0");
  const std::size_t before = view->Report().RowCount();

  Append(path, Events(40, 9));
  view->FollowFile();
  view->FilterLine()->Close();
  const std::vector<std::string> all = Displayed(*view);
  ASSERT_EQ(all.size(), 110u);
  main.Item({kFilter, kMenu})->trigger();
  EXPECT_EQ(Displayed(*view), Containing(all, ":0"));
  EXPECT_GT(view->Report().RowCount(), before);
  EXPECT_EQ(Count(), QString::number(view->Report().RowCount()) + " of 110 rows");
}

TEST_F(FilterTest, CurrentRowStaysWhileItIsShown) {
  auto* view = Open<EventView>(dir.Write("a.zdr", Events(70)));
  ASSERT_NE(view, nullptr);
  view->List()->setCurrentIndex(view->List()->model()->index(45, 0));
  const std::string current(view->Report().DisplayText(45));
  Type(*view, QString::fromStdString(current.substr(12, 6)));  // its hour and minute
  ASSERT_LT(view->Report().RowCount(), 10u);
  const int row = view->List()->currentIndex().row();
  ASSERT_GE(row, 0);
  EXPECT_EQ(view->Report().DisplayText(static_cast<std::size_t>(row)), current);
  view->HideFilter();
  EXPECT_EQ(view->List()->currentIndex().row(), 45);
}

TEST_F(FilterTest, HiddenCurrentRowPassesTheKeyboardToTheNearestRowShown) {
  auto* view = Open<EventView>(dir.Write("a.zdr", Events(70)));
  ASSERT_NE(view, nullptr);
  const std::vector<std::string> all = Displayed(*view);
  const auto crossing = [](const std::string& row) {
    return row.find("Przekroczenie") != std::string::npos;
  };
  // A row of a crossing halfway down, and the first row after it of another situation.
  const auto current = std::find_if(all.begin() + 30, all.end(), crossing);
  ASSERT_NE(current, all.end());
  const auto next = std::find_if_not(current, all.end(), crossing);
  ASSERT_NE(next, all.end());
  view->List()->setCurrentIndex(view->List()->model()->index(current - all.begin(), 0));

  main.Item({kFilter, kMenu})->trigger();
  view->FilterLine()->SituationBox('H')->click();
  view->FilterLine()->SituationBox('L')->click();
  const int row = view->List()->currentIndex().row();
  ASSERT_GE(row, 0);
  EXPECT_EQ(view->Report().DisplayText(static_cast<std::size_t>(row)), *next);

  // Past the last row shown, the last one shown before it takes the keyboard.
  view->FilterLine()->TextLine->setText(QString::fromStdString(all.front()));
  EXPECT_EQ(view->List()->currentIndex().row(), 0);
}

// The rows shown go out with the usual heading, and the note of the filter under the heading.
TEST_F(FilterTest, SavingAndPrintingPutOutTheRowsShown) {
  auto* view = Open<EventView>(dir.Write("a.zdr", Events(70)));
  ASSERT_NE(view, nullptr);
  const std::vector<std::string> all = Displayed(*view);
  Type(*view, ":1");
  view->FilterLine()->SituationBox('H')->click();
  std::vector<std::string> shown = Containing(all, ":1");
  const std::string high = Utf8ToCp1250("GÓRNE");
  std::erase_if(shown, [&](const std::string& row) { return row.find(high) != std::string::npos; });
  ASSERT_EQ(Displayed(*view), shown);

  const auto target = dir / "report.txt";
  dialogs.saveAnswers.push_back({QString::fromStdString(target.string())});
  main.SaveReport();
  const std::string report = ReadBytes(target);
  std::string expected;
  for (std::size_t line = 0; line < 5; ++line) {
    const std::size_t end = report.find("\r\n", expected.size());
    expected = report.substr(0, end + 2);
  }
  EXPECT_EQ(expected.substr(0, 11), "S113a.zdr\r\n") << "the usual heading";
  expected +=
      "Filter: " + std::to_string(shown.size()) +
      " of 70 rows; text \":1\"; without situations: " + Utf8ToCp1250("Przekroczenie GÓRNE") +
      "\r\n";
  for (const std::string& row : shown) expected += row + "\r\n";
  EXPECT_EQ(report, expected);

  const QString pdf = QString::fromStdString((dir / "view.pdf").string());
  main.State().Printer().setOutputFormat(QPrinter::PdfFormat);
  main.State().Printer().setOutputFileName(pdf);
  dialogs.printAnswers = {true};
  main.PrintView();
  ASSERT_TRUE(QFile::exists(pdf));
  QProcess text;
  text.start("pdftotext", {"-layout", pdf, "-"});
  if (!text.waitForFinished(20000)) GTEST_SKIP() << "pdftotext is not installed";
  const QString printed = QString::fromUtf8(text.readAllStandardOutput());
  EXPECT_TRUE(printed.contains(
      QString("Filter: %1 of 70 rows; text \":1\"; without situations: ").arg(shown.size()) +
      QString::fromUtf8("Przekroczenie GÓRNE")))
      << printed.toStdString();
  EXPECT_EQ(printed.count("2009-03-0"), static_cast<int>(shown.size()));
}

// In a big view, keystrokes typed while a filter is being applied are taken together: the text
// as it then stands is applied once, and shows what filtering by it at one go shows.
TEST_F(FilterTest, KeystrokesTypedMeanwhileInABigViewAreAppliedOnceAsOneFilter) {
  std::vector<ArchiveRecord> records;
  for (int i = 0; i < 120'000; ++i) {
    std::string value = std::to_string(i % 99'999);
    value.insert(0, 5 - value.size(), ' ');
    records.push_back(IntervalRecord(i % 60, value + "  1.0"));
  }
  auto* view = Open<IntervalView>(dir.Write("big.czt", Join(IntervalHeader('2'), records)));
  ASSERT_NE(view, nullptr);
  const std::vector<std::string> all = Displayed(*view);
  view->ShowFilter();
  QApplication::processEvents();
  QSignalSpy applied(view, &DataView::shownRowsChanged);

  for (const char* text : {"1", "12", "123", "12"}) view->FilterLine()->TextLine->setText(text);
  EXPECT_EQ(view->ShownRowCount(), all.size()) << "applied before the keystrokes were all in";
  // The rows are chosen aside while the window goes on.
  EXPECT_TRUE(QTest::qWaitFor([&] { return applied.count() > 0; }, 5000));

  EXPECT_EQ(applied.count(), 1);
  EXPECT_EQ(Displayed(*view), Containing(all, "12"));
  EXPECT_LT(view->ShownRowCount(), all.size());

  // A keystroke typed while the rows of the one before are being chosen stops that and shows
  // what filtering by the last text at one go shows; the view's rows stay readable meanwhile.
  applied.clear();
  view->FilterLine()->TextLine->setText("1");
  QApplication::processEvents();
  view->FilterLine()->TextLine->setText("3");
  EXPECT_EQ(Displayed(*view), Containing(all, "12"));
  EXPECT_TRUE(QTest::qWaitFor([&] { return Displayed(*view) == Containing(all, "3"); }, 5000));
  EXPECT_EQ(Displayed(*view), Containing(all, "3"));
  QTest::qWait(50);
  EXPECT_EQ(Displayed(*view), Containing(all, "3")) << "nothing applied after the last";

  view->HideFilter();
  QApplication::processEvents();
  EXPECT_EQ(view->ShownRowCount(), all.size());
}

}  // namespace
}  // namespace telvoran
