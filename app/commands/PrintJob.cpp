#include "app/commands/PrintJob.h"

#include "app/ProgramState.h"
#include "app/printing/PrinterPageChoice.h"
#include "app/printing/QtPageSurface.h"
#include "core/archive/FailureReporter.h"
#include "core/report/PageSelection.h"
#include "core/text/StringIds.h"

namespace telvoran::commands {

void PrintChosenPages(ProgramState& state, const Printout& printout) {
  QtPageSurface printer(state.Printer());
  PageSelection chosenPages(printer, PageChoiceOf(state.Printer()));
  if (const auto failure = printout(chosenPages)) {
    state.Reporter().ShowError(*failure);
    return;
  }
  if (chosenPages.PagesHandedOn() == 0)
    ReportMessage(state.Reporter(), state.Strings(), sid::kNoPageInRange);
}

}  // namespace telvoran::commands
