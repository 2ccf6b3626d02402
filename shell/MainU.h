#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QPrinter>
#include <QString>

#include <memory>

#include "archive/ArchiveFile.h"
#include "archive/FailureReporter.h"

class QAction;
class QCloseEvent;
class QContextMenuEvent;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;

namespace telvoran {

class StringLookup;
class THelpForm;
class TAboutBox;
class UserDialogs;

// The kind of the data view activated last: 1 interval view, 2 event view; 0 before any.
enum ActiveViewKindValue { kNoViewKind = 0, kIntervalViewKind = 1, kEventViewKind = 2 };

// The program's multiple-document frame: menus, tool bar, status bar, pop-up menu, the
// commands on the set of views, and the program-wide state the views and commands share.
class TMainForm : public QMainWindow {
  Q_OBJECT

 public:
  TMainForm(const StringLookup& strings, UserDialogs& dialogs, QString programDirectory,
            QWidget* parent = nullptr);
  ~TMainForm() override;

  // Program-wide state.
  const StringLookup& Strings() const { return strings_; }
  UserDialogs& Dialogs() { return dialogs_; }
  // Beeps and plain message boxes captioned with the application title.
  FailureReporter& Reporter();
  // The one archive file and record buffer every command reads through.
  ArchiveFile& Archive() { return archive_; }
  const QString& ProgramDirectory() const { return programDirectory_; }
  const QString& TitleCopy() const { return titleCopy_; }
  int ActiveViewKind() const { return activeViewKind_; }
  void SetActiveViewKind(int kind) { activeViewKind_ = kind; }
  QPrinter& Printer() { return printer_; }

  QMdiArea* MdiArea() const { return mdiArea_; }
  // The active child window; it stays the active one while another program has the focus.
  QMdiSubWindow* ActiveChild() const;
  // Switches the fifteen view commands together, in their fixed order.
  void SetViewCommandsEnabled(bool enabled);
  bool ViewCommandsEnabled() const;

  void SetHelpWindow(THelpForm* help);
  void SetAboutBox(TAboutBox* about);

  // Handlers of the commands.
  void FileOpenClick();
  void FileSaveAsClick();
  bool SaveDialogCanClose(const QString& fileName);
  void FilePrintClick();
  void FilePrintSetupClick();
  void FileExitClick();
  void WindowNextClick();
  void WindowPreviousClick();
  void WindowTileClick();
  void WindowCascadeClick();
  void WindowArrangeAllClick();
  void HelpContentsClick();
  void HelpAboutClick();

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
  void FormCreate();
  // The library texts that replace the built-in ones, set once at creation.
  void ReplaceMenuTexts();
  void ReplaceToolButtonHints();
  QString LibraryText(int id) const;

  const StringLookup& strings_;
  UserDialogs& dialogs_;
  std::unique_ptr<FailureReporter> reporter_;
  ArchiveFile archive_;
  QString programDirectory_;
  QString titleCopy_;
  int activeViewKind_ = kNoViewKind;
  QPrinter printer_;
  QMdiArea* mdiArea_ = nullptr;
  THelpForm* helpForm_ = nullptr;
  TAboutBox* aboutBox_ = nullptr;
};

}  // namespace telvoran
