#include "app/mainwindow/RecentFilesMenu.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>

#include "app/RecentFiles.h"
#include "app/mainwindow/OpenViewsMenu.h"

namespace telvoran {
namespace {

constexpr int kCaptionCharacters = 60;

}  // namespace

RecentFilesMenu::RecentFilesMenu(QMenu& menu, QAction& before, RecentFiles& files, QString hint,
                                 Open open)
    : QObject(&menu),
      menu_(menu),
      before_(before),
      files_(files),
      hint_(std::move(hint)),
      open_(std::move(open)) {
  connect(&menu_, &QMenu::aboutToShow, this, &RecentFilesMenu::ListFiles);
}

std::vector<QAction*> RecentFilesMenu::Items() const {
  return added_.empty() ? std::vector<QAction*>()
                        : std::vector<QAction*>(added_.begin(), added_.end() - 1);
}

void RecentFilesMenu::ListFiles() {
  for (QAction* action : added_) {
    menu_.removeAction(action);
    action->deleteLater();
  }
  added_.clear();
  const QStringList files = files_.Files();
  if (files.isEmpty()) return;

  // A long path is shortened in its middle, where its folders are, keeping the file name.
  const int width = menu_.fontMetrics().averageCharWidth() * kCaptionCharacters;
  int number = 0;
  for (const QString& path : files) {
    const QString shown = menu_.fontMetrics().elidedText(path, Qt::ElideMiddle, width);
    auto* item = new QAction(NumberedCaption(++number, shown), &menu_);
    item->setStatusTip(hint_);
    item->setToolTip(path);
    connect(item, &QAction::triggered, this, [this, path] { OpenListed(path); });
    menu_.insertAction(&before_, item);
    added_.push_back(item);
  }
  added_.push_back(menu_.insertSeparator(&before_));
}

void RecentFilesMenu::OpenListed(const QString& path) {
  open_(path);
  // The open command has told the user that the file is gone; it is not offered again.
  if (!QFileInfo::exists(path)) files_.Remove(path);
}

}  // namespace telvoran
