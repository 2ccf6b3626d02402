#pragma once

#include <QMainWindow>
#include <QString>

#include "app/ProgramState.h"

class QAction;
class QCloseEvent;
class QContextMenuEvent;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;

namespace telvoran {

class AboutBox;
class DataView;
class HelpWindow;
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
  // The kind of the data view activated last (ViewKind of DataView); 0 before any.
  int ActiveViewKind() const { return activeViewKind_; }

  QMdiArea* MdiArea() const { return mdiArea_; }
  // The active child window; it stays the active one while another program has the focus.
  QMdiSubWindow* ActiveChild() const;
  // Switches the fifteen view commands together, in their fixed order.
  void SetViewCommandsEnabled(bool enabled);
  bool ViewCommandsEnabled() const;

  void SetHelpWindow(HelpWindow* help);
  void SetAboutBox(AboutBox* about);

  // The commands of the menus, the pop-up menu and the tool bar.
  void OpenArchive();
  void SaveReport();
  void PrintView();
  void PrintSetup();
  void Exit();
  void NextView();
  void PreviousView();
  void TileViews();
  void CascadeViews();
  void ArrangeIcons();
  void ShowHelp();
  void ShowAbout();
  // Switches the active view's following of its file on or off.
  void FollowActiveView();

  // Menu items, pop-up items and tool buttons, named by role.
  QAction* FileMenu = nullptr;
  QAction* FileOpen = nullptr;
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
  QAction* HelpMenu = nullptr;
  QAction* HelpContents = nullptr;
  QAction* HelpAbout = nullptr;
  QAction* PopUpNext = nullptr;
  QAction* PopUpPrevious = nullptr;
  QAction* PopUpTile = nullptr;
  QAction* PopUpCascade = nullptr;
  QAction* PopUpArrangeAll = nullptr;
  // Following the active view's file, ticked while it follows; at the end of the Window menu
  // and of the pop-up menu.
  QAction* WindowFollow = nullptr;
  QAction* PopUpFollow = nullptr;
  QAction* OpenBtn = nullptr;
  QAction* SaveAsBtn = nullptr;
  QAction* PrintBtn = nullptr;
  QAction* HelpBtn = nullptr;
  QAction* CloseBtn = nullptr;
  QMenu* PopupMenu = nullptr;
  QToolBar* ToolBar = nullptr;

 protected:
  // Closing the main window ends the program: the views close with it, without asking.
  void closeEvent(QCloseEvent* event) override;
  // The pop-up menu over the client area and the views in it.
  void contextMenuEvent(QContextMenuEvent* event) override;
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
  void BuildFollowCommands();
  void ReplaceFollowTexts();
  // Enables the follow commands while a data view is active and ticks them while it follows.
  void ShowFollowing();
  // Follows the client area: a view activated, or none left.
  void ViewActivated(QMdiSubWindow* window);

  ProgramState state_;
  int activeViewKind_ = 0;
  QMdiArea* mdiArea_ = nullptr;
  HelpWindow* helpWindow_ = nullptr;
  AboutBox* aboutBox_ = nullptr;
};

}  // namespace telvoran
