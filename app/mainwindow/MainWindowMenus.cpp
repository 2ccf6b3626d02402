// The main window's menus, pop-up menu and tool bar as tables: each item with its command, its
// built-in caption and hint, its key, its handler and the library texts that replace the
// built-in ones at creation. Which items are enabled is decided apart, by EnabledCommands().
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

#include <span>
#include <utility>

#include "app/Hint.h"
#include "app/mainwindow/MainWindow.h"
#include "core/text/StringIds.h"

namespace telvoran {
namespace {

using Handler = void (MainWindow::*)();

enum class RowKind { kSubmenu, kItem, kSeparator };
constexpr int kNoKey = 0;

// The caption and hint of a menu item come from a pair of library texts: caption N, hint N + 1.
struct MenuRow {
  RowKind kind;
  const char* name;  // of a separator
  CommandId command;
  int submenu;  // of a submenu row: which of the main window's menus
  const char* caption;
  const char* hint;
  int key;
  Handler handler;
  int captionId;
  bool checkable = false;  // ticked while its state holds, such as following a file
};

constexpr MenuRow Submenu(int submenu, const char* caption, const char* hint, int captionId) {
  return {RowKind::kSubmenu, "", CommandId{}, submenu, caption, hint, kNoKey, nullptr, captionId};
}
constexpr MenuRow MenuCommand(CommandId command, const char* caption, const char* hint, int key,
                              Handler handler, int captionId) {
  return {RowKind::kItem, "", command, -1, caption, hint, key, handler, captionId};
}
constexpr MenuRow CheckCommand(CommandId command, const char* caption, const char* hint,
                               Handler handler, int captionId) {
  return {RowKind::kItem, "", command, -1, caption, hint, kNoKey, handler, captionId, true};
}
constexpr MenuRow Separator(const char* name) {
  return {RowKind::kSeparator, name, CommandId{}, -1, "", "", kNoKey, nullptr, 0};
}

// Following the active view's file, ticked while it follows, and filtering its rows with the key
// that finds text in most desktop programs: at the end of the Window menu and of the pop-up.
constexpr const char* kFollowCaption = "Ś&ledź plik";
constexpr const char* kFollowHint = "Pokazuje rekordy dopisywane do pliku aktywnego okna";
constexpr const char* kFilterCaption = "&Filtruj wiersze";
constexpr const char* kFilterHint = "Pokazuje tylko wiersze zawierające wpisany tekst";
constexpr int kFilterKey = (Qt::CTRL | Qt::Key_F).toCombined();

// Going to a date and the daily summary, after the filter commands, are on where they apply to
// the active window; finding in a folder, in the file menu after opening and saving, is always on.
constexpr const char* kGoToDateCaption = "Prz&ejdź do daty...";
constexpr const char* kGoToDateHint = "Pokazuje wiersz lub chwilę najbliższą podanej dacie";
constexpr int kGoToDateKey = (Qt::CTRL | Qt::Key_G).toCombined();
constexpr const char* kSummaryCaption = "Podsu&mowanie dzienne...";
constexpr const char* kSummaryHint = "Liczba, minimum, maksimum i średnia każdego dnia i kanału";

const MenuRow kMainMenu[] = {
    Submenu(MainWindow::kFileMenu, "&Plik", "Operacje na plikach", sid::kFileMenu),
    MenuCommand(CommandId::kOpen, "&Otwórz...", "Otwiera plik z zapisanymi danymi",
                (Qt::CTRL | Qt::Key_O).toCombined(), &MainWindow::OpenArchive, sid::kFileOpen),
    MenuCommand(CommandId::kOpenFolder, "Otwórz &folder...",
                "Pokazuje archiwa folderu instalacji według central i dni", kNoKey,
                &MainWindow::OpenFolder, sid::kOpenFolder),
    MenuCommand(CommandId::kSaveAs, "Z&apisz jako tekst...",
                "Zapisuje plik danych jako plik tekstowy", (Qt::CTRL | Qt::Key_S).toCombined(),
                &MainWindow::SaveReport, sid::kFileSaveAs),
    MenuCommand(CommandId::kFindInFolder, "&Znajdź w folderze...",
                "Szuka tekstu we wszystkich archiwach folderu",
                (Qt::CTRL | Qt::SHIFT | Qt::Key_F).toCombined(), &MainWindow::FindInFolder,
                sid::kFindInFolder),
    Separator("PrintSeparator"),
    MenuCommand(CommandId::kPrint, "&Drukuj...", "Drukuje plik danych",
                (Qt::CTRL | Qt::Key_P).toCombined(), &MainWindow::PrintView, sid::kFilePrint),
    MenuCommand(CommandId::kPrintSetup, "&Ustawienia wydruku...", "Ustawia parametry wydruku",
                kNoKey, &MainWindow::PrintSetup, sid::kFilePrintSetup),
    Separator("ExitSeparator"),
    MenuCommand(CommandId::kExit, "Za&kończ", "Zamyka program", kNoKey, &MainWindow::Exit,
                sid::kFileExit),
    Submenu(MainWindow::kWindowMenu, "&Okno", "Operacje na oknach", sid::kWindowMenu),
    MenuCommand(CommandId::kNext, "&Nastepne", "Przełącza aktywność na następne otwarte okno",
                Qt::Key_F6, &MainWindow::NextView, sid::kWindowNext),
    MenuCommand(CommandId::kPrevious, "&Poprzednie",
                "Przełącza aktywność na poprzednie otwarte okno", Qt::Key_F5,
                &MainWindow::PreviousView, sid::kWindowPrevious),
    Separator("ArrangeSeparator"),
    MenuCommand(CommandId::kTile, "&Sąsiadująco", "Ustawia okna jedno pod drugim", kNoKey,
                &MainWindow::TileViews, sid::kWindowTile),
    MenuCommand(CommandId::kCascade, "Kaska&da", "Ustawia okna kaskadowo jedno na drugim", kNoKey,
                &MainWindow::CascadeViews, sid::kWindowCascade),
    MenuCommand(CommandId::kArrangeAll, "&Rozmieść wszystko", "Rozmieszcza okna automatycznie",
                kNoKey, &MainWindow::ArrangeIcons, sid::kWindowArrangeAll),
    Separator("CloseSeparator"),
    MenuCommand(CommandId::kClose, "&Zamknij okno", "Zamyka aktywne okno",
                (Qt::CTRL | Qt::Key_F4).toCombined(), &MainWindow::CloseView, sid::kWindowClose),
    Separator("ChartSeparator"),
    MenuCommand(CommandId::kChart, "&Wykres",
                "Rysuje aktywny widok jako wykres lub oś czasu alarmów", kNoKey,
                &MainWindow::ShowChart, sid::kChart),
    Separator("FollowSeparator"),
    CheckCommand(CommandId::kFollow, kFollowCaption, kFollowHint, &MainWindow::FollowActiveView,
                 sid::kWindowFollow),
    MenuCommand(CommandId::kFilter, kFilterCaption, kFilterHint, kFilterKey,
                &MainWindow::FilterActiveView, sid::kFilterRows),
    MenuCommand(CommandId::kGoToDate, kGoToDateCaption, kGoToDateHint, kGoToDateKey,
                &MainWindow::GoToDate, sid::kGoToDate),
    MenuCommand(CommandId::kDailySummary, kSummaryCaption, kSummaryHint, kNoKey,
                &MainWindow::ShowDailySummary, sid::kDailySummary),
    Submenu(MainWindow::kHelpMenu, "Pomo&c", "Pomoc programu", sid::kHelpMenu),
    MenuCommand(CommandId::kHelp, "&Pomoc programu...", "Otwiera plik pomocy", kNoKey,
                &MainWindow::ShowHelp, sid::kHelpContents),
    MenuCommand(CommandId::kAbout, "&O programie...", "Otwiera okienko informacyjne", kNoKey,
                &MainWindow::ShowAbout, sid::kHelpAbout),
};

// The pop-up items repeat the window commands and take their twins' texts.
const MenuRow kPopupMenu[] = {
    MenuCommand(CommandId::kNext, "&Następne", "Przełącza aktywność na następne otwarte okno",
                Qt::Key_F6, &MainWindow::NextView, sid::kWindowNext),
    MenuCommand(CommandId::kPrevious, "&Poprzednie",
                "Przełącza aktywność na poprzednie otwarte okno", Qt::Key_F5,
                &MainWindow::PreviousView, sid::kWindowPrevious),
    Separator("PopUpArrangeSeparator"),
    MenuCommand(CommandId::kTile, "&Sąsiadująco", "Ustawia okna jedno pod drugim", kNoKey,
                &MainWindow::TileViews, sid::kWindowTile),
    MenuCommand(CommandId::kCascade, "Kaska&da", "Ustawia okna kaskadowo jedno na drugim", kNoKey,
                &MainWindow::CascadeViews, sid::kWindowCascade),
    MenuCommand(CommandId::kArrangeAll, "&Rozmieść wszystko", "Rozmieszcza okna automatycznie",
                kNoKey, &MainWindow::ArrangeIcons, sid::kWindowArrangeAll),
    Separator("PopUpChartSeparator"),
    MenuCommand(CommandId::kChart, "&Wykres",
                "Rysuje aktywny widok jako wykres lub oś czasu alarmów", kNoKey,
                &MainWindow::ShowChart, sid::kChart),
    Separator("PopUpFollowSeparator"),
    CheckCommand(CommandId::kFollow, kFollowCaption, kFollowHint, &MainWindow::FollowActiveView,
                 sid::kWindowFollow),
    MenuCommand(CommandId::kFilter, kFilterCaption, kFilterHint, kFilterKey,
                &MainWindow::FilterActiveView, sid::kFilterRows),
    MenuCommand(CommandId::kGoToDate, kGoToDateCaption, kGoToDateHint, kGoToDateKey,
                &MainWindow::GoToDate, sid::kGoToDate),
    MenuCommand(CommandId::kDailySummary, kSummaryCaption, kSummaryHint, kNoKey,
                &MainWindow::ShowDailySummary, sid::kDailySummary),
};

// Further keys of menu items, besides the one the menu shows beside them.
struct ExtraKeyRow {
  CommandId command;
  QKeyCombination key;
};
const ExtraKeyRow kExtraKeys[] = {
    {CommandId::kNext, Qt::CTRL | Qt::Key_Tab},
    {CommandId::kPrevious, Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab},
    {CommandId::kPrevious, Qt::CTRL | Qt::SHIFT | Qt::Key_Tab},
};

struct ToolRow {
  const char* name;  // of a separator
  CommandId command;
  const char* icon;
  const char* hint;
  Handler handler;
};

constexpr ToolRow ToolButton(CommandId command, const char* icon, const char* hint,
                             Handler handler) {
  return {"", command, icon, hint, handler};
}
constexpr ToolRow ToolSeparator(const char* name) {
  return {name, CommandId{}, "", "", nullptr};
}

const ToolRow kToolBar[] = {
    ToolButton(CommandId::kOpen, ":/icons/open.svg", "Otwórz|Otwiera plik z zapisanymi danymi",
               &MainWindow::OpenArchive),
    ToolButton(CommandId::kSaveAs, ":/icons/save.svg",
               "Zapisz|Zapisuje plik danych jako plik tekstowy", &MainWindow::SaveReport),
    ToolSeparator("ToolPrintSeparator"),
    ToolButton(CommandId::kPrint, ":/icons/print.svg", "Drukuj|Drukuje plik danych",
               &MainWindow::PrintView),
    ToolButton(CommandId::kChart, ":/icons/chart.svg",
               "Wykres|Rysuje aktywny widok jako wykres lub oś czasu alarmów",
               &MainWindow::ShowChart),
    ToolSeparator("ToolHelpSeparator"),
    ToolSeparator("ToolHelpSeparator2"),
    ToolButton(CommandId::kHelp, ":/icons/help.svg", "Pomoc|Otwiera plik pomocy",
               &MainWindow::ShowHelp),
    ToolSeparator("ToolExitSeparator"),
    ToolButton(CommandId::kExit, ":/icons/exit.svg", "Zamknij|Zamyka program", &MainWindow::Exit),
};

// Each tool button's hint is joined from a short text and the hint of the menu command it
// repeats; set in this order.
struct ToolHintRow {
  CommandId command;
  int shortId;
  int longId;
};
const ToolHintRow kToolButtonHints[] = {
    {CommandId::kExit, sid::kCloseBtnShort, sid::kFileExit + 1},
    {CommandId::kHelp, sid::kHelpBtnShort, sid::kHelpContents + 1},
    {CommandId::kOpen, sid::kOpenBtnShort, sid::kFileOpen + 1},
    {CommandId::kPrint, sid::kPrintBtnShort, sid::kFilePrint + 1},
    {CommandId::kSaveAs, sid::kSaveAsBtnShort, sid::kFileSaveAs + 1},
    {CommandId::kChart, sid::kChartBtnShort, sid::kChart + 1},
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
QMenu* AddMenuRow(MainWindow& form, QMenu* menu, const MenuRow& row, Place place,
                  std::span<Command> commands, std::span<QMenu*> submenus) {
  if (row.kind == RowKind::kSeparator) {
    menu->addSeparator()->setObjectName(row.name);
    return menu;
  }
  QAction* item = nullptr;
  if (row.kind == RowKind::kSubmenu) {
    menu = form.menuBar()->addMenu(QString::fromUtf8(row.caption));
    submenus[row.submenu] = menu;
    item = menu->menuAction();
  } else {
    item = menu->addAction(QString::fromUtf8(row.caption));
    if (row.key != kNoKey) {
      item->setShortcut(QKeySequence(row.key));
      item->setShortcutContext(place == Place::kMenu ? Qt::WindowShortcut : Qt::WidgetShortcut);
    }
    item->setCheckable(row.checkable);
    Connect(form, item, row.handler);
    commands[Bit(row.command)].SetItem(place, item);
  }
  SetHint(*item, QString::fromUtf8(row.hint));
  return menu;
}

// The item a menu row stands for.
QAction* ItemOf(const MenuRow& row, Place place, std::span<const Command> commands,
                std::span<QMenu* const> submenus) {
  return row.kind == RowKind::kSubmenu ? submenus[row.submenu]->menuAction()
                                       : commands[Bit(row.command)].Item(place);
}

}  // namespace

void MainWindow::BuildMenus() {
  // The main menu's items react to their keys. The pop-up shows the same keys beside its
  // items but binds them only while it has the focus itself, so one key never means two
  // commands in the main window.
  QMenu* menu = nullptr;
  for (const MenuRow& row : kMainMenu)
    menu = AddMenuRow(*this, menu, row, Place::kMenu, commands_, menus_);
  PopupMenu = new QMenu(this);
  PopupMenu->setObjectName("PopupMenu");
  for (const MenuRow& row : kPopupMenu)
    AddMenuRow(*this, PopupMenu, row, Place::kPopUp, commands_, menus_);
  for (const ExtraKeyRow& row : kExtraKeys) {
    QAction* item = CommandFor(row.command).Item(Place::kMenu);
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
    if (!row.handler) {
      ToolBar->addSeparator()->setObjectName(row.name);
      continue;
    }
    QAction* button = ToolBar->addAction(QIcon(row.icon), QString());
    SetHint(*button, QString::fromUtf8(row.hint));
    Connect(*this, button, row.handler);
    commands_[Bit(row.command)].SetItem(Place::kToolBar, button);
  }
}

void MainWindow::ReplaceMenuTexts() {
  using Table = std::span<const MenuRow>;
  for (auto [table, place] :
       {std::pair(Table(kMainMenu), Place::kMenu), std::pair(Table(kPopupMenu), Place::kPopUp)}) {
    for (const MenuRow& row : table) {
      if (row.kind == RowKind::kSeparator) continue;
      QAction* item = ItemOf(row, place, commands_, menus_);
      item->setText(state_.Text(row.captionId));
      SetHint(*item, state_.Text(row.captionId + 1));
    }
  }
}

void MainWindow::ReplaceToolButtonHints() {
  for (const ToolHintRow& row : kToolButtonHints)
    SetHint(*CommandFor(row.command).Item(Place::kToolBar),
            state_.Text(row.shortId) + u'|' + state_.Text(row.longId));
}

}  // namespace telvoran
