// The print commands: the active data view on numbered pages, and the printer set-up.
#include "app/commands/PrintView.h"

#include <QMdiArea>

#include "app/ProgramState.h"
#include "app/QtText.h"
#include "app/dialogs/UserDialogs.h"
#include "app/printing/QtPageSurface.h"
#include "app/views/DataView.h"
#include "core/report/PageScheme.h"

namespace telvoran::commands {

void PrintView(ProgramState& state, QMdiArea& area) {
  if (!state.Dialogs().PrintDialog(area.window(), state.Printer())) return;
  const auto* view = qobject_cast<const DataView*>(area.currentSubWindow());
  if (!view) return;
  QtPageSurface surface(state.Printer());
  const auto error = PrintDataView(surface, state.Strings(), ToCp1250(state.TitleCopy()),
                                   view->Report(), "Courier New", DataView::kListFontPoints);
  if (error) state.Reporter().ShowError(*error);
}

void PrintSetup(ProgramState& state, QWidget* parent) {
  state.Dialogs().PrintSetupDialog(parent, state.Printer());
}

}  // namespace telvoran::commands
