// A chart's export as PNG, SVG and PDF, and its printout on one landscape page.
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSvgRenderer>

#include <gtest/gtest.h>

#include "app/chart/ChannelChartWindow.h"
#include "app/chart/ChartTestSupport.h"
#include "app/chart/TimeChartView.h"

namespace telvoran {
namespace {

using namespace test;

// What a poppler tool prints about a file; nothing when the tool is not installed.
std::optional<QString> Poppler(const QString& tool, const QStringList& arguments) {
  QProcess process;
  process.start(tool, arguments);
  if (!process.waitForFinished(20000) || process.exitStatus() != QProcess::NormalExit)
    return std::nullopt;
  return QString::fromUtf8(process.readAllStandardOutput());
}

class ChartOutputTest : public ChartFixture {
 protected:
  ChartWindow* chart = nullptr;

  void SetUp() override {
    ChartFixture::SetUp();
    std::vector<std::string> values;
    for (int i = 0; i < 500; ++i) {
      char text[32];
      std::snprintf(text, sizeof text, "%5.1f%5.1f%5.1f%5.1f", 20 + (i % 37) / 10.0,
                    21 + (i % 23) / 10.0, 100 + (i % 50) / 10.0, (i % 80) / 4.0);
      values.push_back(text);
    }
    Open(dir.Write("2005-03-14_C07.czt", FourChannelArchive(values)));
    chart = Chart<ChannelChartWindow>();
    ASSERT_NE(chart, nullptr);
    Asked();
  }

  QString PathOf(const char* name) { return QString::fromStdString((dir / name).string()); }
  void Export(const QStringList& names) {
    dialogs.saveAnswers.push_back(names);
    chart->ExportButton->click();
  }
};

TEST_F(ChartOutputTest, ExportWritesAValidFileOfEachType) {
  Export({PathOf("chart.png")});
  EXPECT_EQ(Asked(), QStringList{"save:S225|S226 (*.png)|*.png|S227 (*.svg)|*.svg|"
                                 "S228 (*.pdf)|*.pdf|png"});
  const QImage image(PathOf("chart.png"));
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.size(), chart->View()->size() * 2);

  Asked();
  Export({PathOf("chart.svg")});
  QSvgRenderer svg(PathOf("chart.svg"));
  EXPECT_TRUE(svg.isValid());
  EXPECT_EQ(svg.viewBoxF(), QRectF(QPointF(0, 0), QSizeF(chart->View()->size())));

  Export({PathOf("chart.PDF")});
  QFile pdf(PathOf("chart.PDF"));
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  EXPECT_TRUE(pdf.read(5) == "%PDF-");
  const auto info = Poppler("pdfinfo", {PathOf("chart.PDF")});
  if (!info) GTEST_SKIP() << "pdfinfo is not installed";
  EXPECT_TRUE(info->contains(QRegularExpression("Pages:\\s+1\\n"))) << info->toStdString();
  const auto text = Poppler("pdftotext", {PathOf("chart.PDF"), "-"});
  ASSERT_TRUE(text);
  EXPECT_TRUE(text->contains("T1, T2 [degC]")) << "the axes are in the file";
  EXPECT_TRUE(text->contains("1 T1 [degC]")) << "and the legend";
  EXPECT_TRUE(text->contains("2005-03-14_C07.czt")) << "the archive's name";
  EXPECT_TRUE(text->contains(QString::fromStdString(
      FormatArchiveTime(static_cast<ArchiveSeconds>(chart->View()->Window().Visible().from)))))
      << "and the time shown";
  for (const QString& asked : Asked()) EXPECT_TRUE(asked.startsWith("save:")) << "no message";
}

TEST_F(ChartOutputTest, ANameWithoutAChartTypeIsRefusedAndTheDialogStaysOpen) {
  Export({PathOf("chart.jpg"), PathOf("chart")});
  EXPECT_EQ(Asked().mid(1),
            (QStringList{"beep", "message:Telvoran|S238", "beep", "message:Telvoran|S238"}));
  EXPECT_FALSE(QFile::exists(PathOf("chart.jpg")));
}

TEST_F(ChartOutputTest, AnExistingFileIsReplacedOnlyAfterYes) {
  dir.Write("old.png", "keep");
  dialogs.yesNoAnswers = {false};
  Export({PathOf("old.png")});
  EXPECT_EQ(Asked().mid(1), (QStringList{"beep", "yesno:Telvoran|S153\rS154"}));
  EXPECT_EQ(ReadBytes(dir / "old.png"), "keep");
  dialogs.yesNoAnswers = {true};
  Export({PathOf("old.png")});
  EXPECT_FALSE(QImage(PathOf("old.png")).isNull());
}

TEST_F(ChartOutputTest, AFailedExportIsShownAndLeavesNothingBehind) {
  Export({PathOf("missing/chart.svg")});
  const QStringList asked = Asked();
  ASSERT_EQ(asked.size(), 2);
  EXPECT_TRUE(asked[1].startsWith("error:chart.svg - Telvoran|")) << asked[1].toStdString();
  EXPECT_FALSE(std::filesystem::exists(dir / "missing"));
}

// A chart drawn into a picture of other proportions than its window fills it from top to bottom,
// and drawn four times as large its lines are four times as wide, not one dot.
TEST_F(ChartOutputTest, APictureOrPageIsFilledAndLinesKeepTheirWidth) {
  auto render = [this](QSize size, double scale) {
    QImage image(size * scale, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(scale, scale);
    chart->Render(painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
  };
  auto inkedRows = [](const QImage& image, int from, int to) {
    int inked = 0;
    for (int y = from; y < to; ++y)
      for (int x = 0; x < image.width(); ++x)
        if (qGray(image.pixel(x, y)) < 128) {
          ++inked;
          break;
        }
    return inked;
  };
  auto coloured = [](const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        count += QColor(image.pixel(x, y)).hsvSaturation() > 120;
    return count;
  };
  const QSize window = chart->View()->size();
  // Twice as high as the window's proportions: the legend at the top, the time axis at the foot.
  const QSize tall(window.width(), 2 * window.height());
  const QImage filled = render(tall, 1);
  EXPECT_GT(inkedRows(filled, 0, tall.height() / 8), 0) << "the legend at the top";
  EXPECT_GT(inkedRows(filled, tall.height() * 7 / 8, tall.height()), 0) << "the axis at the foot";
  const double growth = double(coloured(render(window, 4))) / coloured(render(window, 1));
  EXPECT_GT(growth, 10) << "lines as wide as on the screen, not one dot";
}

TEST_F(ChartOutputTest, PrintPutsTheChartOnOneLandscapePageWithTheUsualFooter) {
  QPrinter& printer = main.State().Printer();
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(PathOf("printed.pdf"));
  printer.setPageOrientation(QPageLayout::Portrait);
  dialogs.printAnswers = {false, true};
  main.PrintView();
  EXPECT_FALSE(QFile::exists(PathOf("printed.pdf"))) << "cancelled";
  EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Portrait);
  main.PrintView();
  EXPECT_EQ(Asked(), (QStringList{"print", "print"}));
  ASSERT_TRUE(QFile::exists(PathOf("printed.pdf")));
  EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Portrait)
      << "the views go on printing upright";

  const auto info = Poppler("pdfinfo", {PathOf("printed.pdf")});
  if (!info) GTEST_SKIP() << "pdfinfo is not installed";
  EXPECT_TRUE(info->contains(QRegularExpression("Pages:\\s+1\\n"))) << info->toStdString();
  const QRegularExpression size("Page size:\\s+([0-9.]+) x ([0-9.]+)");
  const auto match = size.match(*info);
  ASSERT_TRUE(match.hasMatch());
  EXPECT_GT(match.captured(1).toDouble(), match.captured(2).toDouble()) << "landscape";
  const auto text = Poppler("pdftotext", {"-layout", PathOf("printed.pdf"), "-"});
  ASSERT_TRUE(text);
  EXPECT_TRUE(text->contains("S1522005-03-14_C07.czt")) << "the heading";
  EXPECT_TRUE(text->contains("S151")) << "the footer's page number";
  EXPECT_TRUE(text->contains("T1, T2 [degC]")) << "the chart";
}

}  // namespace
}  // namespace telvoran
