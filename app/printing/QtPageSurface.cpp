#include "app/printing/QtPageSurface.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPen>
#include <QPrinter>

#include <algorithm>
#include <cmath>

#include "app/QtText.h"

namespace telvoran {
namespace {

// The font of a family and size. A Courier family that the system lacks (and has no
// fixed-pitch stand-in for) becomes the system's fixed-pitch font, so columns stay aligned.
QFont PrintingFont(const QString& family, int pointSize) {
  QFont font(family, std::max(1, pointSize));
  if (!family.startsWith(QLatin1String("Courier"), Qt::CaseInsensitive)) return font;
  font.setStyleHint(QFont::TypeWriter);
  if (QFontInfo(font).fixedPitch()) return font;
  QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  fixed.setPointSize(std::max(1, pointSize));
  return fixed;
}

// The glyphs of a fixed-pitch font for drawing whole lines as glyph runs; none for a proportional
// font, whose lines drawText() lays out with kerning.
QRawFont GlyphRunFont(const QFont& deviceFont) {
  return QFontInfo(deviceFont).fixedPitch() ? QRawFont::fromFont(deviceFont) : QRawFont();
}

}  // namespace

QtPageSurface::QtPageSurface(QPrinter& printer) : printer_(printer) {}

QtPageSurface::~QtPageSurface() {
  if (painter_.isActive()) painter_.end();
}

int QtPageSurface::PageWidth() const {
  return static_cast<int>(printer_.pageRect(QPrinter::DevicePixel).width());
}

int QtPageSurface::PageHeight() const {
  return static_cast<int>(printer_.pageRect(QPrinter::DevicePixel).height());
}

int QtPageSurface::VerticalDpi() const {
  return printer_.resolution();
}

void QtPageSurface::SetFont(std::string_view family, int pointSize) {
  font_ = PrintingFont(FromCp1250(family), pointSize);
  if (painter_.isActive()) {
    painter_.setFont(font_);
    rawFont_ = GlyphRunFont(painter_.font());
  }
}

int QtPageSurface::FontPointSize() const {
  return font_.pointSize();
}

int QtPageSurface::TextWidth(std::string_view text) const {
  // Measured for the printer's resolution, rounded up so that a measured line never overhangs.
  const QFontMetricsF metrics(font_, &printer_);
  return static_cast<int>(std::ceil(metrics.horizontalAdvance(FromCp1250(text))));
}

std::optional<std::string> QtPageSurface::BeginDocument(std::string_view title) {
  printer_.setDocName(FromCp1250(title));
  if (!painter_.begin(&printer_)) return FailureText("could not begin the document");
  painter_.setFont(font_);
  rawFont_ = GlyphRunFont(painter_.font());
  painter_.setPen(QPen(Qt::black, 1, Qt::SolidLine));
  pageNumber_ = 1;
  return std::nullopt;
}

std::optional<std::string> QtPageSurface::NewPage() {
  if (!printer_.newPage()) return FailureText("could not begin a new page");
  ++pageNumber_;
  return std::nullopt;
}

std::optional<std::string> QtPageSurface::EndDocument() {
  const bool ended = painter_.end();
  if (!ended || printer_.printerState() == QPrinter::Error) {
    return FailureText("could not finish the document");
  }
  return std::nullopt;
}

int QtPageSurface::PageNumber() const {
  return pageNumber_;
}

// QPainter places a text's baseline at the given point; the ascent above it puts the top of the
// line at y.
void QtPageSurface::DrawText(int x, int y, std::string_view text) {
  const QString line = FromCp1250(text);
  const QPointF baseline(x, y + painter_.fontMetrics().ascent());
  if (!DrawAsGlyphRun(baseline, line)) painter_.drawText(baseline, line);
}

// A printed line in a fixed-pitch font is one run of glyphs from the font's own table, placed at
// the font's advances: what drawText() would draw for characters the font has, without laying
// the text out anew for every line. A line with a character the font lacks is left to drawText(),
// which finds a stand-in font for it.
bool QtPageSurface::DrawAsGlyphRun(const QPointF& baseline, const QString& text) {
  if (!rawFont_.isValid() || text.isEmpty()) return false;
  QList<quint32> glyphs = rawFont_.glyphIndexesForString(text);
  if (glyphs.size() != text.size() || glyphs.contains(0u)) return false;
  const QList<QPointF> advances =
      rawFont_.advancesForGlyphIndexes(glyphs, QRawFont::UseDesignMetrics);
  // A space leaves no mark: the run holds only the glyphs that draw, each at its place on the
  // line. Report lines are padded into columns, so this keeps much of the page's content out
  // of the printer's output.
  QList<quint32> inked;
  QList<QPointF> positions;
  inked.reserve(glyphs.size());
  positions.reserve(glyphs.size());
  QPointF at;
  for (qsizetype i = 0; i < glyphs.size(); ++i) {
    if (text[i] != QLatin1Char(' ')) {
      inked.append(glyphs[i]);
      positions.append(at);
    }
    at += advances[i];
  }
  if (inked.isEmpty()) return true;
  QGlyphRun run;
  run.setRawFont(rawFont_);
  run.setGlyphIndexes(inked);
  run.setPositions(positions);
  painter_.drawGlyphRun(baseline, run);
  return true;
}

void QtPageSurface::DrawTextCentred(const PageRect& rect, std::string_view text) {
  const QRect area(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
  painter_.drawText(area, Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine, FromCp1250(text));
}

void QtPageSurface::DrawLine(int x1, int y1, int x2, int y2) {
  painter_.drawLine(x1, y1, x2, y2);
}

// Qt gives no reason of its own for a failed print job. The text stays ASCII, so it reads the
// same in any code page the caller shows it in.
std::string QtPageSurface::FailureText(const char* what) {
  return std::string("The printer ") + what + ".";
}

}  // namespace telvoran
