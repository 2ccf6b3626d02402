// The commands over dates and folders: going to a date in the Window menu and the pop-up menu,
// the daily summary after it, and finding in a folder in the file menu. Kept apart from the
// tables of the fixed menus, like the follow and filter commands.
#include <QAction>
#include <QMdiArea>
#include <QMenu>
#include <QStatusBar>

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>

#include "app/Hint.h"
#include "app/QtText.h"
#include "app/commands/DailySummaryFiles.h"
#include "app/commands/GoToDate.h"
#include "app/dialogs/UserDialogs.h"
#include "app/mainwindow/MainWindow.h"
#include "app/plant/DailySummaryWindow.h"
#include "app/plant/FindInFolderWindow.h"
#include "app/views/DataView.h"
#include "core/text/StringIds.h"

namespace telvoran {
namespace {

struct PlantCommandRow {
  QAction* MainWindow::*windowItem;
  QAction* MainWindow::*popUpItem;
  const char* caption;
  const char* hint;
  QKeyCombination key;
  void (MainWindow::*handler)();
  int captionId;
};

const PlantCommandRow kViewCommandRows[] = {
    {&MainWindow::WindowGoToDate, &MainWindow::PopUpGoToDate, "Prz&ejdź do daty...",
     "Pokazuje wiersz lub chwilę najbliższą podanej dacie", Qt::CTRL | Qt::Key_G,
     &MainWindow::GoToDate, sid::kGoToDate},
    {&MainWindow::WindowDailySummary, &MainWindow::PopUpDailySummary, "Podsu&mowanie dzienne...",
     "Liczba, minimum, maksimum i średnia każdego dnia i kanału", QKeyCombination(),
     &MainWindow::ShowDailySummary, sid::kDailySummary},
};

constexpr const char* kFindCaption = "&Znajdź w folderze...";
constexpr const char* kFindHint = "Szuka tekstu we wszystkich archiwach folderu";

}  // namespace

void MainWindow::BuildPlantCommands() {
  auto add = [this](QMenu& menu, const PlantCommandRow& row, Qt::ShortcutContext keyContext) {
    QAction* item = menu.addAction(QString::fromUtf8(row.caption));
    if (row.key != QKeyCombination()) {
      item->setShortcut(QKeySequence(row.key));
      item->setShortcutContext(keyContext);
    }
    item->setEnabled(false);
    SetHint(*item, QString::fromUtf8(row.hint));
    connect(item, &QAction::triggered, this, [this, handler = row.handler] {
      statusBar()->clearMessage();
      (this->*handler)();
    });
    return item;
  };
  for (const PlantCommandRow& row : kViewCommandRows) {
    this->*row.windowItem = add(*WindowMenu->menu(), row, Qt::WindowShortcut);
    this->*row.popUpItem = add(*PopupMenu, row, Qt::WidgetShortcut);
  }
  // Before the file menu's printing commands, after opening and saving.
  QMenu& fileMenu = *FileMenu->menu();
  QAction* before = nullptr;
  for (QAction* item : fileMenu.actions())
    if (item->objectName() == "PrintSeparator") before = item;
  FileFindInFolder = new QAction(QString::fromUtf8(kFindCaption), &fileMenu);
  fileMenu.insertAction(before, FileFindInFolder);
  FileFindInFolder->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F));
  SetHint(*FileFindInFolder, QString::fromUtf8(kFindHint));
  connect(FileFindInFolder, &QAction::triggered, this, [this] {
    statusBar()->clearMessage();
    FindInFolder();
  });
}

void MainWindow::ReplacePlantTexts() {
  for (const PlantCommandRow& row : kViewCommandRows) {
    for (QAction* item : {this->*row.windowItem, this->*row.popUpItem}) {
      item->setText(state_.Text(row.captionId));
      SetHint(*item, state_.Text(row.captionId + 1));
    }
  }
  FileFindInFolder->setText(state_.Text(sid::kFindInFolder));
  SetHint(*FileFindInFolder, state_.Text(sid::kFindInFolder + 1));
}

void MainWindow::PlantWindowActivated(QMdiSubWindow& window) {
  SetViewCommandsEnabled(true);
  const bool output = qobject_cast<const DailySummaryWindow*>(&window) != nullptr;
  for (QAction* item : {FileSaveAs, SaveAsBtn, FilePrint, PrintBtn}) item->setEnabled(output);
  SetChartCommandEnabled(false);
}

void MainWindow::ShowPlantCommands() {
  QMdiSubWindow* active = ActiveChild();
  const bool goes = commands::GoToDateApplies(active);
  for (QAction* item : {WindowGoToDate, PopUpGoToDate}) item->setEnabled(goes);
  const auto* view = qobject_cast<const DataView*>(active);
  const bool sums = view != nullptr && view->ViewKind() == ArchiveKind::Interval;
  for (QAction* item : {WindowDailySummary, PopUpDailySummary}) item->setEnabled(sums);
}

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
