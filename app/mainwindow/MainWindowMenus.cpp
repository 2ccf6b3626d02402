// The main window's menus, pop-up menu and tool bar as tables: each item with its built-in
// caption and hint, its key, its state at start, its handler and the library texts that
// replace the built-in ones at creation.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

#include <span>

#include "app/Hint.h"
#include "app/mainwindow/MainWindow.h"
#include "core/text/StringIds.h"

namespace telvoran {
namespace {

using Item = QAction* MainWindow::*;
using Handler = void (MainWindow::*)();

enum class RowKind { kSubmenu, kItem, kSeparator };
constexpr bool kOn = true;
constexpr bool kOff = false;
constexpr int kNoKey = 0;

// The caption and hint of a menu item come from a pair of library texts: caption N, hint N + 1.
struct MenuRow {
  RowKind kind;
  const char* name;  // of a separator
  Item item;
  const char* caption;
  const char* hint;
  int key;
  bool enabled;
  Handler handler;
  int captionId;
  bool checkable = false;  // ticked while its state holds, such as following a file
};

constexpr MenuRow Submenu(Item item, const char* caption, const char* hint, int captionId) {
  return {RowKind::kSubmenu, "", item, caption, hint, kNoKey, kOn, nullptr, captionId};
}
constexpr MenuRow Command(Item item, const char* caption, const char* hint, int key, bool enabled,
                          Handler handler, int captionId) {
  return {RowKind::kItem, "", item, caption, hint, key, enabled, handler, captionId};
}
constexpr MenuRow CheckCommand(Item item, const char* caption, const char* hint, Handler handler,
                               int captionId) {
  return {RowKind::kItem, "", item, caption, hint, kNoKey, kOff, handler, captionId, true};
}
constexpr MenuRow Separator(const char* name) {
  return {RowKind::kSeparator, name, nullptr, "", "", kNoKey, kOn, nullptr, 0};
}

// Following the active view's file, ticked while it follows, and filtering its rows with the key
// that finds text in most desktop programs: at the end of the Window menu and of the pop-up.
constexpr const char* kFollowCaption = "Ś&ledź plik";
constexpr const char* kFollowHint = "Pokazuje rekordy dopisywane do pliku aktywnego okna";
constexpr const char* kFilterCaption = "&Filtruj wiersze";
constexpr const char* kFilterHint = "Pokazuje tylko wiersze zawierające wpisany tekst";
constexpr int kFilterKey = (Qt::CTRL | Qt::Key_F).toCombined();

const MenuRow kMainMenu[] = {
    Submenu(&MainWindow::FileMenu, "&Plik", "Operacje na plikach", sid::kFileMenu),
    Command(&MainWindow::FileOpen, "&Otwórz...", "Otwiera plik z zapisanymi danymi",
            (Qt::CTRL | Qt::Key_O).toCombined(), kOn, &MainWindow::OpenArchive, sid::kFileOpen),
    Command(&MainWindow::FileOpenFolder, "Otwórz &folder...",
            "Pokazuje archiwa folderu instalacji według central i dni", kNoKey, kOn,
            &MainWindow::OpenFolder, sid::kOpenFolder),
    Command(&MainWindow::FileSaveAs, "Z&apisz jako tekst...",
            "Zapisuje plik danych jako plik tekstowy", (Qt::CTRL | Qt::Key_S).toCombined(), kOff,
            &MainWindow::SaveReport, sid::kFileSaveAs),
    Separator("PrintSeparator"),
    Command(&MainWindow::FilePrint, "&Drukuj...", "Drukuje plik danych",
            (Qt::CTRL | Qt::Key_P).toCombined(), kOff, &MainWindow::PrintView, sid::kFilePrint),
    Command(&MainWindow::FilePrintSetup, "&Ustawienia wydruku...", "Ustawia parametry wydruku",
            kNoKey, kOff, &MainWindow::PrintSetup, sid::kFilePrintSetup),
    Separator("ExitSeparator"),
    Command(&MainWindow::FileExit, "Za&kończ", "Zamyka program", kNoKey, kOn, &MainWindow::Exit,
            sid::kFileExit),
    Submenu(&MainWindow::WindowMenu, "&Okno", "Operacje na oknach", sid::kWindowMenu),
    Command(&MainWindow::WindowNext, "&Nastepne", "Przełącza aktywność na następne otwarte okno",
            Qt::Key_F6, kOff, &MainWindow::NextView, sid::kWindowNext),
    Command(&MainWindow::WindowPrevious, "&Poprzednie",
            "Przełącza aktywność na poprzednie otwarte okno", Qt::Key_F5, kOff,
            &MainWindow::PreviousView, sid::kWindowPrevious),
    Separator("ArrangeSeparator"),
    Command(&MainWindow::WindowTile, "&Sąsiadująco", "Ustawia okna jedno pod drugim", kNoKey, kOff,
            &MainWindow::TileViews, sid::kWindowTile),
    Command(&MainWindow::WindowCascade, "Kaska&da", "Ustawia okna kaskadowo jedno na drugim",
            kNoKey, kOff, &MainWindow::CascadeViews, sid::kWindowCascade),
    Command(&MainWindow::WindowArrangeAll, "&Rozmieść wszystko", "Rozmieszcza okna automatycznie",
            kNoKey, kOff, &MainWindow::ArrangeIcons, sid::kWindowArrangeAll),
    Separator("CloseSeparator"),
    Command(&MainWindow::WindowClose, "&Zamknij okno", "Zamyka aktywne okno",
            (Qt::CTRL | Qt::Key_F4).toCombined(), kOff, &MainWindow::CloseView, sid::kWindowClose),
    Separator("ChartSeparator"),
    Command(&MainWindow::WindowChart, "&Wykres",
            "Rysuje aktywny widok jako wykres lub oś czasu alarmów", kNoKey, kOff,
            &MainWindow::ShowChart, sid::kChart),
    Separator("FollowSeparator"),
    CheckCommand(&MainWindow::WindowFollow, kFollowCaption, kFollowHint,
                 &MainWindow::FollowActiveView, sid::kWindowFollow),
    Command(&MainWindow::WindowFilter, kFilterCaption, kFilterHint, kFilterKey, kOff,
            &MainWindow::FilterActiveView, sid::kFilterRows),
    Submenu(&MainWindow::HelpMenu, "Pomo&c", "Pomoc programu", sid::kHelpMenu),
    Command(&MainWindow::HelpContents, "&Pomoc programu...", "Otwiera plik pomocy", kNoKey, kOn,
            &MainWindow::ShowHelp, sid::kHelpContents),
    Command(&MainWindow::HelpAbout, "&O programie...", "Otwiera okienko informacyjne", kNoKey, kOn,
            &MainWindow::ShowAbout, sid::kHelpAbout),
};

// The pop-up items repeat the window commands and take their twins' texts.
const MenuRow kPopupMenu[] = {
    Command(&MainWindow::PopUpNext, "&Następne", "Przełącza aktywność na następne otwarte okno",
            Qt::Key_F6, kOff, &MainWindow::NextView, sid::kWindowNext),
    Command(&MainWindow::PopUpPrevious, "&Poprzednie",
            "Przełącza aktywność na poprzednie otwarte okno", Qt::Key_F5, kOff,
            &MainWindow::PreviousView, sid::kWindowPrevious),
    Separator("PopUpArrangeSeparator"),
    Command(&MainWindow::PopUpTile, "&Sąsiadująco", "Ustawia okna jedno pod drugim", kNoKey, kOff,
            &MainWindow::TileViews, sid::kWindowTile),
    Command(&MainWindow::PopUpCascade, "Kaska&da", "Ustawia okna kaskadowo jedno na drugim", kNoKey,
            kOff, &MainWindow::CascadeViews, sid::kWindowCascade),
    Command(&MainWindow::PopUpArrangeAll, "&Rozmieść wszystko", "Rozmieszcza okna automatycznie",
            kNoKey, kOff, &MainWindow::ArrangeIcons, sid::kWindowArrangeAll),
    Separator("PopUpChartSeparator"),
    Command(&MainWindow::PopUpChart, "&Wykres",
            "Rysuje aktywny widok jako wykres lub oś czasu alarmów", kNoKey, kOff,
            &MainWindow::ShowChart, sid::kChart),
    Separator("PopUpFollowSeparator"),
    CheckCommand(&MainWindow::PopUpFollow, kFollowCaption, kFollowHint,
                 &MainWindow::FollowActiveView, sid::kWindowFollow),
    Command(&MainWindow::PopUpFilter, kFilterCaption, kFilterHint, kFilterKey, kOff,
            &MainWindow::FilterActiveView, sid::kFilterRows),
};

// Further keys of menu items, besides the one the menu shows beside them.
struct ExtraKeyRow {
  Item item;
  QKeyCombination key;
};
const ExtraKeyRow kExtraKeys[] = {
    {&MainWindow::WindowNext, Qt::CTRL | Qt::Key_Tab},
    {&MainWindow::WindowPrevious, Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab},
    {&MainWindow::WindowPrevious, Qt::CTRL | Qt::SHIFT | Qt::Key_Tab},
};

struct ToolRow {
  const char* name;  // of a separator
  Item item;
  const char* icon;
  const char* hint;
  bool enabled;
  Handler handler;
};

constexpr ToolRow ToolButton(Item item, const char* icon, const char* hint, bool enabled,
                             Handler handler) {
  return {"", item, icon, hint, enabled, handler};
}
constexpr ToolRow ToolSeparator(const char* name) {
  return {name, nullptr, "", "", kOn, nullptr};
}

const ToolRow kToolBar[] = {
    ToolButton(&MainWindow::OpenBtn, ":/icons/open.svg", "Otwórz|Otwiera plik z zapisanymi danymi",
               kOn, &MainWindow::OpenArchive),
    ToolButton(&MainWindow::SaveAsBtn, ":/icons/save.svg",
               "Zapisz|Zapisuje plik danych jako plik tekstowy", kOff, &MainWindow::SaveReport),
    ToolSeparator("ToolPrintSeparator"),
    ToolButton(&MainWindow::PrintBtn, ":/icons/print.svg", "Drukuj|Drukuje plik danych", kOff,
               &MainWindow::PrintView),
    ToolButton(&MainWindow::ChartBtn, ":/icons/chart.svg",
               "Wykres|Rysuje aktywny widok jako wykres lub oś czasu alarmów", kOff,
               &MainWindow::ShowChart),
    ToolSeparator("ToolHelpSeparator"),
    ToolSeparator("ToolHelpSeparator2"),
    ToolButton(&MainWindow::HelpBtn, ":/icons/help.svg", "Pomoc|Otwiera plik pomocy", kOn,
               &MainWindow::ShowHelp),
    ToolSeparator("ToolExitSeparator"),
    ToolButton(&MainWindow::CloseBtn, ":/icons/exit.svg", "Zamknij|Zamyka program", kOn,
               &MainWindow::Exit),
};

// Each tool button's hint is joined from a short text and the hint of the menu command it
// repeats; set in this order.
struct ToolHintRow {
  Item item;
  int shortId;
  int longId;
};
const ToolHintRow kToolButtonHints[] = {
    {&MainWindow::CloseBtn, sid::kCloseBtnShort, sid::kFileExit + 1},
    {&MainWindow::HelpBtn, sid::kHelpBtnShort, sid::kHelpContents + 1},
    {&MainWindow::OpenBtn, sid::kOpenBtnShort, sid::kFileOpen + 1},
    {&MainWindow::PrintBtn, sid::kPrintBtnShort, sid::kFilePrint + 1},
    {&MainWindow::SaveAsBtn, sid::kSaveAsBtnShort, sid::kFileSaveAs + 1},
    {&MainWindow::ChartBtn, sid::kChartBtnShort, sid::kChart + 1},
};

// A command clears the status bar first: its hint is not left standing over its dialog.
void Connect(MainWindow& form, QAction* action, Handler handler) {
  QObject::connect(action, &QAction::triggered, &form, [&form, handler] {
    form.statusBar()->clearMessage();
    (form.*handler)();
  });
}

// Adds one row to `menu`, or for a submenu row a new menu to the menu bar; returns the menu
// that the following rows go to.
QMenu* AddMenuRow(MainWindow& form, QMenu* menu, const MenuRow& row,
                  Qt::ShortcutContext keyContext) {
  if (row.kind == RowKind::kSeparator) {
    menu->addSeparator()->setObjectName(row.name);
    return menu;
  }
  QAction*& item = form.*row.item;
  if (row.kind == RowKind::kSubmenu) {
    menu = form.menuBar()->addMenu(QString::fromUtf8(row.caption));
    item = menu->menuAction();
  } else {
    item = menu->addAction(QString::fromUtf8(row.caption));
    if (row.key != kNoKey) {
      item->setShortcut(QKeySequence(row.key));
      item->setShortcutContext(keyContext);
    }
    item->setCheckable(row.checkable);
    Connect(form, item, row.handler);
  }
  SetHint(*item, QString::fromUtf8(row.hint));
  item->setEnabled(row.enabled);
  return menu;
}

}  // namespace

void MainWindow::BuildMenus() {
  // The main menu's items react to their keys. The pop-up shows the same keys beside its
  // items but binds them only while it has the focus itself, so one key never means two
  // commands in the main window.
  QMenu* menu = nullptr;
  for (const MenuRow& row : kMainMenu) menu = AddMenuRow(*this, menu, row, Qt::WindowShortcut);
  PopupMenu = new QMenu(this);
  PopupMenu->setObjectName("PopupMenu");
  for (const MenuRow& row : kPopupMenu) AddMenuRow(*this, PopupMenu, row, Qt::WidgetShortcut);
  for (const ExtraKeyRow& row : kExtraKeys) {
    QAction* item = this->*row.item;
    item->setShortcuts(item->shortcuts() << QKeySequence(row.key));
  }
}

void MainWindow::BuildToolBar() {
  ToolBar = addToolBar("ToolBar");
  ToolBar->setObjectName("ToolBar");
  ToolBar->setMovable(false);
  ToolBar->setFloatable(false);
  ToolBar->setIconSize(QSize(16, 16));
  for (const ToolRow& row : kToolBar) {
    if (!row.item) {
      ToolBar->addSeparator()->setObjectName(row.name);
      continue;
    }
    QAction*& button = this->*row.item;
    button = ToolBar->addAction(QIcon(row.icon), QString());
    SetHint(*button, QString::fromUtf8(row.hint));
    button->setEnabled(row.enabled);
    Connect(*this, button, row.handler);
  }
}

void MainWindow::ReplaceMenuTexts() {
  using Table = std::span<const MenuRow>;
  for (Table table : {Table(kMainMenu), Table(kPopupMenu)}) {
    for (const MenuRow& row : table) {
      if (row.kind == RowKind::kSeparator) continue;
      QAction* item = this->*row.item;
      item->setText(state_.Text(row.captionId));
      SetHint(*item, state_.Text(row.captionId + 1));
    }
  }
}

void MainWindow::ReplaceToolButtonHints() {
  for (const ToolHintRow& row : kToolButtonHints)
    SetHint(*(this->*row.item), state_.Text(row.shortId) + u'|' + state_.Text(row.longId));
}

}  // namespace telvoran
