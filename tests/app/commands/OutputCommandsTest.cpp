// The save and print commands on the active data view.
#include <QApplication>
#include <QFile>
#include <QMdiArea>
#include <QProcess>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "app/mainwindow/MainWindow.h"
#include "app/views/DataView.h"
#include "core/report/TextReport.h"
#include "support/ArchiveRecords.h"
#include "support/FakeStrings.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

namespace telvoran {
namespace {

using namespace test;

class OutputCommandsTest : public ::testing::Test {
 protected:
  FakeStrings strings = NumberedStrings();
  ScriptedDialogs dialogs;
  MainWindow main{strings, dialogs, "/"};
  TempDir dir;
  DataView* view = nullptr;

  void SetUp() override {
    main.show();
    std::vector<ArchiveRecord> records;
    for (int i = 0; i < 150; ++i)
      records.push_back(EventRecord(i % 60, "GLHMWOF"[i % 7], kEventKind));
    for (int i = 0; i < 150; ++i)
      records[static_cast<std::size_t>(i)].bytes[3] = static_cast<unsigned char>(10 + 1 + i / 60);
    dialogs.openAnswers.push_back(QString::fromStdString(dir.Write("e.zdr", records).string()));
    main.OpenArchive();
    QApplication::processEvents();
    view = dynamic_cast<DataView*>(main.ActiveChild());
    dialogs.asked.clear();
  }

  // The bytes of the report of the view, written the one way the program writes reports.
  std::string ExpectedReport() {
    const auto path = dir / "expected.txt";
    EXPECT_EQ(WriteTextReport(view->Report(), path), std::nullopt);
    return ReadBytes(path);
  }
};

TEST_F(OutputCommandsTest, SaveWritesTheReportOfTheActiveView) {
  ASSERT_NE(view, nullptr);
  const auto target = dir / "report.txt";
  dialogs.saveAnswers.push_back({QString::fromStdString(target.string())});
  main.SaveReport();
  EXPECT_EQ(dialogs.asked, QStringList{"save:S114|S115 (*.txt)|*.txt|txt"});
  const std::string report = ReadBytes(target);
  EXPECT_EQ(report, ExpectedReport());
  EXPECT_EQ(report.substr(0, 11), "S113e.zdr\r\n");
}

TEST_F(OutputCommandsTest, CancelledSaveWritesNothing) {
  dialogs.saveAnswers.push_back({});
  main.SaveReport();
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1)
      << "only the archive";
}

TEST_F(OutputCommandsTest, ExistingFileIsReplacedOnlyAfterYes) {
  ASSERT_NE(view, nullptr);
  const auto first = dir.Write("first.txt", "keep");
  const auto second = dir.Write("second.txt", "old");
  dialogs.saveAnswers.push_back(
      {QString::fromStdString(first.string()), QString::fromStdString(second.string())});
  dialogs.yesNoAnswers = {false, true};
  main.SaveReport();
  EXPECT_EQ(dialogs.asked,
            (QStringList{"save:S114|S115 (*.txt)|*.txt|txt", "beep", "yesno:Telvoran|S153\rS154",
                         "beep", "yesno:Telvoran|S153\rS154"}));
  EXPECT_EQ(ReadBytes(first), "keep");
  EXPECT_EQ(ReadBytes(second), ExpectedReport());
}

TEST_F(OutputCommandsTest, FailedWriteIsShownAndLeavesNothingBehind) {
  dialogs.saveAnswers.push_back({QString::fromStdString((dir / "missing" / "r.txt").string())});
  main.SaveReport();
  ASSERT_EQ(dialogs.asked.size(), 2);
  EXPECT_TRUE(dialogs.asked[1].startsWith("error:Telvoran|")) << dialogs.asked[1].toStdString();
  EXPECT_FALSE(std::filesystem::exists(dir / "missing"));
}

TEST_F(OutputCommandsTest, PrintCancelledPrintsNothingAndAcceptedPrintsEveryRow) {
  ASSERT_NE(view, nullptr);
  const QString pdf = QString::fromStdString((dir / "view.pdf").string());
  main.State().Printer().setOutputFormat(QPrinter::PdfFormat);
  main.State().Printer().setOutputFileName(pdf);
  dialogs.printAnswers = {false, true};
  main.PrintView();
  EXPECT_FALSE(QFile::exists(pdf));
  main.PrintView();
  ASSERT_TRUE(QFile::exists(pdf));
  QProcess text;
  text.start("pdftotext", {"-layout", pdf, "-"});
  if (!text.waitForFinished(20000)) GTEST_SKIP() << "pdftotext is not installed";
  const QString printed = QString::fromUtf8(text.readAllStandardOutput());
  EXPECT_TRUE(printed.contains("S152e.zdr"));
  EXPECT_EQ(printed.count("2009-03-0"), static_cast<int>(view->Report().RowCount()));
  EXPECT_EQ(dialogs.asked, (QStringList{"print", "print"}));
}

}  // namespace
}  // namespace telvoran
