#include "app/views/EmptyFilterNote.h"

#include <QEvent>
#include <QListView>

#include "app/views/DataView.h"

namespace telvoran {

EmptyFilterNote::EmptyFilterNote(DataView& view, const QString& text)
    : QLabel(text, view.List()->viewport()), view_(view) {
  setObjectName("EmptyFilterNote");
  setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  setMargin(fontMetrics().height() / 2);
  setWordWrap(true);
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setForegroundRole(QPalette::PlaceholderText);
  view.List()->viewport()->installEventFilter(this);
  connect(&view, &DataView::shownRowsChanged, this, &EmptyFilterNote::Update);
  Update();
}

bool EmptyFilterNote::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Resize) Update();
  return QLabel::eventFilter(watched, event);
}

void EmptyFilterNote::Update() {
  const bool empty = view_.ShownRowCount() == 0 && view_.AllRowCount() > 0;
  if (empty) {
    const QWidget* list = parentWidget();
    setGeometry(0, 0, list->width(), heightForWidth(list->width()));
  }
  setVisible(empty);
}

}  // namespace telvoran
