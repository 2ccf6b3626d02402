// The print command on a chart window: one landscape page.
#include "app/commands/PrintChart.h"

#include <QPainter>

#include "app/ProgramState.h"
#include "app/QtText.h"
#include "app/chart/ChartWindow.h"
#include "app/dialogs/UserDialogs.h"
#include "app/printing/QtPageSurface.h"
#include "app/views/DataView.h"
#include "core/report/PageScheme.h"

namespace telvoran::commands {

void PrintChart(ProgramState& state, ChartWindow& window) {
  QPrinter& printer = state.Printer();
  const QPageLayout::Orientation previous = printer.pageLayout().orientation();
  printer.setPageOrientation(QPageLayout::Landscape);
  if (!state.Dialogs().PrintDialog(window.window(), printer)) {
    printer.setPageOrientation(previous);
    return;
  }
  // The dialog may have offered another orientation; the chart is always printed across.
  printer.setPageOrientation(QPageLayout::Landscape);
  std::optional<std::string> error;
  {
    QtPageSurface surface(printer);
    auto drawChart = [&](const PageRect& rect) {
      if (rect.right <= rect.left || rect.bottom <= rect.top) return;
      QPainter& painter = surface.Painter();
      painter.save();
      window.Render(painter,
                    QRectF(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top));
      painter.restore();
    };
    error = PrintPicturePage(surface, state.Strings(), ToCp1250(state.TitleCopy()),
                             ToCp1250(window.windowTitle()), "Courier New",
                             DataView::kListFontPoints, drawChart);
  }
  printer.setPageOrientation(previous);
  if (error) state.Reporter().ShowError(*error);
}

}  // namespace telvoran::commands
