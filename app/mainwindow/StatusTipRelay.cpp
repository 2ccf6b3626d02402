#include "app/mainwindow/StatusTipRelay.h"

#include <QCoreApplication>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QWidget>

namespace telvoran {

StatusTipRelay::StatusTipRelay(QWidget* home, QStatusBar* statusBar)
    : QObject(home), home_(home), statusBar_(statusBar) {
  QCoreApplication::instance()->installEventFilter(this);
}

StatusTipRelay::~StatusTipRelay() {
  if (QCoreApplication::instance()) QCoreApplication::instance()->removeEventFilter(this);
}

// Only the two kinds of event looked at reach the status bar's pointer: every other event, the
// ones of the status bar's own destruction among them, passes untouched.
bool StatusTipRelay::eventFilter(QObject* watched, QEvent* event) {
  const bool tip = event->type() == QEvent::StatusTip;
  const bool shown = event->type() == QEvent::Show;
  if (!tip && !shown) return false;
  const auto* widget = qobject_cast<const QWidget*>(watched);
  if (!widget || !statusBar_) return false;
  if (tip && widget->window() != home_)
    statusBar_->showMessage(static_cast<QStatusTipEvent*>(event)->tip());
  // A hint does not stay over a dialog that a command opened.
  if (shown && widget->isWindow() && widget->isModal()) statusBar_->clearMessage();
  return false;
}

}  // namespace telvoran
