// The handlers of the commands over dates and folders: going to a date, the daily summary and
// finding in a folder.
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMdiArea>

#include "app/QtText.h"
#include "app/commands/DailySummaryFiles.h"
#include "app/commands/GoToDate.h"
#include "app/dialogs/UserDialogs.h"
#include "app/mainwindow/MainWindow.h"
#include "app/plant/DailySummaryWindow.h"
#include "app/plant/FindInFolderWindow.h"
#include "app/views/DataView.h"

namespace telvoran {

void MainWindow::GoToDate() {
  if (QMdiSubWindow* active = ActiveChild()) commands::GoToDate(state_, *active);
}

// The folder of the active view's archive is offered first; the window stays open beside the
// views, and the command brings it back.
void MainWindow::FindInFolder() {
  QString folder;
  if (const auto* view = qobject_cast<const DataView*>(ActiveChild()))
    folder = QFileInfo(FromFileSystemPath(view->FilePath())).absolutePath();
  for (QMdiSubWindow* window : mdiArea_->subWindowList()) {
    if (auto* find = qobject_cast<FindInFolderWindow*>(window)) {
      if (!folder.isEmpty() && !find->Searching()) find->FolderLine->setText(folder);
      mdiArea_->setActiveSubWindow(find);
      find->TextLine->setFocus();
      return;
    }
  }
  if (folder.isEmpty()) folder = QDir::currentPath();
  auto* find = new FindInFolderWindow(state_, *mdiArea_, QDir::toNativeSeparators(folder));
  mdiArea_->addSubWindow(find);
  find->show();
  find->TextLine->setFocus();
}

// The days of the active interval view's unit: a span view's own days, a day's archive the
// month it lies in; the event archives of its folder give the alarms.
void MainWindow::ShowDailySummary() {
  const auto* view = qobject_cast<const DataView*>(ActiveChild());
  if (!view || view->ViewKind() != ArchiveKind::Interval) return;
  const std::optional<SummaryFiles> files = commands::SummaryFilesOf(*view);
  if (!files) {
    state_.Dialogs().Beep();
    return;
  }
  auto* summary = new DailySummaryWindow(state_, *files);
  mdiArea_->addSubWindow(summary);
  summary->show();
}

}  // namespace telvoran
