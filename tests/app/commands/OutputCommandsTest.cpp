// The save and print commands on the active data view.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QProcess>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <tuple>

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

// The save dialog as the save command shows it: the text report's type first, then CSV.
const QString kSaveAsked = "save:S114|S115 (*.txt)|*.txt|S250 (*.csv)|*.csv|txt";
constexpr int kCsvType = 2;

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
    EXPECT_EQ(WriteTextReport(view->Report(), strings, path), std::nullopt);
    return ReadBytes(path);
  }
};

TEST_F(OutputCommandsTest, SaveWritesTheReportOfTheActiveView) {
  ASSERT_NE(view, nullptr);
  const auto target = dir / "report.txt";
  dialogs.saveAnswers.push_back({QString::fromStdString(target.string())});
  main.SaveReport();
  EXPECT_EQ(dialogs.asked, QStringList{kSaveAsked});
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
  EXPECT_EQ(dialogs.asked, (QStringList{kSaveAsked, "beep", "yesno:Telvoran|S153\rS154", "beep",
                                        "yesno:Telvoran|S153\rS154"}));
  EXPECT_EQ(ReadBytes(first), "keep");
  EXPECT_EQ(ReadBytes(second), ExpectedReport());
}

TEST_F(OutputCommandsTest, FailedWriteIsShownAndLeavesNothingBehind) {
  dialogs.saveAnswers.push_back({QString::fromStdString((dir / "missing" / "r.txt").string())});
  main.SaveReport();
  ASSERT_EQ(dialogs.asked.size(), 2);
  EXPECT_TRUE(dialogs.asked[1].startsWith("error:r.txt - Telvoran|"))
      << dialogs.asked[1].toStdString();
  EXPECT_FALSE(std::filesystem::exists(dir / "missing"));
}

TEST_F(OutputCommandsTest, SaveWithTheCsvTypeWritesTheSpreadsheetFile) {
  ASSERT_NE(view, nullptr);
  view->SortBy(7);
  const auto target = dir / "alarms.dat";
  dialogs.saveAnswers.push_back({QString::fromStdString(target.string())});
  dialogs.saveTypeAnswers.push_back(kCsvType);
  main.SaveReport();
  EXPECT_EQ(dialogs.asked, QStringList{kSaveAsked});
  // The type chosen decides for an extension that names no type offered.
  const QStringList lines = QString::fromStdString(ReadBytes(target)).split("\r\n");
  ASSERT_EQ(lines.size(), 1 + static_cast<qsizetype>(view->Report().RowCount()) + 1);
  EXPECT_EQ(lines.front(),
            "date_time,central_unit,channel,medium,value,unit,situation,situation_text");
  EXPECT_EQ(lines.back(), "") << "the last line ends in CR LF too";
  // In the view's current order: sorted by situation, the rows of S160 (G) come first.
  EXPECT_EQ(lines[1], "2009-03-01T07:00:09,5,2,AB,45.0,cd,0,S160");
  EXPECT_TRUE(lines[lines.size() - 2].endsWith(",5,S166")) << lines[lines.size() - 2].toStdString();
}

// An extension that names a type offered chooses it, whichever type the dialog shows.
TEST_F(OutputCommandsTest, TheNamesExtensionChoosesTheTypeItNames) {
  ASSERT_NE(view, nullptr);
  for (const auto& [name, type, csv] :
       {std::tuple{"x.csv", 1, true}, std::tuple{"y.TXT", kCsvType, false},
        std::tuple{"z.Csv", 1, true}}) {
    SCOPED_TRACE(name);
    const auto target = dir / name;
    dialogs.saveAnswers.push_back({QString::fromStdString(target.string())});
    dialogs.saveTypeAnswers.push_back(type);
    main.SaveReport();
    const std::string written = ReadBytes(target);
    EXPECT_EQ(written.starts_with("date_time,central_unit,"), csv);
    if (!csv) {
      EXPECT_EQ(written, ExpectedReport());
    }
  }
}

// The archive of an open view, under its own name or through a link, is refused with a message
// naming it, and the dialog stays open for another name.
TEST_F(OutputCommandsTest, SaveRefusesTheArchiveOfAnyOpenView) {
  ASSERT_NE(view, nullptr);
  const auto other = dir.Write("other.zdr", std::vector{EventRecord(1, 'G', kEventKind)});
  dialogs.openAnswers.push_back(QString::fromStdString(other.string()));
  main.OpenArchive();
  QApplication::processEvents();
  const auto first = dir / "e.zdr";
  std::filesystem::create_symlink(first, dir / "link.txt");
  std::filesystem::create_hard_link(first, dir / "hard.csv");
  const std::string archiveBytes = ReadBytes(first);
  const std::string otherBytes = ReadBytes(other);

  QStringList names;
  for (const auto& name : {first, other, dir / "link.txt", dir / "hard.csv", dir / "r.txt"})
    names << QString::fromStdString(name.string());
  dialogs.saveAnswers.push_back(names);
  dialogs.asked.clear();
  main.SaveReport();
  QStringList expected{kSaveAsked};
  for (qsizetype refused = 0; refused < 4; ++refused)
    expected << "error:Telvoran|S260\r" + QDir::toNativeSeparators(names[refused]);
  EXPECT_EQ(dialogs.asked, expected);
  EXPECT_EQ(ReadBytes(first), archiveBytes);
  EXPECT_EQ(ReadBytes(other), otherBytes);
  EXPECT_TRUE(std::filesystem::exists(dir / "r.txt"));
}

TEST_F(OutputCommandsTest, FailedCsvSaveSaysSoInWordsAndLeavesNothingBehind) {
  ASSERT_NE(view, nullptr);
  dialogs.saveAnswers.push_back({QString::fromStdString((dir / "missing" / "e.csv").string())});
  dialogs.saveTypeAnswers.push_back(kCsvType);
  main.SaveReport();
  ASSERT_EQ(dialogs.asked.size(), 2);
  EXPECT_EQ(dialogs.asked[1], "error:e.csv - Telvoran|S251\rNo such file or directory");
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

// The text of each page of a PDF file; empty when poppler-utils are missing.
QStringList PdfPages(const QString& pdf) {
  QProcess process;
  process.start("pdftotext", {"-layout", pdf, "-"});
  if (!process.waitForFinished(20000)) return {};
  QStringList pages = QString::fromUtf8(process.readAllStandardOutput()).split('\f');
  if (!pages.isEmpty() && pages.last().trimmed().isEmpty()) pages.removeLast();
  return pages;
}

// What pdfinfo says of a PDF file, such as "Pages" and "Page size".
QString PdfInfo(const QString& pdf, const QString& field) {
  QProcess process;
  process.start("pdfinfo", {pdf});
  if (!process.waitForFinished(20000)) return {};
  for (const QString& line : QString::fromUtf8(process.readAllStandardOutput()).split('\n')) {
    if (line.startsWith(field + ":")) return line.mid(field.size() + 1).trimmed();
  }
  return {};
}

class PrintChoicesTest : public OutputCommandsTest {
 protected:
  QString pdf;

  void SetUp() override {
    OutputCommandsTest::SetUp();
    pdf = QString::fromStdString((dir / "view.pdf").string());
    main.State().Printer().setOutputFormat(QPrinter::PdfFormat);
    main.State().Printer().setOutputFileName(pdf);
  }

  // Prints the view with the choices `choose` makes in the print dialog; the PDF's pages.
  QStringList Print(std::function<void(QPrinter&)> choose) {
    dialogs.printAnswers = {true};
    dialogs.printChoices = {std::move(choose)};
    main.PrintView();
    return PdfPages(pdf);
  }
};

int RowsOn(const QString& page) {
  return static_cast<int>(page.count("2009-03-0"));
}

TEST_F(PrintChoicesTest, PrintsOnlyThePagesOfTheChosenRange) {
  const QStringList all = Print([](QPrinter&) {});
  if (all.isEmpty()) GTEST_SKIP() << "pdftotext is not installed";
  ASSERT_EQ(all.size(), 3);
  const QStringList range = Print([](QPrinter& printer) {
    printer.setPrintRange(QPrinter::PageRange);
    printer.setFromTo(2, 3);
  });
  ASSERT_EQ(range.size(), 2);
  EXPECT_EQ(range[0], all[1]);
  EXPECT_EQ(range[1], all[2]);
  EXPECT_FALSE(range[0].contains("S152e.zdr")) << "no first page";
  EXPECT_EQ(dialogs.asked, (QStringList{"print", "print"}));
}

TEST_F(PrintChoicesTest, ARangeWithoutAPageOfThePrintoutPrintsNothingAndSaysSo) {
  const QStringList printed = Print([](QPrinter& printer) {
    printer.setPrintRange(QPrinter::PageRange);
    printer.setFromTo(5, 9);
  });
  EXPECT_TRUE(printed.isEmpty());
  EXPECT_FALSE(QFile::exists(pdf));
  EXPECT_EQ(dialogs.asked, (QStringList{"print", "beep", "message:Telvoran|S191"}));
}

TEST_F(PrintChoicesTest, CopiesAndTheirOrderAreMadeForAPrinterThatCannot) {
  const QStringList all = Print([](QPrinter&) {});
  if (all.isEmpty()) GTEST_SKIP() << "pdftotext is not installed";
  ASSERT_EQ(all.size(), 3);
  const QStringList collated = Print([](QPrinter& printer) {
    printer.setCopyCount(2);
    printer.setCollateCopies(true);
  });
  EXPECT_EQ(collated, all + all);
  const QStringList uncollated = Print([](QPrinter& printer) {
    printer.setCopyCount(2);
    printer.setCollateCopies(false);
  });
  EXPECT_EQ(uncollated, (QStringList{all[0], all[0], all[1], all[1], all[2], all[2]}));
  const QStringList reversed = Print([](QPrinter& printer) {
    printer.setCopyCount(1);
    printer.setPageOrder(QPrinter::LastPageFirst);
  });
  EXPECT_EQ(reversed, (QStringList{all[2], all[1], all[0]}));
  EXPECT_EQ(RowsOn(reversed[0]) + RowsOn(reversed[1]) + RowsOn(reversed[2]),
            static_cast<int>(view->Report().RowCount()));
}

TEST_F(PrintChoicesTest, ThePrinterAndPaperChosenInTheSetUpAreTheOnesPrintingUses) {
  main.State().Printer().setOutputFormat(QPrinter::NativeFormat);
  dialogs.setupAnswers = {[this](QPrinter& printer) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setPageSize(QPageSize(QPageSize::A5));
    printer.setPageOrientation(QPageLayout::Landscape);
  }};
  main.PrintSetup();
  EXPECT_EQ(dialogs.asked, QStringList{"setup:S184"});
  if (Print([](QPrinter&) {}).isEmpty()) GTEST_SKIP() << "poppler-utils are not installed";
  EXPECT_EQ(PdfInfo(pdf, "Page size"), "595 x 420 pts (A5)") << "A5 lying on its side";
}

}  // namespace
}  // namespace telvoran
