#include "app/WindowPlace.h"

#include <QScreen>
#include <QStyle>
#include <QWidget>

#include <algorithm>

#include "app/ProgramSettings.h"

namespace telvoran {
namespace {

const QString kKey = QStringLiteral("MainWindow/Geometry");

}  // namespace

QRect FittedToScreen(const QRect& window, const QRect& screen) {
  QRect fitted(window.topLeft(), window.size().boundedTo(screen.size()));
  fitted.moveLeft(std::clamp(fitted.left(), screen.left(), screen.right() + 1 - fitted.width()));
  fitted.moveTop(std::clamp(fitted.top(), screen.top(), screen.bottom() + 1 - fitted.height()));
  return fitted;
}

void RestoreWindowPlace(QWidget& window) {
  window.restoreGeometry(ProgramSettings().value(kKey).toByteArray());
  const QScreen* screen = window.screen();
  if (!screen) return;
  // The frame's edges and title bar around the client area count too; before the window is
  // first shown the window manager has not framed it yet, so a title bar's height is kept free.
  QRect frame = window.frameGeometry();
  if (!window.testAttribute(Qt::WA_WState_Created) || frame == window.geometry())
    frame.setTop(frame.top() - window.style()->pixelMetric(QStyle::PM_TitleBarHeight));
  const QRect fitted = FittedToScreen(frame, screen->availableGeometry());
  if (fitted == frame) return;
  const QSize decoration = frame.size() - window.size();
  window.resize(fitted.size() - decoration);
  window.move(fitted.topLeft());
}

void KeepWindowPlace(const QWidget& window) {
  ProgramSettings().setValue(kKey, window.saveGeometry());
}

}  // namespace telvoran
