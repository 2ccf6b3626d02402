// Opening an archive of either kind in a view through the open command, and re-sorting it by
// another column panel, as a user does. `view_bench [RECORDS] [flags]`, RECORDS 1000000 unless
// given. Each iteration closes and frees the view of the one before, so that memory does not
// grow from one iteration to the next.
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSettings>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "BenchArchives.h"
#include "app/mainwindow/MainWindow.h"
#include "app/views/DataView.h"
#include "core/text/StringLibrary.h"
#include "support/ScriptedDialogs.h"

namespace telvoran {
namespace {

std::int64_t gRecords = kDefaultBenchRecords;

std::unique_ptr<StringLookup> Strings() {
  return LoadStringLibrary(std::filesystem::absolute(TELVORAN_BUILD_DIR));
}

void OpenAndResort(benchmark::State& state, bool interval, int column) {
  const auto path = WriteBenchArchive(interval, gRecords);
  const auto strings = Strings();
  test::ScriptedDialogs dialogs;
  MainWindow main(*strings, dialogs, QString());
  for (auto _ : state) {
    state.PauseTiming();
    main.MdiArea()->closeAllSubWindows();
    // A closed view frees itself only once the deferred deletions run.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
    dialogs.openAnswers.push_back(QString::fromStdString(path.string()));
    state.ResumeTiming();
    main.OpenArchive();
    auto* view = dynamic_cast<DataView*>(main.ActiveChild());
    if (!view || view->Report().RowCount() == 0) state.SkipWithError("the archive did not open");
    if (column > 1 && view) {
      // What a click on the column's panel runs.
      view->SetSortColumn(column);
      view->ReloadRows();
    }
  }
}

void BM_OpenIntervalArchive(benchmark::State& state) {
  OpenAndResort(state, true, 1);
}
void BM_OpenIntervalArchiveAndSortByChannel2(benchmark::State& state) {
  OpenAndResort(state, true, 3);
}
void BM_OpenEventArchive(benchmark::State& state) {
  OpenAndResort(state, false, 1);
}
void BM_OpenEventArchiveAndSortBySituation(benchmark::State& state) {
  OpenAndResort(state, false, 7);
}

BENCHMARK(BM_OpenIntervalArchive)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenIntervalArchiveAndSortByChannel2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenEventArchive)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenEventArchiveAndSortBySituation)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace telvoran

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  telvoran::gRecords = telvoran::TakeRecordCountArgument(argc, argv);
  // The recently opened archives that each opening records go to a folder of the run's own.
  QTemporaryDir settings;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
  QApplication app(argc, argv);
  QApplication::setApplicationName("Telvoran");
  benchmark::Initialize(&argc, argv);
  benchmark::AddCustomContext("records", std::to_string(telvoran::gRecords));
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
