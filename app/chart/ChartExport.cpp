#include "app/chart/ChartExport.h"

#include <QChart>
#include <QFileInfo>
#include <QGraphicsLayout>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>

#include <cmath>

#include "app/chart/ChartWindow.h"
#include "app/chart/TimeChartView.h"
#include "core/chart/ArchiveTime.h"

namespace telvoran {
namespace {

constexpr int kImageScale = 2;
constexpr double kPointsPerPixel = 0.75;  // a 96 dpi screen pixel in 72 dpi points

// What a file of the chart is about, above the chart: a picture passed on leaves its window
// behind, and with it the archive's name and the time shown.
QString ExportTitle(const ChartWindow& window) {
  const TimeSpan shown = window.View()->Window().Visible();
  auto format = [](double time) {
    return QString::fromStdString(
        FormatArchiveTime(static_cast<ArchiveSeconds>(std::llround(time))));
  };
  return window.windowTitle() + QStringLiteral("   ") + format(shown.from) +
         QStringLiteral(" \u2013 ") + format(shown.to);
}

// Paints the chart into `device`, filling `target`, titled for the file; false when the painter
// could not start.
bool Paint(ChartWindow& window, QPaintDevice& device, const QRectF& target) {
  QPainter painter;
  if (!painter.begin(&device)) return false;
  painter.setRenderHint(QPainter::Antialiasing);
  QChart& chart = *window.Chart();
  const QString title = chart.title();
  chart.setTitle(ExportTitle(window));
  window.Render(painter, target);
  chart.setTitle(title);
  chart.layout()->activate();
  return painter.end();
}

bool WritePng(ChartWindow& window, QSaveFile& file) {
  const QSize size = window.View()->size();
  QImage image(size * kImageScale, QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(kImageScale);
  image.fill(Qt::white);
  return Paint(window, image, QRectF(QPointF(0, 0), QSizeF(size))) && image.save(&file, "PNG");
}

bool WriteSvg(ChartWindow& window, QSaveFile& file) {
  const QSize size = window.View()->size();
  QSvgGenerator svg;
  svg.setOutputDevice(&file);
  svg.setSize(size);
  svg.setViewBox(QRect(QPoint(0, 0), size));
  svg.setTitle(window.windowTitle());
  return Paint(window, svg, QRectF(QPointF(0, 0), QSizeF(size)));
}

bool WritePdf(ChartWindow& window, QSaveFile& file) {
  const QSizeF points = QSizeF(window.View()->size()) * kPointsPerPixel;
  QPdfWriter pdf(&file);
  pdf.setTitle(window.windowTitle());
  pdf.setPageSize(QPageSize(points, QPageSize::Point));
  pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
  // The page in the writer's own dots, which the chart fills.
  const QRectF page(QPointF(0, 0), QSizeF(pdf.width(), pdf.height()));
  return Paint(window, pdf, page);
}

}  // namespace

std::optional<ChartFileFormat> ChartFileFormatOfName(const QString& fileName) {
  const QString suffix = QFileInfo(fileName).suffix().toLower();
  if (suffix == "png") return ChartFileFormat::Png;
  if (suffix == "svg") return ChartFileFormat::Svg;
  if (suffix == "pdf") return ChartFileFormat::Pdf;
  return std::nullopt;
}

std::optional<QString> WriteChartFile(ChartWindow& window, const QString& fileName,
                                      ChartFileFormat format) {
  QSaveFile file(fileName);
  if (!file.open(QIODevice::WriteOnly)) return file.errorString();
  bool written = false;
  switch (format) {
    case ChartFileFormat::Png:
      written = WritePng(window, file);
      break;
    case ChartFileFormat::Svg:
      written = WriteSvg(window, file);
      break;
    case ChartFileFormat::Pdf:
      written = WritePdf(window, file);
      break;
  }
  if (!written || file.error() != QFileDevice::NoError) {
    // Qt gives no reason of its own when a painter or an image writer fails.
    const QString reason = file.error() != QFileDevice::NoError
                               ? file.errorString()
                               : QStringLiteral("The chart could not be drawn into the file.");
    file.cancelWriting();
    return reason;
  }
  if (!file.commit()) return file.errorString();
  return std::nullopt;
}

}  // namespace telvoran
