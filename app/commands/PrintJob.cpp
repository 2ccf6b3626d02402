#include "app/commands/PrintJob.h"

#include <QPrinter>
#include <QScopeGuard>

#include <optional>

#include "app/ProgramState.h"
#include "app/QtText.h"
#include "app/dialogs/DialogReporter.h"
#include "app/printing/PrinterPageChoice.h"
#include "app/printing/QtPageSurface.h"
#include "app/work/LongWork.h"
#include "core/archive/FailureReporter.h"
#include "core/platform/ReplacingFile.h"
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
  QPrinter& printerSetUp = state.Printer();
  // A printout to a file is written beside it and takes its name only once whole: a cancelled or
  // failed one leaves no file, or the one there before as it was.
  const QString pdfName =
      printerSetUp.outputFormat() == QPrinter::PdfFormat ? printerSetUp.outputFileName() : QString();
  std::optional<ReplacingFile> pdfFile;
  // The file's own failures name it.
  auto showFileFailure = [&](const std::string& failure) {
    const FileInCaptions about(state.Reporter(), pdfName);
    state.Reporter().ShowError(failure);
  };
  if (!pdfName.isEmpty()) {
    pdfFile.emplace(ToFileSystemPath(pdfName));
    if (const auto failure = pdfFile->Open()) {
      showFileFailure(*failure);
      return;
    }
    printerSetUp.setOutputFileName(FromFileSystemPath(pdfFile->WritePath()));
  }
  const QScopeGuard restoreName([&] {
    if (pdfFile) printerSetUp.setOutputFileName(pdfName);
  });
  std::optional<std::string> failure;
  bool cancelled = false;
  int pagesHandedOn = 0;
  {
    QtPageSurface printer(printerSetUp);
    PageSelection chosenPages(printer, PageChoiceOf(printerSetUp));
    LongWork::Run(near, state.Strings(), [&](WorkProgress& progress) {
      failure = printout(chosenPages, progress);
      cancelled = progress.Cancelled();
    });
    pagesHandedOn = chosenPages.PagesHandedOn();
  }
  if (cancelled) return;
  // With no page in the chosen range the printer wrote nothing: the old file stays.
  if (!failure && pdfFile && pagesHandedOn > 0) {
    if (const auto committed = pdfFile->Commit()) {
      showFileFailure(*committed);
      return;
    }
  }
  if (failure) {
    state.Reporter().ShowError(*failure);
    return;
  }
  if (pagesHandedOn == 0) ReportMessage(state.Reporter(), state.Strings(), sid::kNoPageInRange);
}

}  // namespace telvoran::commands
