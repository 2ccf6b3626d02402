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
    TakePainterFont();
  }
}

// Looks up once, for the font the painter now draws with, what every line drawn in it needs:
// the ascent, and the glyph and advance of every Windows-1250 character.
void QtPageSurface::TakePainterFont() {
  ascent_ = painter_.fontMetrics().ascent();
  rawFont_ = GlyphRunFont(painter_.font());
  byteGlyphs_.fill(ByteGlyph{});
  if (!rawFont_.isValid()) return;
  for (int byte = 0; byte < 256; ++byte) {
    const QList<quint32> glyphs =
        rawFont_.glyphIndexesForString(FromCp1250(std::string(1, static_cast<char>(byte))));
    if (glyphs.size() != 1 || glyphs[0] == 0) continue;
    byteGlyphs_[byte].glyph = glyphs[0];
    byteGlyphs_[byte].advance =
        rawFont_.advancesForGlyphIndexes(glyphs, QRawFont::UseDesignMetrics).value(0);
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
  TakePainterFont();
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

void QtPageSurface::AbortDocument() {
  printer_.abort();
  painter_.end();
}

int QtPageSurface::PageNumber() const {
  return pageNumber_;
}

// QPainter places a text's baseline at the given point; the ascent above it puts the top of the
// line at y.
void QtPageSurface::DrawText(int x, int y, std::string_view text) {
  const QPointF baseline(x, y + ascent_);
  if (!DrawAsGlyphRun(baseline, text)) painter_.drawText(baseline, FromCp1250(text));
}

// A printed line in a fixed-pitch font is one run of glyphs from the font's own table, placed at
// the font's advances: what drawText() would draw for characters the font has, without laying
// the text out anew for every line. A line with a character the font lacks is left to drawText(),
// which finds a stand-in font for it. A space leaves no mark, so the run holds only the glyphs
// that draw, each at its place on the line: report lines are padded into columns, and this
// keeps much of a page out of the printer's output.
bool QtPageSurface::DrawAsGlyphRun(const QPointF& baseline, std::string_view text) {
  if (!rawFont_.isValid() || text.empty()) return false;
  runGlyphs_.clear();
  runPositions_.clear();
  QPointF at;
  for (const char character : text) {
    const ByteGlyph& byteGlyph = byteGlyphs_[static_cast<unsigned char>(character)];
    if (byteGlyph.glyph == 0) return false;
    if (character != ' ') {
      runGlyphs_.append(byteGlyph.glyph);
      runPositions_.append(at);
    }
    at += byteGlyph.advance;
  }
  if (runGlyphs_.isEmpty()) return true;
  QGlyphRun run;
  run.setRawFont(rawFont_);
  run.setGlyphIndexes(runGlyphs_);
  run.setPositions(runPositions_);
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
