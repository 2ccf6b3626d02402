#include "app/commands/PrintJob.h"

#include "app/ProgramState.h"
#include "app/printing/PrinterPageChoice.h"
#include "app/printing/QtPageSurface.h"
#include "app/work/LongWork.h"
#include "core/archive/FailureReporter.h"
#include "core/report/PageSelection.h"
#include "core/text/StringIds.h"
#include "core/work/WorkProgress.h"

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

void PrintChosenPagesAsLongWork(ProgramState& state, QWidget* near, const LongPrintout& printout) {
  QtPageSurface printer(state.Printer());
  PageSelection chosenPages(printer, PageChoiceOf(state.Printer()));
  std::optional<std::string> failure;
  bool cancelled = false;
  LongWork::Run(near, state.Strings(), [&](WorkProgress& progress) {
    failure = printout(chosenPages, progress);
    cancelled = progress.Cancelled();
  });
  if (cancelled) return;
  if (failure) {
    state.Reporter().ShowError(*failure);
    return;
  }
  if (chosenPages.PagesHandedOn() == 0)
    ReportMessage(state.Reporter(), state.Strings(), sid::kNoPageInRange);
}

}  // namespace telvoran::commands
