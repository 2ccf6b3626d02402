#include "app/commands/SummaryOutput.h"

#include <QFileInfo>

#include "app/ApplicationTitle.h"
#include "app/ProgramState.h"
#include "app/QtText.h"
#include "app/commands/PrintJob.h"
#include "app/commands/SaveReport.h"
#include "app/dialogs/DialogReporter.h"
#include "app/dialogs/UserDialogs.h"
#include "app/plant/DailySummaryWindow.h"
#include "app/views/DataView.h"
#include "core/report/PageScheme.h"
#include "core/report/TextReport.h"
#include "core/text/StringIds.h"

namespace telvoran::commands {

void SaveSummary(ProgramState& state, DailySummaryWindow& window) {
  const SummaryReport* report = window.Report();
  if (!report) return;
  const StringLookup& strings = state.Strings();
  const QString filter =
      FromCp1250(std::string(strings.Text(sid::kSaveFilter)) + " (*.txt)|*.txt|" +
                 std::string(strings.Text(sid::kCsvFilter)) + " (*.csv)|*.csv");
  QWidget* parent = window.window();
  const auto chosen =
      state.Dialogs().SaveFileName(parent, FromCp1250(strings.Text(sid::kSaveDialogTitle)), filter,
                                   "txt", [&state, parent](const QString& name) {
                                     return AcceptReportName(state, parent, nullptr, name);
                                   });
  if (!chosen) return;
  const QString extension = QFileInfo(chosen->fileName).suffix();
  const bool csv = extension.compare("csv", Qt::CaseInsensitive) == 0 ||
                   (extension.compare("txt", Qt::CaseInsensitive) != 0 && chosen->filterIndex == 2);
  const std::filesystem::path target = ToFileSystemPath(chosen->fileName);
  const FileInCaptions about(state.Reporter(), chosen->fileName);
  if (csv) {
    if (const auto error = WriteSummaryCsv(window.Summary(), target)) {
      state.Dialogs().Error(parent, FileMessageCaption(chosen->fileName),
                            state.Text(sid::kCsvNotSaved) + '\r' + QString::fromLocal8Bit(*error));
    }
    return;
  }
  if (const auto error = WriteTextReport(*report, strings, target))
    state.Reporter().ShowError(*error);
}

void PrintSummary(ProgramState& state, DailySummaryWindow& window) {
  const SummaryReport* report = window.Report();
  if (!report || !state.Dialogs().PrintDialog(window.window(), state.Printer())) return;
  PrintChosenPages(state, [&state, report](PageSurface& surface) {
    return PrintDataView(surface, state.Strings(), ToCp1250(state.TitleCopy()), *report,
                         "Courier New", DataView::kListFontPoints);
  });
}

}  // namespace telvoran::commands
