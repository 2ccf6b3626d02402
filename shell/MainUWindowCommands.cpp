// The commands on the set of views, the exit command and the help commands.
#include <QMdiArea>

#include "shell/ABoxU.h"
#include "shell/HelpU.h"
#include "shell/MainU.h"
#include "shell/MdiArrangement.h"

namespace telvoran {
namespace {

// The window commands act on the client area, and only when it holds a view.
QMdiArea* AreaWithViews(QMdiArea* mdiArea) {
  return mdiArea && !mdiArea->subWindowList().isEmpty() ? mdiArea : nullptr;
}

}  // namespace

void TMainForm::FileExitClick() {
  close();
}

void TMainForm::WindowNextClick() {
  if (QMdiArea* area = AreaWithViews(mdiArea_)) area->activateNextSubWindow();
}

void TMainForm::WindowPreviousClick() {
  if (QMdiArea* area = AreaWithViews(mdiArea_)) area->activatePreviousSubWindow();
}

void TMainForm::WindowTileClick() {
  if (QMdiArea* area = AreaWithViews(mdiArea_)) TileOneAboveAnother(*area);
}

void TMainForm::WindowCascadeClick() {
  if (QMdiArea* area = AreaWithViews(mdiArea_)) area->cascadeSubWindows();
}

void TMainForm::WindowArrangeAllClick() {
  if (QMdiArea* area = AreaWithViews(mdiArea_)) ArrangeIcons(*area);
}

void TMainForm::HelpContentsClick() {
  if (!helpForm_) return;
  helpForm_->setWindowState(helpForm_->windowState() & ~Qt::WindowMinimized);
  helpForm_->show();
  helpForm_->raise();
  helpForm_->activateWindow();
}

void TMainForm::HelpAboutClick() {
  if (aboutBox_) aboutBox_->exec();
}

}  // namespace telvoran
