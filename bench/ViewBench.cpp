// Opening an archive of either kind in a view through the open command, and re-sorting it by
// another column panel, as a user does; and a view following its archive while records are
// appended to it; and the filter line of a view, keystroke by keystroke. `view_bench [RECORDS]
// [flags]`, RECORDS 1000000 unless given. Each opening closes and frees the view of the one before,
// so that memory does not grow from one iteration to the next.
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSettings>
#include <QTemporaryDir>

#include <unistd.h>

#include <benchmark/benchmark.h>

#include <fstream>

#include "BenchArchives.h"
#include "app/mainwindow/MainWindow.h"
#include "app/views/DataView.h"
#include "app/views/FilterBar.h"
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

// A view of the archive, sorted by `column` and scrolled to its end, follows it; each iteration
// appends a thousand records to the file (not timed) and times the look that shows them, with
// the list laid out and painted again. The archive is a copy of the program's own, as it grows.
constexpr std::int64_t kAppendedRecords = 1000;

void FollowAppendedRecords(benchmark::State& state, bool interval, int column) {
  const auto archive = WriteBenchArchive(interval, gRecords);
  auto path = archive.parent_path() / ("telvoran-follow-bench-" + std::to_string(::getpid()));
  path += archive.extension();
  std::filesystem::copy_file(archive, path, std::filesystem::copy_options::overwrite_existing);
  const auto strings = Strings();
  test::ScriptedDialogs dialogs;
  MainWindow main(*strings, dialogs, QString());
  main.show();
  dialogs.openAnswers.push_back(QString::fromStdString(path.string()));
  main.OpenArchive();
  auto* view = dynamic_cast<DataView*>(main.ActiveChild());
  if (!view) {
    state.SkipWithError("the archive did not open");
    return;
  }
  view->SortBy(column);
  view->ListBox->scrollToBottom();
  view->SetFollowing(true);
  QApplication::processEvents();

  std::int64_t next = gRecords;
  for (auto _ : state) {
    state.PauseTiming();
    const std::string records = BenchRecords(interval, next, kAppendedRecords);
    std::ofstream(path, std::ios::binary | std::ios::app)
        .write(records.data(), static_cast<std::streamsize>(records.size()));
    next += kAppendedRecords;
    const std::size_t before = view->Report().RowCount();
    state.ResumeTiming();
    view->FollowFile();
    QApplication::processEvents();
    state.PauseTiming();
    // An event view keeps one of equal rows, so a few may be left out there.
    if (view->Report().RowCount() <= before) state.SkipWithError("no new rows");
    state.ResumeTiming();
  }
  state.counters["rows"] = static_cast<double>(view->Report().RowCount());
  std::filesystem::remove(path);
}

void BM_FollowIntervalArchive(benchmark::State& state) {
  FollowAppendedRecords(state, true, 1);
}
void BM_FollowIntervalArchiveSortedByChannel2(benchmark::State& state) {
  FollowAppendedRecords(state, true, 3);
}
void BM_FollowEventArchive(benchmark::State& state) {
  FollowAppendedRecords(state, false, 1);
}
void BM_FollowEventArchiveSortedBySituation(benchmark::State& state) {
  FollowAppendedRecords(state, false, 7);
}

// A view of the archive, sorted by `column`, with its filter line shown; each iteration is one
// keystroke in the line (or one click on a situation box), with the list laid out and painted
// again. The keystrokes come round in turn from `keystrokes`, twice each run: each text is what
// the line holds after it.
void FilterKeystrokes(benchmark::State& state, bool interval, int column,
                      const std::vector<QString>& keystrokes) {
  const auto path = WriteBenchArchive(interval, gRecords);
  const auto strings = Strings();
  test::ScriptedDialogs dialogs;
  MainWindow main(*strings, dialogs, QString());
  main.show();
  dialogs.openAnswers.push_back(QString::fromStdString(path.string()));
  main.OpenArchive();
  auto* view = dynamic_cast<DataView*>(main.ActiveChild());
  if (!view) {
    state.SkipWithError("the archive did not open");
    return;
  }
  view->SortBy(column);
  view->ShowFilter();
  QApplication::processEvents();
  QLineEdit& line = *view->FilterLine()->TextLine;
  std::size_t next = 0;
  double shown = 0;
  for (auto _ : state) {
    const QString& text = keystrokes[next++ % keystrokes.size()];
    if (text == "!") {
      view->FilterLine()->SituationBox('G')->click();
    } else {
      line.setText(text);
    }
    QApplication::processEvents();
    shown += static_cast<double>(view->ShownRowCount());
  }
  state.counters["rows shown"] = shown / static_cast<double>(state.iterations());
}

// Each keystroke a look at every row: a text that does not narrow the one before.
const std::vector<QString> kWideningKeystrokes = {"1", "2", "3", "4", "5", "6", "7", "8", "9"};
// Typing a date and time and deleting it again, as a user does.
const std::vector<QString> kTypingKeystrokes = {"0",    "05",  "05-", "05-0", "05-03",
                                                "05-0", "05-", "05",  "0",    ""};
// Typing a situation's words, a click on a situation box in between ("!").
const std::vector<QString> kSituationKeystrokes = {"a", "al", "ala", "!", "al", "a", "", "!"};

void BM_FilterIntervalEveryRowPerKeystroke(benchmark::State& state) {
  FilterKeystrokes(state, true, 1, kWideningKeystrokes);
}
void BM_FilterIntervalTypingAndDeleting(benchmark::State& state) {
  FilterKeystrokes(state, true, 3, kTypingKeystrokes);
}
void BM_FilterEventEveryRowPerKeystroke(benchmark::State& state) {
  FilterKeystrokes(state, false, 1, kWideningKeystrokes);
}
void BM_FilterEventTypingAndTicking(benchmark::State& state) {
  FilterKeystrokes(state, false, 7, kSituationKeystrokes);
}

BENCHMARK(BM_OpenIntervalArchive)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenIntervalArchiveAndSortByChannel2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenEventArchive)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenEventArchiveAndSortBySituation)->Unit(benchmark::kMillisecond);
// Process CPU time: the time of any helper thread counts too.
BENCHMARK(BM_FollowIntervalArchive)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BM_FollowIntervalArchiveSortedByChannel2)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();
BENCHMARK(BM_FollowEventArchive)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BM_FollowEventArchiveSortedBySituation)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();
BENCHMARK(BM_FilterIntervalEveryRowPerKeystroke)
    ->Iterations(18)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();
BENCHMARK(BM_FilterIntervalTypingAndDeleting)
    ->Iterations(20)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();
BENCHMARK(BM_FilterEventEveryRowPerKeystroke)
    ->Iterations(18)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();
BENCHMARK(BM_FilterEventTypingAndTicking)
    ->Iterations(16)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();

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
