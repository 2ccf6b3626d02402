#include "app/mainwindow/MdiArrangement.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>

#include <algorithm>

namespace telvoran {
namespace {

QList<QMdiSubWindow*> VisibleWindows(const QMdiArea& mdiArea, QMdiArea::WindowOrder order,
                                     bool minimised) {
  QList<QMdiSubWindow*> windows;
  for (QMdiSubWindow* window : mdiArea.subWindowList(order))
    if (!window->isHidden() && window->isMinimized() == minimised) windows << window;
  return windows;
}

// Places the icons and returns where they went.
QList<QRect> PlaceIcons(QMdiArea& mdiArea) {
  const QList<QMdiSubWindow*> icons =
      VisibleWindows(mdiArea, QMdiArea::CreationOrder, /*minimised=*/true);
  QList<QSize> sizes;
  for (const QMdiSubWindow* icon : icons) sizes << icon->size();
  const QList<QRect> rects = IconPositions(sizes, mdiArea.viewport()->rect());
  for (qsizetype i = 0; i < icons.size(); ++i) icons[i]->setGeometry(rects[i]);
  return rects;
}

}  // namespace

QList<QRect> IconPositions(const QList<QSize>& iconSizes, const QRect& area) {
  QList<QRect> rects;
  int left = area.left();
  int rowBottom = area.bottom();
  int rowHeight = 0;
  for (const QSize& size : iconSizes) {
    const bool rowStarted = left != area.left();
    if (rowStarted && left + size.width() > area.right() + 1) {
      rowBottom -= rowHeight;
      left = area.left();
      rowHeight = 0;
    }
    rects << QRect(QPoint(left, rowBottom - size.height() + 1), size);
    left += size.width();
    rowHeight = std::max(rowHeight, size.height());
  }
  return rects;
}

QRect AreaAboveIcons(const QRect& area, const QList<QRect>& iconRects) {
  QRect above = area;
  for (const QRect& icon : iconRects) above.setBottom(std::min(above.bottom(), icon.top() - 1));
  return above;
}

QList<QRect> TiledOneAboveAnother(int count, const QRect& area) {
  QList<QRect> rects;
  for (int i = 0; i < count; ++i) {
    const int top = area.top() + area.height() * i / count;
    const int nextTop = area.top() + area.height() * (i + 1) / count;
    rects << QRect(area.left(), top, area.width(), nextTop - top);
  }
  return rects;
}

QList<QRect> Cascaded(int count, const QRect& area, QSize usual, int step) {
  const QSize size(std::min(area.width(), std::max(usual.width(), area.width() * 2 / 3)),
                   std::min(area.height(), std::max(usual.height(), area.height() * 2 / 3)));
  step = std::max(step, 1);
  // Where one direction has no room left, the windows still step on in the other, so that
  // every title bar shows.
  const QPoint room(area.width() - size.width(), area.height() - size.height());
  const int places = std::max(room.x(), room.y()) / step + 1;
  QList<QRect> rects;
  for (int i = 0; i < count; ++i) {
    const int offset = (i % places) * step;
    rects << QRect(area.topLeft() + QPoint(std::min(offset, room.x()), std::min(offset, room.y())),
                   size);
  }
  return rects;
}

void ArrangeIcons(QMdiArea& mdiArea) {
  PlaceIcons(mdiArea);
}

void TileOneAboveAnother(QMdiArea& mdiArea) {
  const QRect area = AreaAboveIcons(mdiArea.viewport()->rect(), PlaceIcons(mdiArea));
  QList<QMdiSubWindow*> windows =
      VisibleWindows(mdiArea, QMdiArea::ActivationHistoryOrder, /*minimised=*/false);
  std::reverse(windows.begin(), windows.end());  // the most recently active first
  const QList<QRect> rects = TiledOneAboveAnother(int(windows.size()), area);
  for (qsizetype i = 0; i < windows.size(); ++i) {
    if (windows[i]->isMaximized()) windows[i]->showNormal();
    windows[i]->setGeometry(rects[i]);
  }
}

void Cascade(QMdiArea& mdiArea) {
  const QList<QMdiSubWindow*> windows =
      VisibleWindows(mdiArea, QMdiArea::ActivationHistoryOrder, /*minimised=*/false);
  if (windows.isEmpty()) return;
  const int step =
      mdiArea.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, windows.front());
  const QList<QRect> rects =
      Cascaded(int(windows.size()), mdiArea.viewport()->rect(), kUsualViewSize, step);
  // The least recently active first, so that each one raised lies over those before it.
  for (qsizetype i = 0; i < windows.size(); ++i) {
    if (windows[i]->isMaximized()) windows[i]->showNormal();
    windows[i]->setGeometry(rects[i]);
    windows[i]->raise();
  }
}

}  // namespace telvoran
