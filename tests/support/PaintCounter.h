#pragma once

#include <QEvent>
#include <QObject>

#include <initializer_list>

namespace telvoran::test {

// Counts the paint events of the widgets it watches: whether, and how often, they were painted.
class PaintCounter : public QObject {
 public:
  explicit PaintCounter(std::initializer_list<QObject*> watched) {
    for (QObject* widget : watched) widget->installEventFilter(this);
  }
  int paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

}  // namespace telvoran::test
