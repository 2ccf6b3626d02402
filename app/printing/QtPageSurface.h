#pragma once

#include <QFont>
#include <QGlyphRun>
#include <QPainter>
#include <QRawFont>

#include <array>

#include "core/report/PageSurface.h"

class QPrinter;

namespace telvoran {

// The page surface of a print job on a QPrinter, painted with a QPainter. Sizes are the printer's
// device dots of the printable area, whose top left corner is the painter's origin. The printer
// is set up (dialog, page size, output) by the caller and must outlive the surface.
class QtPageSurface : public PageSurface {
 public:
  explicit QtPageSurface(QPrinter& printer);
  ~QtPageSurface() override;
  QtPageSurface(const QtPageSurface&) = delete;
  QtPageSurface& operator=(const QtPageSurface&) = delete;

  int PageWidth() const override;
  int PageHeight() const override;
  int VerticalDpi() const override;

  void SetFont(std::string_view family, int pointSize) override;
  int FontPointSize() const override;
  int TextWidth(std::string_view text) const override;

  std::optional<std::string> BeginDocument(std::string_view title) override;
  std::optional<std::string> NewPage() override;
  std::optional<std::string> EndDocument() override;
  // The printer drops the job where it still can (a print queue, not a file half written).
  void AbortDocument() override;
  int PageNumber() const override;

  void DrawText(int x, int y, std::string_view text) override;
  void DrawTextCentred(const PageRect& rect, std::string_view text) override;
  void DrawLine(int x1, int y1, int x2, int y2) override;

  // The painter of the job, for drawing a picture onto the page between BeginDocument and
  // EndDocument; what is drawn must leave the painter's state as it found it.
  QPainter& Painter() { return painter_; }

 private:
  // A character's glyph in a fixed-pitch font and how far it moves the pen; glyph 0 where the
  // font has no glyph for it.
  struct ByteGlyph {
    quint32 glyph = 0;
    QPointF advance;
  };

  static std::string FailureText(const char* what);
  void TakePainterFont();
  bool DrawAsGlyphRun(const QPointF& baseline, std::string_view text);

  QRawFont rawFont_;
  std::array<ByteGlyph, 256> byteGlyphs_{};  // for every Windows-1250 byte, while rawFont_ is valid
  qreal ascent_ = 0;
  QList<quint32> runGlyphs_;
  QList<QPointF> runPositions_;

  QPrinter& printer_;
  QPainter painter_;
  QFont font_;
  int pageNumber_ = 0;
};

}  // namespace telvoran
