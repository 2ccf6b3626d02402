#include "app/mainwindow/MainWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QStatusBar>

#include <algorithm>
#include <cstddef>

#include "app/ApplicationTitle.h"
#include "app/QtText.h"
#include "app/commands/GoToDate.h"
#include "app/commands/OpenArchive.h"
#include "app/commands/OpenFolder.h"
#include "app/commands/OpenGivenFile.h"
#include "app/commands/PrintView.h"
#include "app/commands/SaveReport.h"
#include "app/commands/SummaryOutput.h"
#if TELVORAN_CHARTS
#include "app/chart/ChartWindow.h"
#include "app/commands/PrintChart.h"
#include "app/commands/ShowChart.h"
#endif
#include "app/help/AboutBox.h"
#include "app/help/HelpWindow.h"
#include "app/mainwindow/DroppedFiles.h"
#include "app/mainwindow/MdiArrangement.h"
#include "app/mainwindow/OpenViewsMenu.h"
#include "app/mainwindow/RecentFilesMenu.h"
#include "app/mainwindow/StatusTipRelay.h"
#include "app/plant/DailySummaryWindow.h"
#include "app/plant/FindInFolderWindow.h"
#include "app/views/DataView.h"
#include "core/report/FilterNote.h"
#include "core/text/StringIds.h"

// Resources of a static library are registered by hand; the name must stay global.
static void RegisterIcons() {
  Q_INIT_RESOURCE(icons);
}

namespace telvoran {
namespace {

// How long a passing note stays in the status bar.
constexpr int kStatusNoteMs = 10000;
constexpr QKeyCombination kCloseViewKey = Qt::CTRL | Qt::Key_F4;

// A child window's own menu closes it with the key of the window menu's close command as well;
// two owners of one key would cancel each other out, so the child window gives it up.
void TakeOverCloseKey(QMdiSubWindow& window) {
  if (!window.systemMenu()) return;
  for (QAction* action : window.systemMenu()->actions()) {
    QList<QKeySequence> keys = action->shortcuts();
    if (keys.removeAll(QKeySequence(kCloseViewKey)) > 0) action->setShortcuts(keys);
  }
}

// The window commands act on the client area, and only when it holds a view.
QMdiArea* AreaWithViews(QMdiArea* mdiArea) {
  return mdiArea && !mdiArea->subWindowList().isEmpty() ? mdiArea : nullptr;
}

#if !TELVORAN_CHARTS
// A program built without the chart windows shows no chart command; enabling them while a view
// is active does nothing then, as hidden items cannot be chosen.
void HideChartCommands(MainWindow& window) {
  window.CommandFor(CommandId::kChart).SetVisible(false);
  for (QMenu* menu : {window.WindowMenu(), window.PopupMenu}) {
    for (QAction* item : menu->actions()) {
      if (item->objectName().endsWith("ChartSeparator")) item->setVisible(false);
    }
  }
}
#endif

}  // namespace

MainWindow::MainWindow(const StringLookup& strings, UserDialogs& dialogs,
                       const QString& programDirectory, QWidget* parent)
    : QMainWindow(parent), state_(strings, dialogs, programDirectory, this) {
  BuildLayout();
  SetUpWindow();
}

MainWindow::~MainWindow() {
  // The client area outlives this part of the window and reports the views it closes on its
  // way out; nothing of the main window may answer then.
  disconnect(mdiArea_, nullptr, this, nullptr);
}

void MainWindow::BuildLayout() {
  RegisterIcons();
  setObjectName("MainWindow");
  setWindowTitle("MainWindow");
  setWindowIcon(QIcon(":/icons/telvoran.svg"));
  setAcceptDrops(true);
  mdiArea_ = new QMdiArea(this);
  setCentralWidget(mdiArea_);
  connect(mdiArea_, &QMdiArea::subWindowActivated, this, &MainWindow::ViewActivated);
  BuildMenus();
  BuildToolBar();
#if !TELVORAN_CHARTS
  HideChartCommands(*this);
#endif
  UpdateCommands();  // those of an empty client area
  statusBar();       // created here, so that hints have somewhere to go from the start
  new StatusTipRelay(this, statusBar());
  ShownRowsLabel = new QLabel;
  ShownRowsLabel->setObjectName("ShownRows");
  statusBar()->addPermanentWidget(ShownRowsLabel);
  ShownRowsLabel->hide();
}

void MainWindow::SetUpWindow() {
  // Fixed placement: the whole window lies on any screen of 800 x 600 or more.
  resize(800, 600);
  move(0, 0);
  setWindowTitle(kApplicationTitle);
  ReplaceMenuTexts();
  ReplaceToolButtonHints();
  BuildMenuLists();
}

void MainWindow::BuildMenuLists() {
  RecentFileList = new RecentFilesMenu(
      *FileMenu(), *CommandFor(CommandId::kExit).Item(Place::kMenu), state_.RecentlyOpened(),
      state_.Text(sid::kRecentFileHint), [this](const QString& path) { OpenFiles({path}); });
  OpenViewList = new OpenViewsMenu(*WindowMenu(), *mdiArea_, state_.Text(sid::kWindowListHint),
                                   state_.Text(sid::kWindowListChart));
}

void MainWindow::SetHelpWindow(HelpWindow* help) {
  helpWindow_ = help;
}

void MainWindow::SetAboutBox(AboutBox* about) {
  aboutBox_ = about;
}

QMdiSubWindow* MainWindow::ActiveChild() const {
  return mdiArea_ ? mdiArea_->currentSubWindow() : nullptr;
}

void MainWindow::SetViewCommandsEnabled(bool enabled) {
  for (CommandId id : kViewCommands) CommandFor(id).SetEnabled(enabled);
  CommandFor(CommandId::kClose).SetEnabled(enabled);
}

bool MainWindow::ViewCommandsEnabled() const {
  return std::all_of(kViewCommands.begin(), kViewCommands.end(),
                     [this](CommandId id) { return CommandFor(id).IsEnabled(); });
}

void MainWindow::ViewActivated(QMdiSubWindow* window) {
  // The client area reports no window both when the last one has closed (a closed view
  // leaves its list at once) and when the program loses the focus; only the first disables.
  if (!window) {
    if (mdiArea_->subWindowList().isEmpty()) {
      UpdateCommands();
      ShowFiltering();
    }
    return;
  }
  TakeOverCloseKey(*window);
  if (const auto* view = qobject_cast<const DataView*>(window)) {
    activeViewKind_ = view->ViewKind();
    connect(view, &DataView::followingChanged, this, &MainWindow::UpdateCommands,
            Qt::UniqueConnection);
    // A re-sort reads the rows again: whether the view is sorted by date is asked anew.
    connect(view, &DataView::shownRowsChanged, this, &MainWindow::UpdateCommands,
            Qt::UniqueConnection);
    connect(view, &DataView::shownRowsChanged, this, &MainWindow::ShowFiltering,
            Qt::UniqueConnection);
    connect(view, &DataView::statusNote, this, &MainWindow::ShowStatusNote, Qt::UniqueConnection);
  }
  UpdateCommands();
  ShowFiltering();
}

void MainWindow::UpdateCommands() {
  QMdiSubWindow* active = ActiveChild();
  CommandSituation situation;
  const auto* view = qobject_cast<const DataView*>(active);
  if (view) {
    situation.window = ActiveWindow::kView;
    situation.viewKind = view->ViewKind();
  }
#if TELVORAN_CHARTS
  else if (qobject_cast<const ChartWindow*>(active)) {
    situation.window = ActiveWindow::kChart;
  }
#endif
  else if (qobject_cast<const DailySummaryWindow*>(active)) {
    situation.window = ActiveWindow::kSummary;
  } else if (qobject_cast<const FindInFolderWindow*>(active)) {
    situation.window = ActiveWindow::kFind;
  } else if (!mdiArea_->subWindowList().isEmpty()) {
    // A window of no kind known here leaves the commands as they are.
    return;
  }
  situation.goesToDate = commands::GoToDateApplies(active);
  const CommandSet enabled = EnabledCommands(situation);
  for (std::size_t id = 0; id < kCommandCount; ++id) commands_[id].SetEnabled(enabled[id]);
  CommandFor(CommandId::kFollow).SetChecked(view != nullptr && view->IsFollowing());
}

void MainWindow::ShowStatusNote(const QString& note) {
  statusBar()->showMessage(note, kStatusNoteMs);
}

void MainWindow::FilterActiveView() {
  if (auto* view = qobject_cast<DataView*>(ActiveChild())) view->ShowFilter();
}

void MainWindow::ShowFiltering() {
  const auto* view = qobject_cast<const DataView*>(ActiveChild());
  // A view that is not the active one may report its rows too; the label speaks of the active.
  if (!view || !view->FilterShown()) {
    ShownRowsLabel->hide();
    return;
  }
  ShownRowsLabel->setText(FromCp1250(ShownRowsText(view->ShownRowCount(), view->AllRowCount(),
                                                   state_.Strings(), CountDigits::kGrouped)));
  ShownRowsLabel->show();
}

void MainWindow::FollowActiveView() {
  if (auto* view = qobject_cast<DataView*>(ActiveChild())) view->SetFollowing(!view->IsFollowing());
  UpdateCommands();
}

void MainWindow::OpenArchive() {
  commands::OpenArchive(state_, *mdiArea_);
}

void MainWindow::OpenFolder() {
  commands::OpenFolder(state_, *mdiArea_);
}

void MainWindow::SaveReport() {
  if (auto* summary = qobject_cast<DailySummaryWindow*>(ActiveChild())) {
    commands::SaveSummary(state_, *summary);
    return;
  }
  commands::SaveReport(state_, *mdiArea_);
}

void MainWindow::PrintView() {
#if TELVORAN_CHARTS
  if (auto* chart = qobject_cast<ChartWindow*>(ActiveChild())) {
    commands::PrintChart(state_, *chart);
    return;
  }
#endif
  if (auto* summary = qobject_cast<DailySummaryWindow*>(ActiveChild())) {
    commands::PrintSummary(state_, *summary);
    return;
  }
  commands::PrintView(state_, *mdiArea_);
}

void MainWindow::PrintSetup() {
  commands::PrintSetup(state_, this);
}

void MainWindow::Exit() {
  close();
}

void MainWindow::NextView() {
  if (QMdiArea* area = AreaWithViews(mdiArea_)) area->activateNextSubWindow();
}

void MainWindow::PreviousView() {
  if (QMdiArea* area = AreaWithViews(mdiArea_)) area->activatePreviousSubWindow();
}

void MainWindow::TileViews() {
  if (QMdiArea* area = AreaWithViews(mdiArea_)) TileOneAboveAnother(*area);
}

void MainWindow::CascadeViews() {
  if (QMdiArea* area = AreaWithViews(mdiArea_)) Cascade(*area);
}

void MainWindow::ArrangeIcons() {
  if (QMdiArea* area = AreaWithViews(mdiArea_)) telvoran::ArrangeIcons(*area);
}

void MainWindow::CloseView() {
  if (QMdiSubWindow* view = mdiArea_ ? mdiArea_->activeSubWindow() : nullptr) view->close();
}

void MainWindow::OpenFiles(const QStringList& paths) {
  for (const QString& path : paths) commands::OpenGivenFile(state_, *mdiArea_, path);
}

void MainWindow::ShowHelp() {
  if (!helpWindow_) return;
  helpWindow_->setWindowState(helpWindow_->windowState() & ~Qt::WindowMinimized);
  helpWindow_->show();
  helpWindow_->raise();
  helpWindow_->activateWindow();
}

void MainWindow::ShowAbout() {
  if (aboutBox_) aboutBox_->exec();
}

void MainWindow::ShowChart() {
#if TELVORAN_CHARTS
  commands::ShowChart(state_, *mdiArea_);
#endif
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (mdiArea_) mdiArea_->closeAllSubWindows();
  // A help window left open would keep the program running without its main window.
  if (helpWindow_) helpWindow_->close();
  event->accept();
}

void MainWindow::contextMenuEvent(QContextMenuEvent* event) {
  PopupMenu->popup(event->globalPos());
  event->accept();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (!DroppedLocalFiles(*event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void MainWindow::dragMoveEvent(QDragMoveEvent* event) {
  if (!DroppedLocalFiles(*event->mimeData()).isEmpty()) event->acceptProposedAction();
}

// The files open once the drop is over, so that the program that dragged them is not kept
// waiting while a message about one of them is on the screen.
void MainWindow::dropEvent(QDropEvent* event) {
  const QStringList files = DroppedLocalFiles(*event->mimeData());
  if (files.isEmpty()) return;
  event->acceptProposedAction();
  QMetaObject::invokeMethod(
      this, [this, files] { OpenFiles(files); }, Qt::QueuedConnection);
}

}  // namespace telvoran
