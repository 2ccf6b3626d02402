// Long work in the program: cancelled, an opening (of a file or a span of days) leaves no view,
// a re-sort the old order and a save no file (an existing one whole); while it runs the window's
// events go on, the status bar shows its progress and Esc or the Cancel button stop it.
#include <QApplication>
#include <QElapsedTimer>
#include <QMdiArea>
#include <QProgressBar>
#include <QPrinter>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include "app/ProgramState.h"
#include "app/commands/OpenArchive.h"
#include "app/mainwindow/MainWindow.h"
#include "app/views/HeaderPanel.h"
#include "app/views/IntervalView.h"
#include "app/work/LongWork.h"
#include "core/text/StringIds.h"
#include "core/work/WorkProgress.h"
#include "support/ArchiveRecords.h"
#include "support/MainWindowFixture.h"
#include "support/OpenedViews.h"

namespace telvoran {
namespace {

using namespace test;

class LongWorkTest : public MainWindowFixture {
 protected:
  QStringList Asked() { return std::exchange(dialogs.asked, {}); }

  // A re-sort by channel 2, cancelled, leaves the view's rows and sort column (the first) as
  // they were; returns the rows.
  std::vector<std::string> ExpectACancelledResortKeepsTheOrder(DataView& view) {
    const std::vector<std::string> opened = Displayed(view);
    LongWork::CancelNext();
    view.SortBy(3);
    EXPECT_EQ(view.SortColumn(), 1);
    EXPECT_EQ(Displayed(view), opened);
    EXPECT_TRUE(view.Panel(1)->IsLowered());
    EXPECT_FALSE(view.Panel(3)->IsLowered());
    return opened;
  }
};

TEST_F(LongWorkTest, CancelledOpenResortAndSaveLeaveAllAsItWas) {
  const auto path = dir.Write(
      "2005-03-14_C07.czt",
      Join(IntervalHeader('2'), std::vector{IntervalRecord(9, " 21.5  3.0"),
                                            IntervalRecord(7, "101.0  2.0"),
                                            IntervalRecord(8, "  5.0  1.0")}));
  LongWork::CancelNext();
  OpenThroughDialog(main, dialogs, path);
  EXPECT_TRUE(main.MdiArea()->subWindowList().isEmpty());
  EXPECT_EQ(Asked().size(), 1) << "the open dialog, no message";

  auto* view = OpenedView<DataView>(main, dialogs, path);
  ASSERT_NE(view, nullptr);
  ExpectACancelledResortKeepsTheOrder(*view);

  const auto fresh = dir / "fresh.txt";
  const auto existing = dir.Write("existing.txt", "old bytes");
  for (const auto& target : {fresh, existing}) {
    dialogs.saveAnswers.push_back({QString::fromStdString(target.string())});
    if (target == existing) dialogs.yesNoAnswers.push_back(true);
    LongWork::CancelNext();
    main.SaveReport();
  }
  EXPECT_FALSE(std::filesystem::exists(fresh));
  EXPECT_EQ(ReadBytes(existing), "old bytes");

  // A printout to a file, cancelled, leaves no file half written, nor a temporary one.
  const auto freshPdf = dir / "fresh.pdf";
  const auto existingPdf = dir.Write("existing.pdf", "old printout");
  QPrinter& printer = main.State().Printer();
  printer.setOutputFormat(QPrinter::PdfFormat);
  for (const auto& target : {freshPdf, existingPdf}) {
    const QString name = QString::fromStdString(target.string());
    printer.setOutputFileName(name);
    dialogs.printAnswers.push_back(true);
    LongWork::CancelNext();
    main.PrintView();
    EXPECT_EQ(printer.outputFileName(), name);
  }
  EXPECT_FALSE(std::filesystem::exists(freshPdf));
  EXPECT_EQ(ReadBytes(existingPdf), "old printout");
  for (const QString& asked : Asked()) EXPECT_FALSE(asked.startsWith("message")) << asked.toStdString();
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 3);

  // Not cancelled, the printout takes the file's place.
  dialogs.printAnswers.push_back(true);
  main.PrintView();
  EXPECT_EQ(ReadBytes(existingPdf).substr(0, 5), "%PDF-");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 3);
}

// A span of days is read as long work too: cancelled, its opening leaves no view, its re-sort
// the old order and its reading for a new day the old rows, with nothing told.
TEST_F(LongWorkTest, CancelledSpanOpenAndResortLeaveAllAsItWas) {
  auto day = [this](const std::string& name) {
    return dir.Write(name + "_C07.czt",
                     Join(IntervalHeader('2'), std::vector{IntervalRecord(9, " 21.5  3.0"),
                                                           IntervalRecord(7, "101.0  2.0")}));
  };
  const DaySpan span{"07", "2005-03-14", "2005-03-16", {day("2005-03-14"), day("2005-03-15")}};
  QMdiArea& area = *main.MdiArea();
  LongWork::CancelNext();
  commands::OpenSpanView(main.State(), area, span);
  QApplication::processEvents();
  EXPECT_TRUE(area.subWindowList().isEmpty());

  commands::OpenSpanView(main.State(), area, span);
  QApplication::processEvents();
  auto* view = dynamic_cast<IntervalView*>(main.ActiveChild());
  ASSERT_NE(view, nullptr);
  const std::vector<std::string> opened = ExpectACancelledResortKeepsTheOrder(*view);
  ASSERT_EQ(opened.size(), 4u);

  // Following stops with the reading cancelled; taken up again, it reads the new day.
  view->SetFollowing(true);
  day("2005-03-16");
  LongWork::CancelNext();
  view->FollowFile();
  EXPECT_FALSE(view->IsFollowing());
  EXPECT_EQ(Displayed(*view), opened);
  view->SetFollowing(true);
  EXPECT_EQ(Displayed(*view).size(), 6u);
  EXPECT_TRUE(Asked().isEmpty());
}

// Work that lasts until it is stopped: the window's timers keep running, the status bar shows the
// step, a bar and the Cancel button under a busy cursor after a moment, and all goes with it.
TEST_F(LongWorkTest, EscOrTheCancelButtonStopWorkWhileTheWindowGoesOn) {
  // A view has an Esc of its own (the filter line's), which Esc must not reach meanwhile.
  auto* view = OpenedView<DataView>(
      main, dialogs,
      dir.Write("alarm2005.zdr", std::vector{EventRecord(1), EventRecord(2)}));
  ASSERT_NE(view, nullptr);
  view->ShowFilter();
  for (const bool byButton : {false, true}) {
    SCOPED_TRACE(byButton ? "button" : "Esc");
    int ticks = 0;
    QTimer ticking;
    QObject::connect(&ticking, &QTimer::timeout, [&ticks] { ++ticks; });
    ticking.start(10);
    bool barShown = false;
    bool busyCursor = false;
    QTimer::singleShot(LongWork::kShowAfterMs + 200, &main, [&] {
      const auto bars = main.statusBar()->findChildren<QProgressBar*>();
      barShown = bars.size() == 1 && bars[0]->isVisible();
      busyCursor = QApplication::overrideCursor() &&
                   QApplication::overrideCursor()->shape() == Qt::BusyCursor;
      if (byButton) {
        const auto buttons = main.statusBar()->findChildren<QPushButton*>();
        if (buttons.size() == 1) QTest::mouseClick(buttons[0], Qt::LeftButton);
      } else {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
      }
    });
    bool stopped = false;
    QElapsedTimer clock;
    clock.start();
    LongWork::Run(&main, strings, [&](WorkProgress& progress) {
      progress.Step(sid::kWorkSaving, 100);
      // Bounded, so that a fault fails the test instead of hanging it.
      while (!progress.Cancelled() && clock.elapsed() < 10000) QThread::msleep(5);
      stopped = progress.Cancelled();
    });
    EXPECT_TRUE(stopped);
    EXPECT_TRUE(barShown);
    EXPECT_TRUE(busyCursor);
    EXPECT_GT(ticks, 20) << "the window's events went on";
    EXPECT_FALSE(LongWork::Running());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    QApplication::processEvents();
    EXPECT_TRUE(main.statusBar()->findChildren<QProgressBar*>().isEmpty());
  }
  EXPECT_TRUE(view->FilterShown()) << "Esc stopped the work and did nothing else";
}

}  // namespace
}  // namespace telvoran
