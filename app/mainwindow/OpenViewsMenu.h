#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <vector>

class QAction;
class QMdiArea;
class QMenu;

namespace telvoran {

// Lists the open views at the end of a menu, below its commands, as multiple-document programs
// do: numbered from 1 (1 to 9 with their access keys), the active one checked; choosing one makes
// it the active view. The list is made anew each time the menu is about to show.
class OpenViewsMenu : public QObject {
 public:
  // `hint` is the status bar text of every listed view; `chartWord` follows the name of a chart
  // window, which is that of its view.
  OpenViewsMenu(QMenu& menu, QMdiArea& area, QString hint, QString chartWord);

  // The listed views' items, in order (without the separator above them).
  std::vector<QAction*> Items() const;

 private:
  void ListViews();

  QMenu& menu_;
  QPointer<QMdiArea> area_;
  QString hint_;
  QString chartWord_;
  std::vector<QAction*> added_;  // the separator and the items
};

// A menu item's caption: the number (with its access key for 1 to 9), a space, the text with its
// ampersands kept as they are.
QString NumberedCaption(int number, const QString& text);

}  // namespace telvoran
