// The export of a chart window as a PNG, SVG or PDF file.
#include "app/commands/ExportChart.h"

#include "app/ProgramState.h"
#include "app/QtText.h"
#include "app/chart/ChartExport.h"
#include "app/chart/ChartWindow.h"
#include "app/commands/SaveReport.h"
#include "app/dialogs/DialogReporter.h"
#include "app/dialogs/UserDialogs.h"
#include "core/archive/FailureReporter.h"
#include "core/text/StringIds.h"

namespace telvoran::commands {
namespace {

QString ExportFilter(const ProgramState& state) {
  return state.Text(sid::kChartPngFilter) + " (*.png)|*.png|" + state.Text(sid::kChartSvgFilter) +
         " (*.svg)|*.svg|" + state.Text(sid::kChartPdfFilter) + " (*.pdf)|*.pdf";
}

}  // namespace

void ExportChart(ProgramState& state, ChartWindow& window) {
  auto acceptName = [&state, &window](const QString& name) {
    if (!ChartFileFormatOfName(name)) {
      ReportMessage(state.Reporter(), state.Strings(), sid::kChartExportName);
      return false;
    }
    return AcceptReportName(state, &window, window.mdiArea(), name);
  };
  const auto chosen = state.Dialogs().SaveFileName(&window, state.Text(sid::kChartExportTitle),
                                                   ExportFilter(state), "png", acceptName);
  if (!chosen) return;
  const QString& name = chosen->fileName;
  const FileInCaptions about(state.Reporter(), name);
  if (const auto error = WriteChartFile(window, name, *ChartFileFormatOfName(name)))
    state.Reporter().ShowError(error->toLocal8Bit().toStdString());
}

}  // namespace telvoran::commands
