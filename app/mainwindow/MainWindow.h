#pragma once

#include <QMainWindow>
#include <QString>

#include "app/ProgramState.h"
#include "core/archive/ArchiveKind.h"

class QAction;
class QCloseEvent;
class QLabel;
class QContextMenuEvent;
class QDragEnterEvent;
class QDragMoveEvent;
class QDropEvent;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;

namespace telvoran {

class AboutBox;
class DataView;
class HelpWindow;
class OpenViewsMenu;
class RecentFilesMenu;
class StringLookup;
class UserDialogs;

// The program's multiple-document frame: menus, tool bar, status bar and pop-up menu, the
// views in its client area and the commands on them. It follows the client area: activating a
// view enables the view commands and records the kind of view; when the last view has closed
// they are disabled again.
class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  MainWindow(const StringLookup& strings, UserDialogs& dialogs, const QString& programDirectory,
             QWidget* parent = nullptr);
  ~MainWindow() override;

  ProgramState& State() { return state_; }
  // The kind of the data view activated last; another kind before any.
  ArchiveKind ActiveViewKind() const { return activeViewKind_; }

  QMdiArea* MdiArea() const { return mdiArea_; }
  // The active child window; it stays the active one while another program has the focus.
  QMdiSubWindow* ActiveChild() const;
  // Switches the fifteen view commands together, in their fixed order, and the window menu's
  // close command with them.
  void SetViewCommandsEnabled(bool enabled);
  bool ViewCommandsEnabled() const;

  void SetHelpWindow(HelpWindow* help);
  void SetAboutBox(AboutBox* about);

  // The commands of the menus, the pop-up menu and the tool bar.
  void OpenArchive();
  void OpenFolder();
  void SaveReport();
  void PrintView();
  void PrintSetup();
  void Exit();
  void NextView();
  void PreviousView();
  void TileViews();
  void CascadeViews();
  void ArrangeIcons();
  void CloseView();
  void ShowHelp();
  void ShowAbout();
  // Opens each file through the open command from the chosen file name on, one after another.
  void OpenFiles(const QStringList& paths);
  // A chart of the active view, in a window of its own.
  void ShowChart();
  // Switches the active view's following of its file on or off.
  void FollowActiveView();
  // Shows the active view's filter line and puts the keyboard in it.
  void FilterActiveView();
  // Jumps to the date and time asked for in the active view sorted by date, or chart.
  void GoToDate();
  // The window that finds a text in every archive of a folder.
  void FindInFolder();
  // The daily summary of the unit and days of the active interval view.
  void ShowDailySummary();

  // Menu items, pop-up items and tool buttons, named by role.
  QAction* FileMenu = nullptr;
  QAction* FileOpen = nullptr;
  QAction* FileOpenFolder = nullptr;
  QAction* FileSaveAs = nullptr;
  QAction* FilePrint = nullptr;
  QAction* FilePrintSetup = nullptr;
  QAction* FileExit = nullptr;
  QAction* WindowMenu = nullptr;
  QAction* WindowNext = nullptr;
  QAction* WindowPrevious = nullptr;
  QAction* WindowTile = nullptr;
  QAction* WindowCascade = nullptr;
  QAction* WindowArrangeAll = nullptr;
  QAction* WindowClose = nullptr;
  QAction* WindowChart = nullptr;
  QAction* HelpMenu = nullptr;
  QAction* HelpContents = nullptr;
  QAction* HelpAbout = nullptr;
  QAction* PopUpNext = nullptr;
  QAction* PopUpPrevious = nullptr;
  QAction* PopUpTile = nullptr;
  QAction* PopUpCascade = nullptr;
  QAction* PopUpArrangeAll = nullptr;
  QAction* PopUpChart = nullptr;
  // Following the active view's file, ticked while it follows; at the end of the Window menu
  // and of the pop-up menu.
  QAction* WindowFollow = nullptr;
  QAction* PopUpFollow = nullptr;
  // Filtering the active view's rows (Ctrl+F), after the follow commands.
  QAction* WindowFilter = nullptr;
  QAction* PopUpFilter = nullptr;
  // Going to a date (Ctrl+G), after the filter commands; on while the active window is a view
  // sorted by date or a chart.
  QAction* WindowGoToDate = nullptr;
  QAction* PopUpGoToDate = nullptr;
  // The daily summary, after going to a date; on while an interval view is active.
  QAction* WindowDailySummary = nullptr;
  QAction* PopUpDailySummary = nullptr;
  // Finding a text in a folder's archives (Ctrl+Shift+F), in the file menu; always on.
  QAction* FileFindInFolder = nullptr;
  // "N of M rows" in the status bar while the active view's filter line is shown.
  QLabel* ShownRowsLabel = nullptr;
  QAction* OpenBtn = nullptr;
  QAction* SaveAsBtn = nullptr;
  QAction* PrintBtn = nullptr;
  QAction* ChartBtn = nullptr;
  QAction* HelpBtn = nullptr;
  QAction* CloseBtn = nullptr;
  QMenu* PopupMenu = nullptr;
  QToolBar* ToolBar = nullptr;
  // The file menu's recently opened archives and the window menu's open views.
  RecentFilesMenu* RecentFileList = nullptr;
  OpenViewsMenu* OpenViewList = nullptr;

 protected:
  // Closing the main window ends the program: the views close with it, without asking.
  void closeEvent(QCloseEvent* event) override;
  // The pop-up menu anywhere over the window: client area, views, tool bar and status bar.
  void contextMenuEvent(QContextMenuEvent* event) override;
  // Archive files dropped on the window open one after another, as if chosen in the open dialog.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  // No menu for showing and hiding the tool bar: the window's menus are fixed.
  QMenu* createPopupMenu() override { return nullptr; }

 private:
  // The window as its layout declares it, with the built-in captions and hints.
  void BuildLayout();
  void BuildMenus();
  void BuildToolBar();
  // The caption, size and place, and the library texts that replace the built-in ones.
  void SetUpWindow();
  void ReplaceMenuTexts();
  void ReplaceToolButtonHints();
  // The lists of recently opened archives and of open views, in the file and window menus.
  void BuildMenuLists();
  // Enables the follow commands while a data view is active and ticks them while it follows.
  void ShowFollowing();
  // Enables the filter commands while a data view is active, and shows how many of its rows
  // its filter keeps.
  void ShowFiltering();
  void BuildPlantCommands();
  // A daily summary or the find window activated: the window commands act on it, and a
  // summary is saved and printed as a view is; there is no chart of either.
  void PlantWindowActivated(QMdiSubWindow& window);
  void ReplacePlantTexts();
  // Enables going to a date and the daily summary where they apply to the active window.
  void ShowPlantCommands();
  // A passing note of a view, such as a followed file that was replaced.
  void ShowStatusNote(const QString& note);
  // Follows the client area: a view activated, or none left.
  void ViewActivated(QMdiSubWindow* window);
  // A chart window activated: printing and the window commands act on it; there is no text
  // report of a chart, and no chart of a chart.
  void ChartActivated();
  // The chart command, in the menu, the pop-up menu and the tool bar.
  void SetChartCommandEnabled(bool enabled);

  ProgramState state_;
  ArchiveKind activeViewKind_ = ArchiveKind::Other;
  QMdiArea* mdiArea_ = nullptr;
  HelpWindow* helpWindow_ = nullptr;
  AboutBox* aboutBox_ = nullptr;
};

}  // namespace telvoran
