#pragma once

#include <QList>
#include <QRect>
#include <QSize>

class QMdiArea;

namespace telvoran {

// Where the icons of minimised windows go: side by side along the bottom edge of `area` from
// the left, each row bottom-aligned, a new row above when the next icon would stick out on the
// right.
QList<QRect> IconPositions(const QList<QSize>& iconSizes, const QRect& area);

// The part of `area` above the icons' rows; all of `area` when there are no icons.
QRect AreaAboveIcons(const QRect& area, const QList<QRect>& iconRects);

// `count` windows one above the other, each the full width of `area`, the heights equal to
// within one pixel, filling `area` from top to bottom.
QList<QRect> TiledOneAboveAnother(int count, const QRect& area);

// Lines the minimised windows of `mdiArea` up along its bottom edge, in creation order.
void ArrangeIcons(QMdiArea& mdiArea);

// Arranges the icons, then tiles the other windows one above the other in the space above
// them, the most recently active window on top.
void TileOneAboveAnother(QMdiArea& mdiArea);

}  // namespace telvoran
