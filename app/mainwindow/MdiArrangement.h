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

// The size a view opens at.
inline constexpr QSize kUsualViewSize(616, 320);

// `count` windows cascaded from the top left corner of `area`, each `step` lower and further
// right than the one before (as far as there is room each way), starting at the corner again
// when the next would stick out in both. Each is
// as big as `usual` or two thirds of `area`, whichever is bigger, but never bigger than `area`,
// so that the views stay usable however many there are.
QList<QRect> Cascaded(int count, const QRect& area, QSize usual, int step);

// Lines the minimised windows of `mdiArea` up along its bottom edge, in creation order.
void ArrangeIcons(QMdiArea& mdiArea);

// Arranges the icons, then tiles the other windows one above the other in the space above
// them, the most recently active window on top.
void TileOneAboveAnother(QMdiArea& mdiArea);

// Cascades the windows of `mdiArea` that are not minimised, the most recently active in front,
// one title bar apart.
void Cascade(QMdiArea& mdiArea);

}  // namespace telvoran
