// The main window's menus, pop-up menu and tool bar as tables: each item with its built-in
// caption and hint, its key, its state at start, its handler and the library texts that
// replace the built-in ones at creation.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include <span>

#include "shell/Hint.h"
#include "shell/MainU.h"
#include "text/StringIds.h"

namespace telvoran {
namespace {

using Item = QAction* TMainForm::*;
using Handler = void (TMainForm::*)();

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
};

constexpr MenuRow Submenu(Item item, const char* caption, const char* hint, int captionId) {
  return {RowKind::kSubmenu, "", item, caption, hint, kNoKey, kOn, nullptr, captionId};
}
constexpr MenuRow Command(Item item, const char* caption, const char* hint, int key, bool enabled,
                          Handler handler, int captionId) {
  return {RowKind::kItem, "", item, caption, hint, key, enabled, handler, captionId};
}
constexpr MenuRow Separator(const char* name) {
  return {RowKind::kSeparator, name, nullptr, "", "", kNoKey, kOn, nullptr, 0};
}

const MenuRow kMainMenu[] = {
    Submenu(&TMainForm::FileMenu, "&Plik", "Operacje na plikach", sid::kFileMenu),
    Command(&TMainForm::FileOpen, "&Otwórz...", "Otwiera plik z zapisanymi danymi", kNoKey, kOn,
            &TMainForm::FileOpenClick, sid::kFileOpen),
    Command(&TMainForm::FileSaveAs, "Z&apisz jako tekst...",
            "Zapisuje plik danych jako plik tekstowy", kNoKey, kOff, &TMainForm::FileSaveAsClick,
            sid::kFileSaveAs),
    Separator("N3"),
    Command(&TMainForm::FilePrint, "&Drukuj...", "Drukuje plik danych", kNoKey, kOff,
            &TMainForm::FilePrintClick, sid::kFilePrint),
    Command(&TMainForm::FilePrintSetup, "&Ustawienia wydruku...", "Ustawia parametry wydruku",
            kNoKey, kOff, &TMainForm::FilePrintSetupClick, sid::kFilePrintSetup),
    Separator("N2"),
    Command(&TMainForm::FileExit, "Za&kończ", "Zamyka program", kNoKey, kOn,
            &TMainForm::FileExitClick, sid::kFileExit),
    Submenu(&TMainForm::WindowMenu, "&Okno", "Operacje na oknach", sid::kWindowMenu),
    Command(&TMainForm::WindowNext, "&Nastepne", "Przełącza aktywność na następne otwarte okno",
            Qt::Key_F6, kOff, &TMainForm::WindowNextClick, sid::kWindowNext),
    Command(&TMainForm::WindowPrevious, "&Poprzednie",
            "Przełącza aktywność na poprzednie otwarte okno", Qt::Key_F5, kOff,
            &TMainForm::WindowPreviousClick, sid::kWindowPrevious),
    Separator("N1"),
    Command(&TMainForm::WindowTile, "&Sąsiadująco", "Ustawia okna jedno pod drugim", kNoKey, kOff,
            &TMainForm::WindowTileClick, sid::kWindowTile),
    Command(&TMainForm::WindowCascade, "Kaska&da", "Ustawia okna kaskadowo jedno na drugim", kNoKey,
            kOff, &TMainForm::WindowCascadeClick, sid::kWindowCascade),
    Command(&TMainForm::WindowArrangeAll, "&Rozmieść wszystko", "Rozmieszcza okna automatycznie",
            kNoKey, kOff, &TMainForm::WindowArrangeAllClick, sid::kWindowArrangeAll),
    Submenu(&TMainForm::HelpMenu, "Pomo&c", "Pomoc programu", sid::kHelpMenu),
    Command(&TMainForm::HelpContents, "&Pomoc programu...", "Otwiera plik pomocy", kNoKey, kOn,
            &TMainForm::HelpContentsClick, sid::kHelpContents),
    Command(&TMainForm::HelpAbout, "&O programie...", "Otwiera okienko informacyjne", kNoKey, kOn,
            &TMainForm::HelpAboutClick, sid::kHelpAbout),
};

// The pop-up items repeat the window commands and take their twins' texts.
const MenuRow kPopupMenu[] = {
    Command(&TMainForm::PopUpNext, "&Następne", "Przełącza aktywność na następne otwarte okno",
            Qt::Key_F6, kOff, &TMainForm::WindowNextClick, sid::kWindowNext),
    Command(&TMainForm::PopUpPrevious, "&Poprzednie",
            "Przełącza aktywność na poprzednie otwarte okno", Qt::Key_F5, kOff,
            &TMainForm::WindowPreviousClick, sid::kWindowPrevious),
    Separator("N4"),
    Command(&TMainForm::PopUpTile, "&Sąsiadująco", "Ustawia okna jedno pod drugim", kNoKey, kOff,
            &TMainForm::WindowTileClick, sid::kWindowTile),
    Command(&TMainForm::PopUpCascade, "Kaska&da", "Ustawia okna kaskadowo jedno na drugim", kNoKey,
            kOff, &TMainForm::WindowCascadeClick, sid::kWindowCascade),
    Command(&TMainForm::PopUpArrangeAll, "&Rozmieść wszystko", "Rozmieszcza okna automatycznie",
            kNoKey, kOff, &TMainForm::WindowArrangeAllClick, sid::kWindowArrangeAll),
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
    ToolButton(&TMainForm::OpenBtn, ":/icons/open.svg", "Otwórz|Otwiera plik z zapisanymi danymi",
               kOn, &TMainForm::FileOpenClick),
    ToolButton(&TMainForm::SaveAsBtn, ":/icons/save.svg",
               "Zapisz|Zapisuje plik danych jako plik tekstowy", kOff, &TMainForm::FileSaveAsClick),
    ToolSeparator("ToolButton1"),
    ToolButton(&TMainForm::PrintBtn, ":/icons/print.svg", "Drukuj|Drukuje plik danych", kOff,
               &TMainForm::FilePrintClick),
    ToolSeparator("ToolButton2"),
    ToolSeparator("ToolButton3"),
    ToolButton(&TMainForm::HelpBtn, ":/icons/help.svg", "Pomoc|Otwiera plik pomocy", kOn,
               &TMainForm::HelpContentsClick),
    ToolSeparator("ToolButton4"),
    ToolButton(&TMainForm::CloseBtn, ":/icons/exit.svg", "Zamknij|Zamyka program", kOn,
               &TMainForm::FileExitClick),
};

// Each tool button's hint is joined from a short text and the hint of the menu command it
// repeats; set in this order.
struct ToolHintRow {
  Item item;
  int shortId;
  int longId;
};
const ToolHintRow kToolButtonHints[] = {
    {&TMainForm::CloseBtn, sid::kCloseBtnShort, sid::kFileExit + 1},
    {&TMainForm::HelpBtn, sid::kHelpBtnShort, sid::kHelpContents + 1},
    {&TMainForm::OpenBtn, sid::kOpenBtnShort, sid::kFileOpen + 1},
    {&TMainForm::PrintBtn, sid::kPrintBtnShort, sid::kFilePrint + 1},
    {&TMainForm::SaveAsBtn, sid::kSaveAsBtnShort, sid::kFileSaveAs + 1},
};

void Connect(TMainForm& form, QAction* action, Handler handler) {
  QObject::connect(action, &QAction::triggered, &form, [&form, handler] { (form.*handler)(); });
}

// Adds one row to `menu`, or for a submenu row a new menu to the menu bar; returns the menu
// that the following rows go to.
QMenu* AddMenuRow(TMainForm& form, QMenu* menu, const MenuRow& row,
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
    Connect(form, item, row.handler);
  }
  SetHint(*item, QString::fromUtf8(row.hint));
  item->setEnabled(row.enabled);
  return menu;
}

}  // namespace

void TMainForm::BuildMenus() {
  // The main menu's items react to their keys. The pop-up shows the same keys beside its
  // items but binds them only while it has the focus itself, so one key never means two
  // commands in the main window.
  QMenu* menu = nullptr;
  for (const MenuRow& row : kMainMenu) menu = AddMenuRow(*this, menu, row, Qt::WindowShortcut);
  PopupMenu = new QMenu(this);
  PopupMenu->setObjectName("PopupMenu");
  for (const MenuRow& row : kPopupMenu) AddMenuRow(*this, PopupMenu, row, Qt::WidgetShortcut);
}

void TMainForm::BuildToolBar() {
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

void TMainForm::ReplaceMenuTexts() {
  using Table = std::span<const MenuRow>;
  for (Table table : {Table(kMainMenu), Table(kPopupMenu)}) {
    for (const MenuRow& row : table) {
      if (row.kind == RowKind::kSeparator) continue;
      QAction* item = this->*row.item;
      item->setText(LibraryText(row.captionId));
      SetHint(*item, LibraryText(row.captionId + 1));
    }
  }
}

void TMainForm::ReplaceToolButtonHints() {
  for (const ToolHintRow& row : kToolButtonHints)
    SetHint(*(this->*row.item), LibraryText(row.shortId) + u'|' + LibraryText(row.longId));
}

}  // namespace telvoran
