// The print commands: the active data view on numbered pages, and the printer set-up.
#include "output/PageScheme.h"
#include "output/QtPageSurface.h"
#include "shell/MainU.h"
#include "shell/UserDialogs.h"
#include "text/QtText.h"
#include "views/DataView.h"

namespace telvoran {

void TMainForm::FilePrintClick() {
  if (!Dialogs().PrintDialog(this, Printer())) return;
  const auto* view = dynamic_cast<const DataView*>(ActiveChild());
  if (!view) return;
  QtPageSurface surface(Printer());
  const auto error = PrintDataView(surface, Strings(), ToCp1250(TitleCopy()), view->Report(),
                                   "Courier New", DataView::kListFontPoints);
  if (error) Reporter().ShowError(*error);
}

void TMainForm::FilePrintSetupClick() {
  Dialogs().PrintSetupDialog(this, Printer());
}

}  // namespace telvoran
