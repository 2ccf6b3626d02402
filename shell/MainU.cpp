#include "shell/MainU.h"

#include <QAction>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDir>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QStatusBar>

#include <algorithm>
#include <array>

#include "shell/ABoxU.h"
#include "shell/ApplicationTitle.h"
#include "shell/DialogReporter.h"
#include "shell/HelpU.h"
#include "shell/StatusTipRelay.h"
#include "text/QtText.h"
#include "text/StringLookup.h"

// Resources of a static library are registered by hand; the name must stay global.
static void RegisterIcons() {
  Q_INIT_RESOURCE(icons);
}

namespace telvoran {
namespace {

using Command = QAction* TMainForm::*;

// The commands usable only while a data view is open, in the order they are switched.
constexpr std::array<Command, 15> kViewCommands = {
    &TMainForm::FileSaveAs,      &TMainForm::FilePrint,        &TMainForm::FilePrintSetup,
    &TMainForm::WindowNext,      &TMainForm::WindowPrevious,   &TMainForm::WindowTile,
    &TMainForm::WindowCascade,   &TMainForm::WindowArrangeAll, &TMainForm::PopUpNext,
    &TMainForm::PopUpPrevious,   &TMainForm::PopUpTile,        &TMainForm::PopUpCascade,
    &TMainForm::PopUpArrangeAll, &TMainForm::SaveAsBtn,        &TMainForm::PrintBtn,
};

QString WithTrailingSeparator(QString directory) {
  directory = QDir::fromNativeSeparators(directory);
  if (!directory.isEmpty() && !directory.endsWith(u'/')) directory += u'/';
  return directory;
}

}  // namespace

TMainForm::TMainForm(const StringLookup& strings, UserDialogs& dialogs, QString programDirectory,
                     QWidget* parent)
    : QMainWindow(parent),
      strings_(strings),
      dialogs_(dialogs),
      reporter_(std::make_unique<DialogReporter>(dialogs, this)),
      archive_(strings, *reporter_),
      programDirectory_(std::move(programDirectory)),
      printer_(QPrinter::HighResolution) {
  BuildLayout();
  FormCreate();
}

TMainForm::~TMainForm() = default;

void TMainForm::BuildLayout() {
  RegisterIcons();
  setObjectName("MainForm");
  setWindowTitle("MainForm");
  setWindowIcon(QIcon(":/icons/telvoran.svg"));
  mdiArea_ = new QMdiArea(this);
  setCentralWidget(mdiArea_);
  BuildMenus();
  BuildToolBar();
  statusBar();  // created here, so that hints have somewhere to go from the start
  new StatusTipRelay(this, statusBar());
}

void TMainForm::FormCreate() {
  programDirectory_ = WithTrailingSeparator(programDirectory_);
  titleCopy_ = QGuiApplication::applicationDisplayName();
  // Fixed placement: the whole window lies on any screen of 800 x 600 or more.
  resize(800, 600);
  move(0, 0);
  setWindowTitle(kApplicationTitle);
  ReplaceMenuTexts();
  ReplaceToolButtonHints();
}

QString TMainForm::LibraryText(int id) const {
  return FromCp1250(strings_.Text(id));
}

void TMainForm::SetHelpWindow(THelpForm* help) {
  helpForm_ = help;
}

void TMainForm::SetAboutBox(TAboutBox* about) {
  aboutBox_ = about;
}

FailureReporter& TMainForm::Reporter() {
  return *reporter_;
}

QMdiSubWindow* TMainForm::ActiveChild() const {
  return mdiArea_ ? mdiArea_->currentSubWindow() : nullptr;
}

void TMainForm::SetViewCommandsEnabled(bool enabled) {
  for (Command command : kViewCommands) (this->*command)->setEnabled(enabled);
}

bool TMainForm::ViewCommandsEnabled() const {
  return std::all_of(kViewCommands.begin(), kViewCommands.end(),
                     [this](Command command) { return (this->*command)->isEnabled(); });
}

void TMainForm::closeEvent(QCloseEvent* event) {
  if (mdiArea_) mdiArea_->closeAllSubWindows();
  // A help window left open would keep the program running without its main window.
  if (helpForm_) helpForm_->close();
  event->accept();
}

void TMainForm::contextMenuEvent(QContextMenuEvent* event) {
  if (!mdiArea_ || !mdiArea_->geometry().contains(event->pos())) {
    event->ignore();
    return;
  }
  PopupMenu->popup(event->globalPos());
  event->accept();
}

}  // namespace telvoran
