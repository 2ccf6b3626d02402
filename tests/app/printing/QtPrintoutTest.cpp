#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>
#include <tuple>
#include <vector>

#include "app/QtText.h"
#include "app/printing/QtPageSurface.h"
#include "core/report/PageScheme.h"
#include "support/FakeReportSource.h"
#include "support/FakeStrings.h"

namespace telvoran {
namespace {

using test::FakeReportSource;

test::FakeStrings Strings() {
  return test::FakeStrings({{151, "Strona %d"}, {152, "Wydruk pliku: "}});
}

// Runs a poppler tool on a PDF and returns what it printed.
QString RunPoppler(const QString& tool, QStringList arguments) {
  QProcess process;
  process.start(tool, arguments);
  EXPECT_TRUE(process.waitForFinished(-1)) << tool.toStdString();
  return QString::fromUtf8(process.readAllStandardOutput());
}

int PageCount(const QString& pdf) {
  const auto match = QRegularExpression(R"(Pages:\s+(\d+))").match(RunPoppler("pdfinfo", {pdf}));
  return match.hasMatch() ? match.captured(1).toInt() : -1;
}

QString PageText(const QString& pdf, int page) {
  const QString number = QString::number(page);
  return RunPoppler("pdftotext", {"-layout", "-f", number, "-l", number, pdf, "-"});
}

class QtPrintout : public testing::Test {
 protected:
  void SetUp() override {
    if (QStandardPaths::findExecutable("pdfinfo").isEmpty() ||
        QStandardPaths::findExecutable("pdftotext").isEmpty()) {
      GTEST_SKIP() << "poppler-utils is not installed";
    }
    ASSERT_TRUE(folder_.isValid());
    pdf_ = folder_.filePath("printout.pdf");
    printer_.setOutputFormat(QPrinter::PdfFormat);
    printer_.setPageSize(QPageSize(QPageSize::A4));
    printer_.setOutputFileName(pdf_);
  }

  QTemporaryDir folder_;
  QString pdf_;
  QPrinter printer_{QPrinter::HighResolution};
};

// At 1200 dpi an 8-point font gives 186-dot lines and 69 lines per page: 59 rows on page 1, 65
// on each later page.
TEST_F(QtPrintout, PrintsADataViewOnNumberedPages) {
  FakeReportSource source;
  source.title = "Pomiary ci\x9cnienia";
  source.rows = test::NumberedRows(150);
  QtPageSurface surface(printer_);
  EXPECT_EQ(surface.PageWidth(), 9583);
  EXPECT_EQ(surface.PageHeight(), 13699);
  EXPECT_EQ(surface.VerticalDpi(), 1200);

  ASSERT_EQ(PrintDataView(surface, Strings(), "Telvoran", source, "Courier New", 8), std::nullopt);
  EXPECT_EQ(printer_.docName(), "Telvoran - archive.czt");

  ASSERT_EQ(PageCount(pdf_), 3);
  const QString page1 = PageText(pdf_, 1);
  EXPECT_TRUE(page1.contains("Wydruk pliku: archive.czt"));
  EXPECT_TRUE(page1.contains(QString::fromUtf8("Pomiary ciśnienia")));
  EXPECT_TRUE(page1.contains(QString(92, '-')));
  EXPECT_TRUE(page1.contains("row 59\n"));
  EXPECT_FALSE(page1.contains("row 60"));
  EXPECT_TRUE(page1.contains("Strona 1"));
  const QString page2 = PageText(pdf_, 2);
  EXPECT_FALSE(page2.contains("Wydruk pliku"));
  EXPECT_FALSE(page2.contains("Pomiary"));
  EXPECT_TRUE(page2.contains("row 60\n"));
  EXPECT_TRUE(page2.contains("row 124\n"));
  EXPECT_TRUE(page2.contains("Strona 2"));
  const QString page3 = PageText(pdf_, 3);
  EXPECT_TRUE(page3.contains("row 125\n"));
  EXPECT_TRUE(page3.contains("row 150\n"));
  EXPECT_TRUE(page3.contains("Strona 3"));
}

// Where a word stands on the page, in points from the top left corner.
struct WordBox {
  double left = 0, top = 0, right = 0, bottom = 0;
};

// Each line drawn at its (x, y) in device dots, on a 600 dpi page without margins in an 8-point
// font; gives the box of every word pdftotext finds, none where a word is missing.
class DrawnLines : public QtPrintout {
 protected:
  void Draw(const std::vector<std::tuple<int, int, std::string>>& lines) {
    printer_.setResolution(600);
    printer_.setPageMargins(QMarginsF(0, 0, 0, 0));
    QtPageSurface surface(printer_);
    surface.SetFont("Courier New", 8);
    ASSERT_EQ(surface.BeginDocument("lines"), std::nullopt);
    for (const auto& [x, y, text] : lines) surface.DrawText(x, y, text);
    ASSERT_EQ(surface.EndDocument(), std::nullopt);
    boxes_ = RunPoppler("pdftotext", {"-bbox", pdf_, "-"});
  }

  std::optional<WordBox> Box(const QString& word) const {
    const auto match =
        QRegularExpression(
            R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">)re" +
            QRegularExpression::escape(word) + "<")
            .match(boxes_);
    if (!match.hasMatch()) {
      ADD_FAILURE() << word.toStdString() << " is not on the page:\n" << boxes_.toStdString();
      return std::nullopt;
    }
    return WordBox{match.captured(1).toDouble(), match.captured(2).toDouble(),
                   match.captured(3).toDouble(), match.captured(4).toDouble()};
  }

  QString boxes_;
};

// A text drawn at y must lie in the line below y, not sit on it as on a baseline.
TEST_F(DrawnLines, TextIsAnchoredAtItsTopLeftCorner) {
  Draw({{600, 1200, "Anchored"}});
  const auto word = Box("Anchored");
  ASSERT_TRUE(word);
  // 600 dots are 72 points; the line of an 8-point font is about 9.3 points high.
  EXPECT_NEAR(word->left, 72.0, 1.0);
  EXPECT_GE(word->top, 144.0 - 1.0);
  EXPECT_LE(word->bottom, 144.0 + 11.0);
}

// Spaces are left out of what is drawn, so the words after them must still stand in their
// columns; Polish letters come from the same font and read back as themselves.
TEST_F(DrawnLines, LineKeepsItsColumnsAndItsPolishLetters) {
  Draw({{600, 1200, "left" + std::string(10, ' ') + "right"},
        {600, 1400, "    "},
        {600, 1600, "Za\xbf\xf3\xb3\xe6 g\xea\x9cl\xb9"}});
  const auto left = Box("left");
  const auto right = Box("right");
  ASSERT_TRUE(left && right);
  const double advance = (left->right - left->left) / 4;
  EXPECT_NEAR(right->left, left->left + 14 * advance, 0.1);
  Box(QString::fromUtf8("Zażółć"));
  Box(QString::fromUtf8("gęślą"));
}

TEST_F(QtPrintout, ReportsAFileThatCannotBeWritten) {
  printer_.setOutputFileName(folder_.filePath("missing/printout.pdf"));
  QtPageSurface surface(printer_);
  FakeReportSource source;
  EXPECT_NE(PrintDataView(surface, Strings(), "Telvoran", source, "Courier New", 8), std::nullopt);
}

TEST(FromCp1250, ConvertsPolishLettersAndKeepsAscii) {
  EXPECT_EQ(FromCp1250("Zak\xb3\xf3\xe6 \xb9\xe6\xea\xb3\xf1\xf3\x9c\x9f\xbf "
                       "\xa5\xc6\xca\xa3\xd1\xd3\x8c\x8f\xaf \x80\x81\xff"),
            QString::fromUtf8("Zakłóć ąćęłńóśźż ĄĆĘŁŃÓŚŹŻ €\uFFFD˙"));
  EXPECT_EQ(FromCp1250(std::string_view("a\0b", 3)), QString(QChar('a')) + QChar(0) + 'b');
}

}  // namespace
}  // namespace telvoran
