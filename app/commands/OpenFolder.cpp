#include "app/commands/OpenFolder.h"

#include <QDir>
#include <QMdiArea>
#include <QPointer>

#include "app/ApplicationTitle.h"
#include "app/ProgramState.h"
#include "app/QtText.h"
#include "app/commands/OpenArchive.h"
#include "app/dialogs/UserDialogs.h"
#include "app/plant/CatalogueWindow.h"
#include "app/plant/DailySummaryWindow.h"
#if TELVORAN_CHARTS
#include "app/commands/ShowSpanChart.h"
#endif
#include "core/text/StringIds.h"

namespace telvoran::commands {

void OpenFolder(ProgramState& state, QMdiArea& area) {
  const auto chosen =
      state.Dialogs().FolderName(area.window(), state.Text(sid::kFolderDialogTitle));
  if (chosen) OpenFolderPath(state, area, *chosen);
}

void OpenFolderPath(ProgramState& state, QMdiArea& area, const QString& folder) {
  QPointer<QMdiArea> areaGuard(&area);
  auto openSpan = [&state, areaGuard](DaySpan span) {
    if (areaGuard) OpenSpanView(state, *areaGuard, std::move(span));
  };
  auto* window = new CatalogueWindow(state.Strings(), ToFileSystemPath(folder), openSpan);
#if TELVORAN_CHARTS
  window->SetSpanCharter([&state, areaGuard](DaySpan span,
                                             std::vector<std::filesystem::path> archives) {
    if (!areaGuard) return;
    SpanChartRequest request;
    request.span = std::move(span);
    request.eventArchives = std::move(archives);
    ShowSpanChart(state, *areaGuard, std::move(request));
  });
#endif
  window->SetSummaryOpener([&state, areaGuard](SummaryFiles files) {
    if (!areaGuard) return;
    auto* summary = new DailySummaryWindow(state, std::move(files));
    areaGuard->addSubWindow(summary);
    summary->show();
  });
  QObject::connect(window, &CatalogueWindow::listingFailed, window,
                   [&state, window, folder](const QString& reason) {
                     state.Dialogs().Beep();
                     state.Dialogs().Message(window->window(), FileMessageCaption(folder),
                                             state.Text(sid::kFolderUnreadable) + u'\n' +
                                                 QDir::toNativeSeparators(folder) + u'\n' + reason);
                     window->close();
                   });
  area.addSubWindow(window);
  window->resize(720, 480);
  window->show();
}

}  // namespace telvoran::commands
