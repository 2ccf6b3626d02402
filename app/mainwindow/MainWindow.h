#pragma once

#include <QMainWindow>
#include <QString>

#include <array>

#include "app/ProgramState.h"
#include "app/mainwindow/Command.h"
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
// views in its client area and the commands on them. It follows the client area: the active
// window's kind and state decide which commands can be chosen, and activating a data view
// records its kind; when the last window has closed only the commands that need none stay on.
class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  // The menus of the menu bar, in order.
  enum MenuIndex { kFileMenu, kWindowMenu, kHelpMenu };

  MainWindow(const StringLookup& strings, UserDialogs& dialogs, const QString& programDirectory,
             QWidget* parent = nullptr);
  ~MainWindow() override;

  ProgramState& State() { return state_; }
  // The kind of the data view activated last; another kind before any.
  ArchiveKind ActiveViewKind() const { return activeViewKind_; }

  QMdiArea* MdiArea() const { return mdiArea_; }
  // The active child window; it stays the active one while another program has the focus.
  QMdiSubWindow* ActiveChild() const;
  // Switches the commands that need a window to act on, and the window menu's close command with
  // them, for client windows of no kind the main window knows; its own windows switch them on
  // activation.
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

  // Each command with its menu item, pop-up twin and tool button.
  const Command& CommandFor(CommandId id) const { return commands_[Bit(id)]; }
  // One item of a command; null where the command does not appear.
  QAction* Item(CommandItem item) const { return CommandFor(item.command).Item(item.place); }
  QMenu* FileMenu() const { return menus_[kFileMenu]; }
  QMenu* WindowMenu() const { return menus_[kWindowMenu]; }
  QMenu* HelpMenu() const { return menus_[kHelpMenu]; }

  // "N of M rows" in the status bar while the active view's filter line is shown.
  QLabel* ShownRowsLabel = nullptr;
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
  // The one place that decides which commands can be chosen: from the kind of the active
  // window and what it shows. It also ticks the follow command while the active view follows.
  // Called when the active window changes and when a view's state does.
  void UpdateCommands();
  // Shows how many of the active view's rows its filter keeps, while its filter line is shown.
  void ShowFiltering();
  // A passing note of a view, such as a followed file that was replaced.
  void ShowStatusNote(const QString& note);
  // Follows the client area: a view activated, or none left.
  void ViewActivated(QMdiSubWindow* window);

  ProgramState state_;
  std::array<Command, kCommandCount> commands_;
  std::array<QMenu*, 3> menus_{};
  ArchiveKind activeViewKind_ = ArchiveKind::Other;
  QMdiArea* mdiArea_ = nullptr;
  HelpWindow* helpWindow_ = nullptr;
  AboutBox* aboutBox_ = nullptr;
};

}  // namespace telvoran
