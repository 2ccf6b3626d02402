#include "app/commands/GoToDate.h"

#include <QListView>

#include "app/ProgramState.h"
#include "app/dialogs/UserDialogs.h"
#include "app/views/DataView.h"
#include "core/text/StringIds.h"
#include "core/view/NearestRow.h"

#if TELVORAN_CHARTS
#include "app/chart/ChartWindow.h"
#include "app/chart/TimeChartView.h"
#endif

namespace telvoran::commands {

QDateTime ToQDateTime(ArchiveSeconds seconds) {
  const DateTime civil = telvoran::ToDateTime(seconds);
  return QDateTime(QDate(civil.year, civil.month, civil.day),
                   QTime(civil.hour, civil.minute, civil.second), Qt::UTC);
}

ArchiveSeconds ToArchiveSeconds(const QDateTime& moment) {
  const QDateTime utc = moment.toUTC();
  const QDate date = utc.date();
  const QTime time = utc.time();
  return telvoran::ToArchiveSeconds(
      {date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second()});
}

QString DialogTitleOf(QString caption) {
  caption.remove(u'&');
  while (caption.endsWith(u'.') || caption.endsWith(u'\u2026')) caption.chop(1);
  return caption.trimmed();
}

bool GoToDateApplies(const QMdiSubWindow* window) {
  if (const auto* view = qobject_cast<const DataView*>(window))
    return SortedByDate(view->SortColumn());
#if TELVORAN_CHARTS
  if (qobject_cast<const ChartWindow*>(window)) return true;
#endif
  return false;
}

namespace {

std::optional<QDateTime> AskDate(ProgramState& state, QWidget* parent, ArchiveSeconds initial) {
  return state.Dialogs().DateTime(parent, DialogTitleOf(state.Text(sid::kGoToDate)),
                                  state.Text(sid::kGoToDateLabel), ToQDateTime(initial));
}

void GoToRow(ProgramState& state, DataView& view) {
  const ViewContent& content = view.Content();
  // The dialog starts at the current row's moment, or the first row's.
  const QModelIndex current = view.List()->currentIndex();
  std::optional<ArchiveSeconds> initial;
  if (current.isValid()) initial = ShownRowTime(content, static_cast<std::size_t>(current.row()));
  if (!initial) {
    const std::optional<std::size_t> first = NearestShownRow(content, 0);
    if (first) initial = ShownRowTime(content, *first);
  }
  if (!initial) {
    state.Dialogs().Beep();
    return;
  }
  const std::optional<QDateTime> chosen = AskDate(state, &view, *initial);
  if (!chosen) return;
  const std::optional<std::size_t> row = NearestShownRow(content, ToArchiveSeconds(*chosen));
  if (!row) return;
  const QModelIndex index = view.List()->model()->index(static_cast<int>(*row), 0);
  view.List()->setCurrentIndex(index);
  view.List()->scrollTo(index, QAbstractItemView::PositionAtCenter);
  view.List()->setFocus();
}

#if TELVORAN_CHARTS
void GoToMoment(ProgramState& state, ChartWindow& chart) {
  TimeChartView& view = *chart.View();
  const TimeSpan visible = view.Window().Visible();
  const double middle = (visible.from + visible.to) / 2;
  const std::optional<QDateTime> chosen =
      AskDate(state, &chart, static_cast<ArchiveSeconds>(middle));
  if (!chosen) return;
  const double at = static_cast<double>(ToArchiveSeconds(*chosen));
  const double half = visible.Length() / 2;
  view.Show({at - half, at + half});
}
#endif

}  // namespace

void GoToDate(ProgramState& state, QMdiSubWindow& window) {
  if (auto* view = qobject_cast<DataView*>(&window)) {
    if (SortedByDate(view->SortColumn())) GoToRow(state, *view);
    return;
  }
#if TELVORAN_CHARTS
  if (auto* chart = qobject_cast<ChartWindow*>(&window)) GoToMoment(state, *chart);
#endif
}

}  // namespace telvoran::commands
