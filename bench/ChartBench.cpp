// Charts of a big archive, as a user meets them: the chart command on an open view (reading the
// file, building the index and drawing the first picture), then zooming and moving, each step
// drawn, and the full drawing once a chart settles after a step. Also the core's envelope and
// statistics on their own.
// `chart_bench [RECORDS] [flags]`, RECORDS 1000000 unless given.
#include <QApplication>
#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <fstream>

#include <unistd.h>

#include "BenchArchives.h"
#include "app/chart/ChartWindow.h"
#include "app/chart/TimeChartView.h"
#include "app/mainwindow/MainWindow.h"
#include "core/archive/ArchiveFile.h"
#include "core/chart/ChannelEnvelope.h"
#include "core/chart/ChannelStatistics.h"
#include "core/chart/ChartReading.h"
#include "core/text/StringLibrary.h"
#include "support/PaintCounter.h"
#include "support/PrivateSettings.h"
#include "support/RecordingReporter.h"
#include "support/ScriptedDialogs.h"

namespace telvoran {
namespace {

std::int64_t gRecords = kDefaultBenchRecords;

// The main window with the bench archive of one kind open in a view.
struct OpenArchive {
  std::unique_ptr<StringLookup> strings =
      LoadStringLibrary(std::filesystem::absolute(TELVORAN_BUILD_DIR));
  test::ScriptedDialogs dialogs;
  MainWindow main{*strings, dialogs, QString()};
  QMdiSubWindow* view = nullptr;

  explicit OpenArchive(bool interval) {
    main.resize(1280, 900);
    main.show();
    dialogs.openAnswers.push_back(
        QString::fromStdString(WriteBenchArchive(interval, gRecords).string()));
    main.OpenArchive();
    view = main.ActiveChild();
  }

  ChartWindow* ShowChart() {
    main.MdiArea()->setActiveSubWindow(view);
    main.ShowChart();
    auto* chart = qobject_cast<ChartWindow*>(main.ActiveChild());
    if (chart) chart->resize(1000, 620);
    return chart;
  }

  void CloseCharts() {
    for (QMdiSubWindow* window : main.MdiArea()->subWindowList())
      if (window != view) window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
  }
};

// Draws the chart as the screen would: the window is shown (on the offscreen platform too), so
// handling the events lays it out and paints it into its backing store, once.
void Draw(ChartWindow&) {
  QApplication::processEvents();
}

// The resident memory of the process now, in megabytes (Linux).
double ResidentMegabytes() {
  std::ifstream statm("/proc/self/statm");
  double pages = 0;
  double resident = 0;
  statm >> pages >> resident;
  return resident * static_cast<double>(::sysconf(_SC_PAGESIZE)) / 1e6;
}

// Each iteration shows the chart of the open view and draws it; `chart_MB` is what the process
// grew by from the view alone to the view and its chart, on the last iteration.
void OpenChart(benchmark::State& state, bool interval) {
  OpenArchive archive(interval);
  double grown = 0;
  for (auto _ : state) {
    state.PauseTiming();
    archive.CloseCharts();
    const double before = ResidentMegabytes();
    state.ResumeTiming();
    ChartWindow* chart = archive.ShowChart();
    if (!chart) {
      state.SkipWithError("no chart");
      break;
    }
    Draw(*chart);
    state.PauseTiming();
    grown = ResidentMegabytes() - before;
    state.ResumeTiming();
  }
  state.counters["chart_MB"] = grown;
}

// Opens the view and its chart, closes both and times the closing; `kept_MB` is what the
// process holds afterwards beyond what it held before the view was opened.
void CloseViewAndChart(benchmark::State& state, bool interval) {
  double kept = 0;
  for (auto _ : state) {
    state.PauseTiming();
    const double before = ResidentMegabytes();
    {
      OpenArchive archive(interval);
      if (!archive.ShowChart()) {
        state.SkipWithError("no chart");
        break;
      }
      QApplication::processEvents();
      state.ResumeTiming();
      archive.main.MdiArea()->closeAllSubWindows();
      QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
      QApplication::processEvents();
      state.PauseTiming();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
    kept = ResidentMegabytes() - before;
    state.ResumeTiming();
  }
  state.counters["kept_MB"] = kept;
}
void BM_CloseIntervalViewAndChart(benchmark::State& state) {
  CloseViewAndChart(state, true);
}
void BM_CloseEventViewAndTimeline(benchmark::State& state) {
  CloseViewAndChart(state, false);
}

// Each step zooms in or out by a wheel notch around the middle, or moves by a tenth, and draws
// (quickly, as the chart moves). With `settled`, each step is followed by the chart settling,
// and only that full drawing is timed.
void Navigate(benchmark::State& state, bool interval, bool zoom, double visibleShare,
              bool settled = false) {
  OpenArchive archive(interval);
  ChartWindow* chart = archive.ShowChart();
  if (!chart) {
    state.SkipWithError("no chart");
    return;
  }
  TimeChartView& view = *chart->View();
  const TimeSpan whole = view.Window().Whole();
  const double middle = (whole.from + whole.to) / 2;
  view.Show(
      {middle - visibleShare * whole.Length() / 2, middle + visibleShare * whole.Length() / 2});
  Draw(*chart);
  // Counts the paints of the chart's view, to show that each step was painted.
  test::PaintCounter counter({view.viewport()});
  bool forward = true;
  for (auto _ : state) {
    if (settled) state.PauseTiming();
    const TimeSpan visible = view.Window().Visible();
    if (zoom) {
      view.Zoom((visible.from + visible.to) / 2, forward ? 0.8 : 1.25);
    } else {
      view.Move((forward ? 0.1 : -0.1) * visible.Length());
    }
    forward = !forward;
    if (settled) {
      Draw(*chart);
      state.ResumeTiming();
      view.Settle();
    }
    Draw(*chart);
  }
  state.counters["paints"] = benchmark::Counter(counter.paints, benchmark::Counter::kAvgIterations);
}

void BM_OpenIntervalChart(benchmark::State& state) {
  OpenChart(state, true);
}
void BM_ZoomIntervalChartWholeSpan(benchmark::State& state) {
  Navigate(state, true, true, 1.0);
}
void BM_MoveIntervalChartHalfSpan(benchmark::State& state) {
  Navigate(state, true, false, 0.5);
}
void BM_SettleIntervalChart(benchmark::State& state) {
  Navigate(state, true, true, 1.0, true);
}
void BM_OpenAlarmTimeline(benchmark::State& state) {
  OpenChart(state, false);
}
void BM_ZoomAlarmTimelineWholeSpan(benchmark::State& state) {
  Navigate(state, false, true, 1.0);
}
void BM_MoveAlarmTimelineHalfSpan(benchmark::State& state) {
  Navigate(state, false, false, 0.5);
}

void BM_SettleAlarmTimeline(benchmark::State& state) {
  Navigate(state, false, true, 1.0, true);
}

// The core alone: one channel's envelope into 1000 columns, and one channel's statistics, over
// the whole span.
void BM_EnvelopeWholeSpan(benchmark::State& state) {
  test::RecordingReporter reporter;
  const auto strings = LoadStringLibrary(std::filesystem::absolute(TELVORAN_BUILD_DIR));
  ArchiveFile file(*strings, reporter);
  const auto series = ReadIntervalSeries(file, WriteBenchArchive(true, gRecords), kOpenMessages);
  for (auto _ : state)
    benchmark::DoNotOptimize(ChannelEnvelope(*series, 0, series->FullSpan(), 1000));
}
void BM_StatisticsWholeSpan(benchmark::State& state) {
  test::RecordingReporter reporter;
  const auto strings = LoadStringLibrary(std::filesystem::absolute(TELVORAN_BUILD_DIR));
  ArchiveFile file(*strings, reporter);
  const auto series = ReadIntervalSeries(file, WriteBenchArchive(true, gRecords), kOpenMessages);
  for (auto _ : state) benchmark::DoNotOptimize(StatisticsOver(*series, 0, series->FullSpan()));
}

BENCHMARK(BM_OpenIntervalChart)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CloseIntervalViewAndChart)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_CloseEventViewAndTimeline)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ZoomIntervalChartWholeSpan)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MoveIntervalChartHalfSpan)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SettleIntervalChart)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenAlarmTimeline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZoomAlarmTimelineWholeSpan)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MoveAlarmTimelineHalfSpan)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SettleAlarmTimeline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EnvelopeWholeSpan)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StatisticsWholeSpan)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace telvoran

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  telvoran::gRecords = telvoran::TakeRecordCountArgument(argc, argv);
  // The archives each chart opens would be recorded as recently opened: a folder of the run's own.
  QTemporaryDir settings;
  telvoran::test::UsePrivateSettings(settings.path());
  QApplication app(argc, argv);
  QApplication::setApplicationName("Telvoran");
  benchmark::Initialize(&argc, argv);
  benchmark::AddCustomContext("records", std::to_string(telvoran::gRecords));
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
