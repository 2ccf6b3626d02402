#include <QAction>
#include <QContextMenuEvent>
#include <QDialog>
#include <QEnterEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTest>
#include <QTextEdit>
#include <QToolBar>

#include <gtest/gtest.h>

#include "app/ProgramSettings.h"
#include "app/QtText.h"
#include "app/WindowPlace.h"
#include "app/help/HelpWindow.h"
#include "app/mainwindow/MainWindow.h"
#include "app/mainwindow/OpenViewsMenu.h"
#include "core/text/StringLibrary.h"
#include "support/FakeStrings.h"
#include "support/ScriptedDialogs.h"

namespace telvoran {
namespace {

using enum CommandId;
using enum Place;

using Item = CommandItem;

class MainWindowTest : public ::testing::Test {
 protected:
  test::FakeStrings strings = test::NumberedStrings();
  test::ScriptedDialogs dialogs;
  MainWindow form{strings, dialogs, "/opt/telvoran"};

  QMdiSubWindow* AddView(const QString& name) {
    QMdiSubWindow* view = form.MdiArea()->addSubWindow(new QListWidget);
    view->setWindowTitle(name);
    view->show();
    return view;
  }
  QString StatusText() const { return form.statusBar()->currentMessage(); }
};

// What a menu or tool bar holds, in order: items by caption, separators by name.
QStringList Layout(const QList<QAction*>& actions) {
  QStringList layout;
  for (const QAction* action : actions)
    layout << (action->isSeparator()      ? action->objectName()
               : action->text().isEmpty() ? action->toolTip()
                                          : action->text());
  return layout;
}

const Item kViewCommands[] = {
    {kSaveAs, kMenu},      {kPrint, kMenu},     {kPrintSetup, kMenu}, {kNext, kMenu},
    {kPrevious, kMenu},    {kTile, kMenu},      {kCascade, kMenu},    {kArrangeAll, kMenu},
    {kNext, kPopUp},       {kPrevious, kPopUp}, {kTile, kPopUp},      {kCascade, kPopUp},
    {kArrangeAll, kPopUp}, {kSaveAs, kToolBar}, {kPrint, kToolBar},
};
const Item kAlwaysEnabled[] = {
    {kOpen, kMenu},    {kExit, kMenu},    {kHelp, kMenu},    {kAbout, kMenu},
    {kOpen, kToolBar}, {kHelp, kToolBar}, {kExit, kToolBar}, {kOpenFolder, kMenu},
};

TEST_F(MainWindowTest, CreationSetsCaptionSizeProgramDirectoryAndTitleCopy) {
  EXPECT_EQ(form.windowTitle(), "Telvoran");
  EXPECT_EQ(form.size(), QSize(800, 600));
  EXPECT_EQ(form.State().ProgramDirectory(), "/opt/telvoran/");
  EXPECT_EQ(form.State().TitleCopy(), QGuiApplication::applicationDisplayName());
}

TEST_F(MainWindowTest, EveryItemTakesCaptionAndHintFromItsLibraryTexts) {
  const struct {
    QAction* item;
    int captionId;
  } items[] = {
      {form.FileMenu()->menuAction(), 116},    {form.Item({kOpen, kMenu}), 118},
      {form.Item({kSaveAs, kMenu}), 120},      {form.Item({kPrint, kMenu}), 122},
      {form.Item({kPrintSetup, kMenu}), 124},  {form.Item({kExit, kMenu}), 126},
      {form.WindowMenu()->menuAction(), 128},  {form.Item({kNext, kMenu}), 130},
      {form.Item({kPrevious, kMenu}), 132},    {form.Item({kTile, kMenu}), 134},
      {form.Item({kCascade, kMenu}), 136},     {form.Item({kArrangeAll, kMenu}), 138},
      {form.HelpMenu()->menuAction(), 140},    {form.Item({kHelp, kMenu}), 142},
      {form.Item({kAbout, kMenu}), 144},       {form.Item({kClose, kMenu}), 192},
      {form.Item({kNext, kPopUp}), 130},       {form.Item({kPrevious, kPopUp}), 132},
      {form.Item({kTile, kPopUp}), 134},       {form.Item({kCascade, kPopUp}), 136},
      {form.Item({kArrangeAll, kPopUp}), 138}, {form.Item({kOpenFolder, kMenu}), 300},
  };
  for (const auto& [item, captionId] : items) {
    EXPECT_EQ(item->text(), "S" + QString::number(captionId));
    EXPECT_EQ(item->statusTip(), "S" + QString::number(captionId + 1));
  }
}

TEST_F(MainWindowTest, ToolButtonsShowTheShortTextAsTooltipAndTheMenuHintInTheStatusBar) {
  const struct {
    Item button;
    const char* tooltip;
    const char* statusTip;
  } buttons[] = {{{kOpen, kToolBar}, "S148", "S119"},
                 {{kSaveAs, kToolBar}, "S150", "S121"},
                 {{kPrint, kToolBar}, "S149", "S123"},
                 {{kHelp, kToolBar}, "S147", "S143"},
                 {{kExit, kToolBar}, "S146", "S127"}};
  for (const auto& [button, tooltip, statusTip] : buttons) {
    EXPECT_EQ(form.Item(button)->toolTip(), tooltip);
    EXPECT_EQ(form.Item(button)->statusTip(), statusTip);
  }
}

TEST_F(MainWindowTest, MenusPopUpAndToolBarHoldTheirItemsAndSeparatorsInOrder) {
  EXPECT_EQ(Layout(form.menuBar()->actions()), QStringList({"S116", "S128", "S140"}));
  EXPECT_EQ(Layout(form.FileMenu()->actions()),
            QStringList({"S118", "S300", "S120", "S328", "PrintSeparator", "S122", "S124",
                         "ExitSeparator", "S126"}));
  EXPECT_EQ(Layout(form.WindowMenu()->actions()),
            QStringList({"S130", "S132", "ArrangeSeparator", "S134", "S136", "S138",
                         "CloseSeparator", "S192", "ChartSeparator", "S220", "FollowSeparator",
                         "S200", "S240", "S325", "S338"}));
  EXPECT_EQ(Layout(form.HelpMenu()->actions()), QStringList({"S142", "S144"}));
  EXPECT_EQ(Layout(form.PopupMenu->actions()),
            QStringList({"S130", "S132", "PopUpArrangeSeparator", "S134", "S136", "S138",
                         "PopUpChartSeparator", "S220", "PopUpFollowSeparator", "S200", "S240",
                         "S325", "S338"}));
  EXPECT_EQ(Layout(form.ToolBar->actions()),
            QStringList({"S148", "S150", "ToolPrintSeparator", "S149", "S222", "ToolHelpSeparator",
                         "ToolHelpSeparator2", "S147", "ToolExitSeparator", "S146"}));
}

TEST(MainWindowLibraryTexts, BuiltLibrariesGiveTheirOwnLanguage) {
  test::ScriptedDialogs dialogs;
  const auto polish = LoadStringLibrary(TELVORAN_BUILD_DIR);
  const auto english = LoadStringLibrary(TELVORAN_BUILD_DIR "/lang/en");
  ASSERT_TRUE(polish && english);
  MainWindow polishForm(*polish, dialogs, "/x");
  MainWindow englishForm(*english, dialogs, "/x");
  EXPECT_EQ(polishForm.Item({kExit, kMenu})->text(), "Za&kończ");
  EXPECT_EQ(polishForm.Item({kOpen, kToolBar})->toolTip(), "Otwórz");
  EXPECT_EQ(polishForm.Item({kOpen, kToolBar})->statusTip(), "Otwiera plik z zapisanymi danymi");
  EXPECT_EQ(englishForm.Item({kOpen, kMenu})->text(), "&Open...");
  EXPECT_EQ(englishForm.Item({kExit, kToolBar})->toolTip(), "Close");
  EXPECT_EQ(englishForm.Item({kExit, kToolBar})->statusTip(), "Closes the program");
  EXPECT_EQ(polishForm.Item({kFollow, kMenu})->text(), "Ś&ledź plik");
  EXPECT_EQ(englishForm.Item({kFollow, kPopUp})->text(), "&Follow file");
  EXPECT_EQ(englishForm.Item({kFollow, kPopUp})->statusTip(),
            "Shows records added to the file of the active window");
}

TEST_F(MainWindowTest, LibraryHintWithABarSplitsAtItsFirstBar) {
  strings.Set(119, "Opens|a file");
  MainWindow withBar(strings, dialogs, "/x");
  EXPECT_EQ(withBar.Item({kOpen, kMenu})->statusTip(), "a file");
  EXPECT_EQ(withBar.Item({kOpen, kToolBar})->toolTip(), "S148");
  EXPECT_EQ(withBar.Item({kOpen, kToolBar})->statusTip(), "Opens|a file");
}

TEST_F(MainWindowTest, ViewCommandsStartDisabledAndSwitchTogether) {
  for (Item command : kViewCommands) EXPECT_FALSE(form.Item(command)->isEnabled());
  EXPECT_FALSE(form.ViewCommandsEnabled());
  form.SetViewCommandsEnabled(true);
  for (Item command : kViewCommands) EXPECT_TRUE(form.Item(command)->isEnabled());
  EXPECT_TRUE(form.ViewCommandsEnabled());
  form.SetViewCommandsEnabled(false);
  for (Item command : kViewCommands) EXPECT_FALSE(form.Item(command)->isEnabled());
  for (Item command : kAlwaysEnabled) EXPECT_TRUE(form.Item(command)->isEnabled());
  for (QMenu* menu : {form.FileMenu(), form.WindowMenu(), form.HelpMenu()})
    EXPECT_TRUE(menu->menuAction()->isEnabled());
}

TEST_F(MainWindowTest, F6AndF5StepThroughTheViewsOnlyWhileViewCommandsAreEnabled) {
  EXPECT_EQ(form.Item({kNext, kMenu})->shortcut(), QKeySequence(Qt::Key_F6));
  EXPECT_EQ(form.Item({kPrevious, kMenu})->shortcut(), QKeySequence(Qt::Key_F5));
  EXPECT_EQ(form.Item({kNext, kPopUp})->shortcut(), QKeySequence(Qt::Key_F6));
  EXPECT_EQ(form.Item({kPrevious, kPopUp})->shortcut(), QKeySequence(Qt::Key_F5));

  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  QMdiSubWindow* first = AddView("first");
  QMdiSubWindow* second = AddView("second");
  form.MdiArea()->setActiveSubWindow(first);
  QTest::keyClick(&form, Qt::Key_F6);
  EXPECT_EQ(form.ActiveChild(), first) << "disabled commands ignore their keys";

  form.SetViewCommandsEnabled(true);
  // Both the menu item and its pop-up twin carry the key; it must still mean one step.
  QTest::keyClick(&form, Qt::Key_F6);
  EXPECT_EQ(form.ActiveChild(), second);
  QTest::keyClick(&form, Qt::Key_F5);
  EXPECT_EQ(form.ActiveChild(), first);
}

TEST(FittedToScreen, KeepsTheWholeWindowOnTheScreen) {
  const QRect screen(0, 0, 1280, 720);
  const struct {
    QRect window;
    QRect fitted;
  } cases[] = {
      {{0, 0, 800, 600}, {0, 0, 800, 600}},           // fits as it is
      {{0, 0, 1600, 1200}, {0, 0, 1280, 720}},        // 800 x 600 at scale 2: never taller
      {{1000, 500, 800, 600}, {480, 120, 800, 600}},  // beyond the right and bottom edges
      {{-50, -20, 800, 600}, {0, 0, 800, 600}},       // above and left of the screen
  };
  for (const auto& c : cases) EXPECT_EQ(FittedToScreen(c.window, screen), c.fitted) << c.window.x();
  // A second screen to the right of the first.
  EXPECT_EQ(FittedToScreen({100, 100, 800, 600}, {1280, 0, 1920, 1080}),
            QRect(1280, 100, 800, 600));
}

// The main window's size and place come back at the next start, from the program's settings.
TEST(WindowPlace, SizeAndPlaceComeBackFromTheSettings) {
  const QVariant kept = ProgramSettings().value("MainWindow/Geometry");
  QWidget before;
  before.setGeometry(40, 50, 500, 300);
  KeepWindowPlace(before);
  QWidget after;
  after.resize(800, 600);
  RestoreWindowPlace(after);
  EXPECT_EQ(after.size(), QSize(500, 300));
  EXPECT_EQ(after.pos(), QPoint(40, 50));
  if (kept.isValid())
    ProgramSettings().setValue("MainWindow/Geometry", kept);
  else
    ProgramSettings().remove("MainWindow/Geometry");
}

// The usual keys of a desktop program open, save and print; save and print only with a view.
TEST_F(MainWindowTest, CtrlOSAndPOpenSaveAndPrint) {
  EXPECT_EQ(form.Item({kOpen, kMenu})->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
  EXPECT_EQ(form.Item({kSaveAs, kMenu})->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
  EXPECT_EQ(form.Item({kPrint, kMenu})->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  QTest::keyClick(&form, Qt::Key_S, Qt::ControlModifier);
  QTest::keyClick(&form, Qt::Key_P, Qt::ControlModifier);
  EXPECT_TRUE(dialogs.asked.isEmpty()) << "disabled with the view commands";
  dialogs.openAnswers.push_back(std::nullopt);
  QTest::keyClick(&form, Qt::Key_O, Qt::ControlModifier);
  ASSERT_EQ(dialogs.asked.size(), 1);
  EXPECT_TRUE(dialogs.asked[0].startsWith("open:")) << dialogs.asked[0].toStdString();
}

TEST_F(MainWindowTest, StatusTipsOfWidgetsInOtherWindowsReachTheMainStatusBar) {
  QWidget otherWindow;
  auto* label = new QLabel("label", &otherWindow);
  QStatusTipEvent tip("from another window");
  QCoreApplication::sendEvent(label, &tip);
  EXPECT_EQ(StatusText(), "from another window");

  HelpWindow help(form.State());
  QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
  QCoreApplication::sendEvent(help.RichEdit, &enter);
  EXPECT_EQ(StatusText(), "S180");

  QStatusTipEvent ownTip("from the main window");
  QCoreApplication::sendEvent(form.ToolBar, &ownTip);
  EXPECT_EQ(StatusText(), "from the main window");
}

TEST_F(MainWindowTest, RightClickOverTheClientAreaOrAViewOpensThePopUpMenu) {
  form.show();
  QMdiSubWindow* view = AddView("view");
  view->setGeometry(10, 10, 300, 200);
  QWidget* list = static_cast<QListWidget*>(view->widget())->viewport();
  for (QWidget* target : {form.MdiArea()->viewport(), list}) {
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(40, 40),
                            target->mapToGlobal(QPoint(40, 40)));
    QCoreApplication::sendEvent(target, &click);
    EXPECT_TRUE(form.PopupMenu->isVisible()) << target->metaObject()->className();
    form.PopupMenu->close();
  }
}

TEST_F(MainWindowTest, ExitClosesTheViewsAndTheHelpWindowWithoutAsking) {
  HelpWindow help(form.State());
  form.SetHelpWindow(&help);
  dialogs.asked.clear();  // the help window has reported its missing help file
  form.show();
  help.show();
  QPointer<QMdiSubWindow> first = AddView("first");
  QPointer<QMdiSubWindow> second = AddView("second");
  form.Exit();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_FALSE(form.isVisible());
  EXPECT_FALSE(help.isVisible());
  EXPECT_TRUE(form.MdiArea()->subWindowList().isEmpty());
  EXPECT_TRUE(first.isNull() && second.isNull());
  EXPECT_TRUE(dialogs.asked.isEmpty());
}

TEST_F(MainWindowTest, HelpContentsRestoresShowsAndRaisesTheHelpWindow) {
  HelpWindow help(form.State());
  form.SetHelpWindow(&help);
  EXPECT_FALSE(help.isVisible());
  EXPECT_EQ(help.windowTitle(), "S179 \"Telvoran\"");
  form.ShowHelp();
  EXPECT_TRUE(help.isVisible());
  help.showMinimized();
  form.ShowHelp();
  EXPECT_TRUE(help.isVisible());
  EXPECT_FALSE(help.isMinimized());
  help.close();
  EXPECT_FALSE(help.isVisible());
}

TEST_F(MainWindowTest, CtrlF4ClosesTheActiveViewAndCtrlTabStepsAsF6AndF5Do) {
  EXPECT_EQ(form.Item({kClose, kMenu})->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F4));
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  QMdiSubWindow* first = AddView("first");
  QMdiSubWindow* second = AddView("second");
  QMdiSubWindow* third = AddView("third");
  form.MdiArea()->setActiveSubWindow(first);
  QTest::keyClick(&form, Qt::Key_F4, Qt::ControlModifier);
  EXPECT_EQ(form.MdiArea()->subWindowList().size(), 3) << "disabled with the view commands";

  form.SetViewCommandsEnabled(true);
  EXPECT_TRUE(form.Item({kClose, kMenu})->isEnabled());
  QTest::keyClick(&form, Qt::Key_Tab, Qt::ControlModifier);
  EXPECT_EQ(form.ActiveChild(), second);
  QTest::keyClick(&form, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(form.ActiveChild(), first);
  QTest::keyClick(&form, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(form.ActiveChild(), third);

  QPointer<QMdiSubWindow> closing = third;
  QTest::keyClick(&form, Qt::Key_F4, Qt::ControlModifier);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(closing.isNull());
  EXPECT_EQ(form.MdiArea()->subWindowList().size(), 2);
  form.SetViewCommandsEnabled(false);
  EXPECT_FALSE(form.Item({kClose, kMenu})->isEnabled());
}

// The window menu's items, by caption, below its commands.
QStringList ListedViews(const MainWindow& form) {
  emit form.WindowMenu()->aboutToShow();
  QStringList listed;
  for (const QAction* item : form.OpenViewList->Items())
    listed << item->text() + (item->isChecked() ? " (active)" : "");
  return listed;
}

TEST_F(MainWindowTest, WindowMenuListsTheOpenViewsBelowItsCommands) {
  form.show();
  EXPECT_TRUE(ListedViews(form).isEmpty());
  EXPECT_EQ(form.WindowMenu()->actions().size(), 15) << "no separator without views";

  QMdiSubWindow* first = AddView("first.czt");
  AddView("a&b.zdr");
  form.MdiArea()->setActiveSubWindow(first);
  EXPECT_EQ(ListedViews(form), QStringList({"&1 first.czt (active)", "&2 a&&b.zdr"}));
  EXPECT_EQ(Layout(form.WindowMenu()->actions()).mid(0, 16),
            QStringList({"S130", "S132", "ArrangeSeparator", "S134", "S136", "S138",
                         "CloseSeparator", "S192", "ChartSeparator", "S220", "FollowSeparator",
                         "S200", "S240", "S325", "S338", ""}));
  EXPECT_EQ(form.OpenViewList->Items()[1]->statusTip(), "S194");

  form.OpenViewList->Items()[1]->trigger();
  EXPECT_EQ(form.ActiveChild()->windowTitle(), "a&b.zdr");
  EXPECT_EQ(ListedViews(form), QStringList({"&1 first.czt", "&2 a&&b.zdr (active)"}))
      << "made anew, not added to";

  for (int i = 3; i <= 10; ++i) AddView(QString("v%1").arg(i));
  const QStringList listed = ListedViews(form);
  ASSERT_EQ(listed.size(), 10);
  EXPECT_EQ(listed[8], "&9 v9");
  EXPECT_EQ(listed[9], "10 v10 (active)") << "access keys only for 1 to 9";
}

TEST_F(MainWindowTest, PopUpMenuOpensOverToolBarAndStatusBarToo) {
  form.show();
  for (QWidget* target : std::initializer_list<QWidget*>{form.ToolBar, form.statusBar()}) {
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5),
                            target->mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(target, &click);
    EXPECT_TRUE(form.PopupMenu->isVisible()) << target->metaObject()->className();
    form.PopupMenu->close();
  }
}

TEST_F(MainWindowTest, AHintIsClearedWhenTheCommandsDialogOpens) {
  QStringList shownWithDialog;
  dialogs.whileDialogShown = [&] { shownWithDialog << StatusText(); };
  dialogs.openAnswers = {std::nullopt, std::nullopt};
  form.statusBar()->showMessage("S119");
  form.Item({kOpen, kMenu})->trigger();
  form.statusBar()->showMessage("S119");
  form.Item({kOpen, kToolBar})->trigger();
  form.SetViewCommandsEnabled(true);
  form.statusBar()->showMessage("S125");
  form.Item({kPrintSetup, kMenu})->trigger();
  EXPECT_EQ(shownWithDialog, QStringList({"", "", ""}));

  // Any modal dialog, the help window's print dialog too, clears it as it opens.
  form.show();
  form.statusBar()->showMessage("S182");
  QDialog modal(&form);
  modal.setModal(true);
  modal.show();
  EXPECT_EQ(StatusText(), "");
  modal.close();
}

}  // namespace
}  // namespace telvoran
