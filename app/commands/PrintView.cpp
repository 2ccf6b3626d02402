// The print commands: the active data view on numbered pages, and the printer set-up.
#include "app/commands/PrintView.h"

#include <QMdiArea>

#include "app/ProgramState.h"
#include "app/QtText.h"
#include "app/commands/PrintJob.h"
#include "app/dialogs/UserDialogs.h"
#include "app/views/DataView.h"
#include "core/report/PageScheme.h"
#include "core/text/StringIds.h"

namespace telvoran::commands {

void PrintView(ProgramState& state, QMdiArea& area) {
  if (!state.Dialogs().PrintDialog(area.window(), state.Printer())) return;
  const auto* view = qobject_cast<const DataView*>(area.currentSubWindow());
  if (!view) return;
  const std::string titleCopy = ToCp1250(state.TitleCopy());
  PrintChosenPagesAsLongWork(
      state, area.window(), [&state, &titleCopy, view](PageSurface& surface, WorkProgress& progress) {
        return PrintDataView(surface, state.Strings(), titleCopy, view->Report(), "Courier New",
                             DataView::kListFontPoints, &progress);
      });
}

void PrintSetup(ProgramState& state, QWidget* parent) {
  const PrinterSetupTexts texts{
      state.Text(sid::kPrinterSetupTitle), state.Text(sid::kPrinterLabel),
      state.Text(sid::kPaperLabel),        state.Text(sid::kOrientationLabel),
      state.Text(sid::kPortrait),          state.Text(sid::kLandscape),
      state.Text(sid::kPdfFilePrinter),
  };
  state.Dialogs().PrintSetupDialog(parent, state.Printer(), texts);
}

}  // namespace telvoran::commands
