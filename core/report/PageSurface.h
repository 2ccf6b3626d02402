#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace telvoran {

// A rectangle in device dots; right and bottom lie just outside it.
struct PageRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  friend bool operator==(const PageRect&, const PageRect&) = default;
};

// The printer job as the page scheme sees it. Positions are device dots measured from the top
// left corner of the printable area. Texts are Windows-1250. The operations that start, continue
// and finish the job return nothing on success, else the platform's text for the failure.
class PageSurface {
 public:
  virtual ~PageSurface() = default;

  // The printable area and the device's vertical resolution.
  virtual int PageWidth() const = 0;
  virtual int PageHeight() const = 0;
  virtual int VerticalDpi() const = 0;

  // The font of every text drawn from now on, and the point size it actually got.
  virtual void SetFont(std::string_view family, int pointSize) = 0;
  virtual int FontPointSize() const = 0;
  // How wide `text` is drawn in that font, in dots.
  virtual int TextWidth(std::string_view text) const = 0;

  // Starts the job under `title` (the name shown in the print queue) on page 1.
  virtual std::optional<std::string> BeginDocument(std::string_view title) = 0;
  virtual std::optional<std::string> NewPage() = 0;
  virtual std::optional<std::string> EndDocument() = 0;
  // Ends a job that was stopped before its end: nothing more of it is printed where the
  // platform can still hold it back. A surface that cannot ends it as it is.
  virtual void AbortDocument() { (void)EndDocument(); }
  // 1 after BeginDocument, raised by one with every new page.
  virtual int PageNumber() const = 0;

  // The text with the top left corner of its line at (x, y); not wrapped, cut by the page edge.
  virtual void DrawText(int x, int y, std::string_view text) = 0;
  // The text centred horizontally in `rect`, top-aligned and clipped to it.
  virtual void DrawTextCentred(const PageRect& rect, std::string_view text) = 0;
  // A straight line with a solid black pen one dot wide.
  virtual void DrawLine(int x1, int y1, int x2, int y2) = 0;
};

}  // namespace telvoran
