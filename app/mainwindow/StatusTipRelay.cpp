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
  if (event->type() != QEvent::StatusTip || !statusBar_) return false;
  const auto* widget = qobject_cast<const QWidget*>(watched);
  if (widget && widget->window() != home_)
    statusBar_->showMessage(static_cast<QStatusTipEvent*>(event)->tip());
  return false;
}

}  // namespace telvoran
