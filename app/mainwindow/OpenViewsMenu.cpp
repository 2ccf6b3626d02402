#include "app/mainwindow/OpenViewsMenu.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

#if TELVORAN_CHARTS
#include "app/chart/ChartWindow.h"
#endif

namespace telvoran {

QString NumberedCaption(int number, const QString& text) {
  QString escaped = text;
  escaped.replace(u'&', QStringLiteral("&&"));
  const QString digits = QString::number(number);
  return (number <= 9 ? u'&' + digits : digits) + u' ' + escaped;
}

OpenViewsMenu::OpenViewsMenu(QMenu& menu, QMdiArea& area, QString hint, QString chartWord)
    : QObject(&menu),
      menu_(menu),
      area_(&area),
      hint_(std::move(hint)),
      chartWord_(std::move(chartWord)) {
  connect(&menu_, &QMenu::aboutToShow, this, &OpenViewsMenu::ListViews);
}

std::vector<QAction*> OpenViewsMenu::Items() const {
  return added_.size() > 1 ? std::vector<QAction*>(added_.begin() + 1, added_.end())
                           : std::vector<QAction*>();
}

void OpenViewsMenu::ListViews() {
  for (QAction* action : added_) {
    menu_.removeAction(action);
    action->deleteLater();
  }
  added_.clear();
  if (!area_ || area_->subWindowList().isEmpty()) return;

  added_.push_back(menu_.addSeparator());
  int number = 0;
  for (QMdiSubWindow* view : area_->subWindowList()) {
    QString name = view->windowTitle();
#if TELVORAN_CHARTS
    if (qobject_cast<const ChartWindow*>(view)) name += u' ' + chartWord_;
#endif
    QAction* item = menu_.addAction(NumberedCaption(++number, name));
    item->setCheckable(true);
    item->setChecked(view == area_->activeSubWindow());
    item->setStatusTip(hint_);
    const QPointer<QMdiSubWindow> chosen(view);
    connect(item, &QAction::triggered, this, [this, chosen] {
      if (chosen && area_) area_->setActiveSubWindow(chosen);
    });
    added_.push_back(item);
  }
}

}  // namespace telvoran
