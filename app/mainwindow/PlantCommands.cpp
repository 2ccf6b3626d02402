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
  CommandId command;
  const char* caption;
  const char* hint;
  QKeyCombination key;
  void (MainWindow::*handler)();
  int captionId;
};

const PlantCommandRow kViewCommandRows[] = {
    {CommandId::kGoToDate, "Prz&ejdź do daty...",
     "Pokazuje wiersz lub chwilę najbliższą podanej dacie", Qt::CTRL | Qt::Key_G,
     &MainWindow::GoToDate, sid::kGoToDate},
    {CommandId::kDailySummary, "Podsu&mowanie dzienne...",
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
    commands_[Bit(row.command)].SetItem(Place::kMenu, add(*WindowMenu(), row, Qt::WindowShortcut));
    commands_[Bit(row.command)].SetItem(Place::kPopUp, add(*PopupMenu, row, Qt::WidgetShortcut));
  }
  // Before the file menu's printing commands, after opening and saving.
  QMenu& fileMenu = *FileMenu();
  QAction* before = nullptr;
  for (QAction* item : fileMenu.actions())
    if (item->objectName() == "PrintSeparator") before = item;
  auto* find = new QAction(QString::fromUtf8(kFindCaption), &fileMenu);
  commands_[Bit(CommandId::kFindInFolder)].SetItem(Place::kMenu, find);
  fileMenu.insertAction(before, find);
  find->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F));
  SetHint(*find, QString::fromUtf8(kFindHint));
  connect(find, &QAction::triggered, this, [this] {
    statusBar()->clearMessage();
    FindInFolder();
  });
}

void MainWindow::ReplacePlantTexts() {
  for (const PlantCommandRow& row : kViewCommandRows) {
    const Command& command = CommandFor(row.command);
    for (QAction* item : {command.Item(Place::kMenu), command.Item(Place::kPopUp)}) {
      item->setText(state_.Text(row.captionId));
      SetHint(*item, state_.Text(row.captionId + 1));
    }
  }
  QAction* find = CommandFor(CommandId::kFindInFolder).Item(Place::kMenu);
  find->setText(state_.Text(sid::kFindInFolder));
  SetHint(*find, state_.Text(sid::kFindInFolder + 1));
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
