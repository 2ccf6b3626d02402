#include "app/commands/ShowSpanChart.h"

#include <QMdiArea>

#include <charconv>
#include <chrono>
#include <cmath>

#include "app/ApplicationTitle.h"
#include "app/ProgramState.h"
#include "app/QtText.h"
#include "app/chart/SpanChartWindow.h"
#include "app/chart/TimeChartView.h"
#include "app/commands/ExportChart.h"
#include "app/dialogs/UserDialogs.h"
#include "app/work/LongWork.h"
#include "core/chart/UnitAlarms.h"
#include "core/plant/FolderCatalogue.h"
#include "core/text/StringIds.h"
#include "core/work/WorkProgress.h"

namespace telvoran::commands {
namespace {

constexpr double kAroundMoment = 3 * 60 * 60;  // seconds shown on either side of an alarm
constexpr double kSecondsPerDay = 24 * 60 * 60;

QString FailuresText(const ProgramState& state, const std::vector<FileFailure>& failures) {
  constexpr std::size_t kNamed = 12;
  QString text = state.Text(sid::kSpanChartUnreadable);
  for (std::size_t i = 0; i < failures.size(); ++i) {
    if (i == kNamed) {
      text += "\n...";
      break;
    }
    text += '\n' + FromFileSystemPath(failures[i].path) + ": " +
            FromCp1250(failures[i].text).replace('\r', ' ');
  }
  return text;
}

plant::Day DayOf(double moment) {
  using namespace std::chrono;
  return sys_days(year{2000} / January / 1) +
         days(static_cast<int>(std::floor(moment / kSecondsPerDay)));
}

}  // namespace

ChartWindow* ShowSpanChart(ProgramState& state, QMdiArea& area, SpanChartRequest request) {
  const QString caption = FromCp1250(SpanCaption(state.Strings(), request.span));
  if (request.span.files.empty()) {
    state.Dialogs().Beep();
    state.Dialogs().Message(area.window(), caption, state.Text(sid::kSpanChartNothing));
    return nullptr;
  }
  int unit = 0;
  std::from_chars(request.span.unit.data(), request.span.unit.data() + request.span.unit.size(),
                  unit);
  const std::vector<std::filesystem::path> archives =
      request.eventArchives ? *request.eventArchives
                            : EventArchivesNear(request.span.files.front());
  std::optional<SpanEnvelope> envelope;
  std::optional<AlarmTimeline> alarms;
  std::vector<FileFailure> failures;
  LongWork::Run(&area, state.Strings(), [&](WorkProgress& progress) {
    envelope = SpanEnvelope::Build(request.span.files, state.Strings(), &progress, failures);
    if (envelope) alarms = ReadUnitAlarms(archives, unit, state.Strings(), &progress, failures);
  });
  if (!envelope || !alarms) return nullptr;
  if (!failures.empty()) {
    state.Dialogs().Beep();
    state.Dialogs().Error(area.window(), caption, FailuresText(state, failures));
  }
  if (envelope->FileCount() == 0 || envelope->SeriesCount() == 0) {
    state.Dialogs().Beep();
    state.Dialogs().Message(area.window(), caption, state.Text(sid::kSpanChartNothing));
    return nullptr;
  }
  std::optional<int> onlySeries;
  if (request.channel && request.moment)
    onlySeries = envelope->SeriesOfChannel(*request.moment, *request.channel - 1);
  auto* window = new SpanChartWindow(state, caption, std::move(*envelope), std::move(*alarms));
  QObject::connect(window, &ChartWindow::ExportRequested, window,
                   [&state, window] { ExportChart(state, *window); });
  area.addSubWindow(window);
  window->show();
  if (onlySeries)
    for (int series = 0; series < window->Envelope().SeriesCount(); ++series)
      if (series != *onlySeries) window->SetSeriesShown(series, false);
  if (request.moment)
    window->View()->Show({*request.moment - kAroundMoment, *request.moment + kAroundMoment});
  window->View()->setFocus();
  return window;
}

ChartWindow* ShowAlarmChannel(ProgramState& state, QMdiArea& area,
                              const std::filesystem::path& eventArchive, LaneKey lane,
                              double moment) {
  plant::FolderCatalogue catalogue(eventArchive.parent_path());
  bool listed = false;
  LongWork::Run(&area, state.Strings(), [&](WorkProgress&) { listed = catalogue.Read(); });
  const plant::Day day = DayOf(moment);
  const QString unitText = QString::number(lane.centralUnit).rightJustified(2, '0');
  if (!listed || !catalogue.Find(lane.centralUnit, day)) {
    state.Dialogs().Beep();
    state.Dialogs().Message(area.window(), FileMessageCaption(FromFileSystemPath(eventArchive)),
                            state.Text(sid::kShowChannelNoDay) + unitText +
                                state.Text(sid::kShowChannelNoDayOf) +
                                QString::fromStdString(plant::DayText(day)));
    return nullptr;
  }
  // The day itself and its neighbours, so that an alarm near midnight shows both sides.
  SpanChartRequest request;
  request.span.unit = unitText.toStdString();
  request.span.from = plant::DayText(day - std::chrono::days(1));
  request.span.to = plant::DayText(day + std::chrono::days(1));
  for (const plant::DayFile* file :
       catalogue.Span(lane.centralUnit, day - std::chrono::days(1), day + std::chrono::days(1)))
    request.span.files.push_back(file->path);
  std::vector<std::filesystem::path> archives;
  for (const plant::CatalogueFile& file : catalogue.EventArchives()) archives.push_back(file.path);
  request.eventArchives = std::move(archives);
  if (lane.channel >= '1' && lane.channel <= '4') request.channel = lane.channel - '0';
  request.moment = moment;
  return ShowSpanChart(state, area, std::move(request));
}

}  // namespace telvoran::commands
