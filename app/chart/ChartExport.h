#pragma once

#include <QString>

#include <optional>

namespace telvoran {

class ChartWindow;

enum class ChartFileFormat { Png, Svg, Pdf };

// The format a file name's extension asks for (".png", ".svg" or ".pdf", in any case).
std::optional<ChartFileFormat> ChartFileFormatOfName(const QString& fileName);

// Writes the chart of `window` as shown, with its legend and axes, into `fileName`: a PNG image
// at twice the screen's pixels, an SVG drawing or a one-page PDF of the chart's size. The file
// is written under a temporary name and takes the place of `fileName` only when complete, so a
// failure leaves an existing file as it was. Returns the system's text for a failure.
std::optional<QString> WriteChartFile(ChartWindow& window, const QString& fileName,
                                      ChartFileFormat format);

}  // namespace telvoran
