#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <vector>

class QAction;
class QMenu;

namespace telvoran {

class RecentFiles;

// Lists the recently opened archives in a menu, above the item `before` and with a separator
// below them, numbered from 1 with their access keys, newest first. Choosing one hands its path
// to `open`; a file that no longer exists afterwards is dropped from the list. The list is made
// anew each time the menu is about to show.
class RecentFilesMenu : public QObject {
 public:
  using Open = std::function<void(const QString& path)>;

  // `hint` is the status bar text of every listed file.
  RecentFilesMenu(QMenu& menu, QAction& before, RecentFiles& files, QString hint, Open open);

  // The listed files' items, in order (without the separator below them).
  std::vector<QAction*> Items() const;

 private:
  void ListFiles();
  void OpenListed(const QString& path);

  QMenu& menu_;
  QAction& before_;
  RecentFiles& files_;
  QString hint_;
  Open open_;
  std::vector<QAction*> added_;  // the items and the separator
};

}  // namespace telvoran
