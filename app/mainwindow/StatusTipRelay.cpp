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

bool StatusTipRelay::eventFilter(QObject* watched, QEvent* event) {
  if (!statusBar_) return false;
  const auto* widget = qobject_cast<const QWidget*>(watched);
  if (!widget) return false;
  if (event->type() == QEvent::StatusTip && widget->window() != home_)
    statusBar_->showMessage(static_cast<QStatusTipEvent*>(event)->tip());
  // A hint does not stay over a dialog that a command opened.
  if (event->type() == QEvent::Show && widget->isWindow() && widget->isModal())
    statusBar_->clearMessage();
  return false;
}

}  // namespace telvoran
