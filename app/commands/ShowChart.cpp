// The chart command: a chart window for the active view, of the records it holds.
#include "app/commands/ShowChart.h"

#include <QMdiArea>
#include <QPointer>

#include "app/ProgramState.h"
#include "app/QtText.h"
#include "app/chart/AlarmTimelineWindow.h"
#include "app/chart/ChannelChartWindow.h"
#include "app/chart/TimeChartView.h"
#include "app/commands/ExportChart.h"
#include "app/commands/ShowSpanChart.h"
#include "app/dialogs/DialogReporter.h"
#include "app/views/DataView.h"
#include "app/work/LongWork.h"
#include "core/archive/FailureReporter.h"
#include "core/chart/ChartReading.h"
#include "core/text/StringIds.h"
#include "core/work/WorkProgress.h"

namespace telvoran::commands {
namespace {

// Builds what a chart draws as long work, which takes about a second for ten million records.
// What the file tells meanwhile is told after it, in its order; a cancelled building tells
// nothing and gives nothing.
template <typename Built, typename Build>
std::optional<Built> BuildAside(ProgramState& state, QMdiArea& area, ArchiveDocument& document,
                                const Build& build) {
  std::optional<Built> built;
  bool cancelled = false;
  document.HoldFailures();
  try {
    LongWork::Run(&area, state.Strings(), [&](WorkProgress& progress) {
      built = build(progress);
      cancelled = progress.Cancelled();
    });
  } catch (...) {
    document.ReleaseFailures();
    throw;
  }
  if (cancelled) {
    document.DropFailures();
    return std::nullopt;
  }
  document.ReleaseFailures();
  return built;
}

// A chart draws the records the view holds when they are the whole file as it is now, and
// reads the file only when they are not: a second copy of millions of records would double
// what the view takes.
ChartWindow* ChannelChart(ProgramState& state, QMdiArea& area, const DataView& view) {
  ArchiveDocument& document = view.Document();
  auto shared = document.RecordsOfWholeFile();
  std::optional<IntervalSeries> series = BuildAside<IntervalSeries>(
      state, area, document, [&](WorkProgress& progress) -> std::optional<IntervalSeries> {
        if (shared)
          return IntervalSeriesOf(shared->intervalHeader, std::move(shared->records), &progress);
        return ReadIntervalSeries(document.File(), view.FilePath(), kReloadMessages, &progress);
      });
  if (!series) return nullptr;
  if (series->ChannelCount() == 0 || series->Size() == 0) {
    ReportMessage(state.Reporter(), state.Strings(), sid::kChartNothingToDraw);
    return nullptr;
  }
  return new ChannelChartWindow(state, view.windowTitle(), std::move(*series));
}

ChartWindow* Timeline(ProgramState& state, QMdiArea& area, const DataView& view) {
  ArchiveDocument& document = view.Document();
  auto shared = document.RecordsOfWholeFile();
  std::optional<AlarmTimeline> timeline = BuildAside<AlarmTimeline>(
      state, area, document, [&](WorkProgress& progress) -> std::optional<AlarmTimeline> {
        if (shared) return AlarmTimelineOf(std::move(shared->records), &progress);
        return ReadAlarmTimeline(document.File(), view.FilePath(), kReloadMessages, &progress);
      });
  if (!timeline) return nullptr;
  if (timeline->Lanes().empty()) {
    ReportMessage(state.Reporter(), state.Strings(), sid::kChartNothingToDraw);
    return nullptr;
  }
  return new AlarmTimelineWindow(state, view.windowTitle(), std::move(*timeline));
}

}  // namespace

ChartWindow* ShowChart(ProgramState& state, QMdiArea& area) {
  const auto* view = qobject_cast<const DataView*>(area.currentSubWindow());
  if (!view) return nullptr;
  // A span of days is charted from the first day to the last, with its alarms.
  if (const DaySpan* span = view->Document().Span()) {
    SpanChartRequest request;
    request.span = *span;
    return ShowSpanChart(state, area, std::move(request));
  }
  const FileInCaptions about(state.Reporter(), FromFileSystemPath(view->FilePath()));
  ChartWindow* window = view->ViewKind() == ArchiveKind::Interval
                            ? ChannelChart(state, area, *view)
                            : Timeline(state, area, *view);
  if (!window) return nullptr;
  QObject::connect(window, &ChartWindow::ExportRequested, window,
                   [&state, window] { ExportChart(state, *window); });
  if (auto* timeline = qobject_cast<AlarmTimelineWindow*>(window)) {
    QPointer<QMdiArea> areaGuard(&area);
    QObject::connect(timeline, &AlarmTimelineWindow::ChannelAsked, timeline,
                     [&state, areaGuard, path = view->FilePath()](LaneKey lane, double moment) {
                       if (areaGuard) ShowAlarmChannel(state, *areaGuard, path, lane, moment);
                     });
  }
  area.addSubWindow(window);
  window->show();
  window->View()->setFocus();
  return window;
}

}  // namespace telvoran::commands
