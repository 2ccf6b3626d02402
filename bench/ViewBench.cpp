// Opening an archive of either kind in a view through the open command, and re-sorting it by
// another column panel, as a user does, each timed from the accepted file name to the end of
// the first paint of the filled view, with the main window shown offscreen; a view following its
// archive while records are appended to it; and the filter line of a view, keystroke by
// keystroke. `view_bench [RECORDS] [flags]`, RECORDS 1000000 unless given. Each opening closes
// and frees the view of the one before, so that memory does not grow from one iteration to the
// next.
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProgressBar>
#include <QStatusBar>
#include <QTimer>
#include <QTemporaryDir>

#include <sys/resource.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include <fstream>

#include "BenchArchives.h"
#include "app/mainwindow/MainWindow.h"
#include "app/views/DataView.h"
#include "app/views/FileFollower.h"
#include "app/views/FilterBar.h"
#include "core/text/StringLibrary.h"
#include "support/MainWindowWithArchive.h"
#include "support/PaintCounter.h"
#include "support/PrivateSettings.h"

namespace telvoran {
namespace {

std::int64_t gRecords = kDefaultBenchRecords;

std::unique_ptr<StringLookup> Strings() {
  return LoadStringLibrary(std::filesystem::absolute(TELVORAN_BUILD_DIR));
}

// Lays out and paints the main window at once, as the first paint after the command does; the
// list lays out its rows when it paints. False when the view's list was not painted.
bool PaintNow(MainWindow& main, DataView& view) {
  test::PaintCounter counter({view.List()->viewport()});
  QCoreApplication::sendPostedEvents();
  main.repaint();
  view.List()->viewport()->removeEventFilter(&counter);
  return counter.paints > 0;
}

// The largest resident memory of the process so far, in megabytes.
double PeakResidentMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// Opens the archive, re-sorts it by `column` when that is not 1, and paints; with
// `timeOpening` false only the re-sort and its paint are timed.
void OpenAndResort(benchmark::State& state, bool interval, int column, bool timeOpening = true) {
  const auto path = WriteBenchArchive(interval, gRecords);
  const auto strings = Strings();
  test::MainWindowWithArchive window(*strings, QString());
  test::ScriptedDialogs& dialogs = window.dialogs;
  MainWindow& main = window.main;
  main.resize(1000, 700);
  main.show();
  QApplication::processEvents();
  for (auto _ : state) {
    state.PauseTiming();
    main.MdiArea()->closeAllSubWindows();
    // A closed view frees itself only once the deferred deletions run.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
    dialogs.openAnswers.push_back(QString::fromStdString(path.string()));
    if (timeOpening) state.ResumeTiming();
    main.OpenArchive();
    auto* view = dynamic_cast<DataView*>(main.ActiveChild());
    if (!view || view->Report().RowCount() == 0) {
      state.SkipWithError("the archive did not open");
      break;
    }
    if (!timeOpening) {
      PaintNow(main, *view);
      state.ResumeTiming();
    }
    // What a click on the column's panel runs.
    if (column > 1) view->SortBy(column);
    if (!PaintNow(main, *view)) state.SkipWithError("the list was not painted");
  }
  state.counters["peak_MB"] = PeakResidentMegabytes();
}

void BM_OpenIntervalArchive(benchmark::State& state) {
  OpenAndResort(state, true, 1);
}
void BM_OpenIntervalArchiveAndSortByChannel2(benchmark::State& state) {
  OpenAndResort(state, true, 3);
}
void BM_ResortIntervalArchiveByChannel2(benchmark::State& state) {
  OpenAndResort(state, true, 3, false);
}
void BM_ResortEventArchiveBySituation(benchmark::State& state) {
  OpenAndResort(state, false, 7, false);
}
void BM_OpenEventArchive(benchmark::State& state) {
  OpenAndResort(state, false, 1);
}
void BM_OpenEventArchiveAndSortBySituation(benchmark::State& state) {
  OpenAndResort(state, false, 7);
}

// Saving a view sorted by `column` through the save command, into the temporary folder; the
// report is removed between iterations (not timed), so that no overwrite question comes. The
// tool's time for the same file and column: `telvoran-report --sort COLUMN --output FILE
// ARCHIVE`, the archive being the temporary folder's telvoran-bench-RECORDS.czt or .zdr.
void SaveView(benchmark::State& state, bool interval, int column) {
  const auto path = WriteBenchArchive(interval, gRecords);
  const auto report = std::filesystem::temp_directory_path() /
                      ("telvoran-save-bench-" + std::to_string(::getpid()) + ".txt");
  const auto strings = Strings();
  test::MainWindowWithArchive window(*strings, QString());
  test::ScriptedDialogs& dialogs = window.dialogs;
  MainWindow& main = window.main;
  auto* view = window.Open(path);
  if (!view) {
    state.SkipWithError("the archive did not open");
    return;
  }
  view->SortBy(column);
  for (auto _ : state) {
    state.PauseTiming();
    std::filesystem::remove(report);
    dialogs.saveAnswers.push_back({QString::fromStdString(report.string())});
    state.ResumeTiming();
    main.SaveReport();
  }
  state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(report));
  std::filesystem::remove(report);
}

// The window during a save of an event view sorted by situation: the status bar is asked to
// repaint every 10 ms, and the longest time between two of its paints while the save command
// runs is the counter `gap_ms` (it should stay under 100 ms); `progress` is 1 when the progress
// bar was in the status bar 0.5 s into the save (or at its end, had it ended by then).
void BM_SaveWindowGaps(benchmark::State& state) {
  const auto path = WriteBenchArchive(false, gRecords);
  const auto report = std::filesystem::temp_directory_path() /
                      ("telvoran-gaps-bench-" + std::to_string(::getpid()) + ".txt");
  const auto strings = Strings();
  test::MainWindowWithArchive window(*strings, QString());
  test::ScriptedDialogs& dialogs = window.dialogs;
  MainWindow& main = window.main;
  main.show();
  auto* view = window.Open(path);
  if (!view) {
    state.SkipWithError("the archive did not open");
    return;
  }
  view->SortBy(7);
  QCoreApplication::processEvents();
  qint64 longest = 0;
  bool progressShown = false;
  for (auto _ : state) {
    state.PauseTiming();
    std::filesystem::remove(report);
    dialogs.saveAnswers.push_back({QString::fromStdString(report.string())});
    test::PaintCounter paints({main.statusBar()});
    QElapsedTimer clock;
    qint64 lastPaint = 0;
    int paintsSeen = 0;
    QTimer ticking;
    QObject::connect(&ticking, &QTimer::timeout, [&] {
      if (paints.paints != paintsSeen) {
        paintsSeen = paints.paints;
        longest = std::max(longest, clock.elapsed() - lastPaint);
        lastPaint = clock.elapsed();
      }
      main.statusBar()->update();
    });
    QTimer::singleShot(500, &ticking, [&] {
      progressShown = progressShown || !main.statusBar()->findChildren<QProgressBar*>().isEmpty();
    });
    state.ResumeTiming();
    clock.start();
    ticking.start(10);
    main.SaveReport();
    state.PauseTiming();
    // A save that ended before its progress showed: the last stretch counts as a gap.
    longest = std::max(longest, clock.elapsed() - lastPaint);
    if (clock.elapsed() < 500) progressShown = true;
    main.statusBar()->removeEventFilter(&paints);
    state.ResumeTiming();
  }
  state.counters["gap_ms"] = static_cast<double>(longest);
  state.counters["progress"] = progressShown ? 1 : 0;
  std::filesystem::remove(report);
}

void BM_SaveIntervalViewSortedByChannel2(benchmark::State& state) {
  SaveView(state, true, 3);
}
void BM_SaveEventViewSortedBySituation(benchmark::State& state) {
  SaveView(state, false, 7);
}

// A copy of the program's bench archive, as it grows, in a view of a shown main window, sorted
// by `column`, scrolled to its end and following the file; `view` is null when it did not open.
// The copy goes with this.
class FollowedCopy {
 public:
  FollowedCopy(bool interval, int column) {
    const auto archive = WriteBenchArchive(interval, gRecords);
    path = archive.parent_path() / ("telvoran-follow-bench-" + std::to_string(::getpid()));
    path += archive.extension();
    std::filesystem::copy_file(archive, path, std::filesystem::copy_options::overwrite_existing);
    window.main.show();
    view = window.Open(path);
    if (!view) return;
    view->SortBy(column);
    view->List()->scrollToBottom();
    view->SetFollowing(true);
    QApplication::processEvents();
  }
  ~FollowedCopy() { std::filesystem::remove(path); }
  FollowedCopy(const FollowedCopy&) = delete;
  FollowedCopy& operator=(const FollowedCopy&) = delete;

  std::filesystem::path path;
  DataView* view = nullptr;

 private:
  std::unique_ptr<StringLookup> strings_ = Strings();
  test::MainWindowWithArchive window{*strings_, QString()};
};

// A view of the archive follows it; each iteration appends a thousand records to the file (not
// timed) and times the look that shows them, with the list laid out and painted again.
constexpr std::int64_t kAppendedRecords = 1000;

void FollowAppendedRecords(benchmark::State& state, bool interval, int column,
                           std::int64_t appended = kAppendedRecords) {
  FollowedCopy followed(interval, column);
  DataView* view = followed.view;
  if (!view) {
    state.SkipWithError("the archive did not open");
    return;
  }

  std::int64_t next = gRecords;
  for (auto _ : state) {
    state.PauseTiming();
    const std::string records = BenchRecords(interval, next, appended);
    std::ofstream(followed.path, std::ios::binary | std::ios::app)
        .write(records.data(), static_cast<std::streamsize>(records.size()));
    next += appended;
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
}

// A writer of 100 records a second, each written as it comes: the file follower looks once the
// file has been quiet for its settling time, so at most 20 times a second with 5 records each.
// `core_share` is the share of a core those looks take.
constexpr int kLooksPerSecondAt100 = 1000 / FileFollower::kSettleMilliseconds;
void FollowAt100RecordsASecond(benchmark::State& state, bool interval, int column) {
  FollowAppendedRecords(state, interval, column, 100 / kLooksPerSecondAt100);
  state.counters["core_share"] =
      benchmark::Counter(static_cast<double>(state.iterations()) / kLooksPerSecondAt100,
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
void BM_FollowIntervalAt100PerSecond(benchmark::State& state) {
  FollowAt100RecordsASecond(state, true, 1);
}
void BM_FollowEventAt100PerSecondSortedBySituation(benchmark::State& state) {
  FollowAt100RecordsASecond(state, false, 7);
}

// The same writer for real: while the program's event loop runs for kFollowSeconds, a timer
// appends one record every 10 ms to the followed file, and the file follower, the looks, the
// list and its paints take what they take. `core_share` is the process's CPU time over the
// wall time; the writer's own share is a few records' bytes.
constexpr int kFollowSeconds = 10;
void FollowWhileWritten(benchmark::State& state, bool interval, int column) {
  FollowedCopy followed(interval, column);
  DataView* view = followed.view;
  if (!view) {
    state.SkipWithError("the archive did not open");
    return;
  }
  std::ofstream out(followed.path, std::ios::binary | std::ios::app);
  std::int64_t next = gRecords;
  QTimer writer;
  writer.setInterval(10);
  QObject::connect(&writer, &QTimer::timeout, [&] {
    const std::string record = BenchRecords(interval, next++, 1);
    out.write(record.data(), static_cast<std::streamsize>(record.size()));
    out.flush();
  });
  double share = 0;
  for (auto _ : state) {
    const std::size_t before = view->Report().RowCount();
    rusage start{};
    getrusage(RUSAGE_SELF, &start);
    QElapsedTimer clock;
    clock.start();
    writer.start();
    QEventLoop loop;
    QTimer::singleShot(kFollowSeconds * 1000, &loop, &QEventLoop::quit);
    loop.exec();
    writer.stop();
    rusage end{};
    getrusage(RUSAGE_SELF, &end);
    auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    const double cpu = seconds(end.ru_utime) - seconds(start.ru_utime) + seconds(end.ru_stime) -
                       seconds(start.ru_stime);
    share = cpu / (static_cast<double>(clock.elapsed()) / 1000);
    if (view->Report().RowCount() <= before) state.SkipWithError("no new rows");
  }
  state.counters["core_share"] = share;
  state.counters["rows"] = static_cast<double>(view->Report().RowCount());
}
void BM_FollowIntervalWritten100PerSecond(benchmark::State& state) {
  FollowWhileWritten(state, true, 1);
}
void BM_FollowEventWritten100PerSecondSortedBySituation(benchmark::State& state) {
  FollowWhileWritten(state, false, 7);
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
  test::MainWindowWithArchive window(*strings, QString());
  MainWindow& main = window.main;
  main.show();
  auto* view = window.Open(path);
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
  // A keystroke is timed until its rows are shown, whether they were chosen on the window's
  // thread or aside.
  int changes = 0;
  QObject::connect(view, &DataView::shownRowsChanged, [&changes] { ++changes; });
  for (auto _ : state) {
    const QString& text = keystrokes[next++ % keystrokes.size()];
    const int before = changes;
    if (text == "!") {
      view->FilterLine()->SituationBox('G')->click();
    } else {
      line.setText(text);
    }
    while (changes == before) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
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
BENCHMARK(BM_ResortIntervalArchiveByChannel2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenEventArchive)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenEventArchiveAndSortBySituation)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ResortEventArchiveBySituation)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveIntervalViewSortedByChannel2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveEventViewSortedBySituation)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveWindowGaps)->Unit(benchmark::kMillisecond)->Iterations(3);
// Process CPU time: the time of any helper thread counts too.
BENCHMARK(BM_FollowIntervalArchive)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BM_FollowIntervalAt100PerSecond)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->Iterations(40);
BENCHMARK(BM_FollowEventAt100PerSecondSortedBySituation)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->Iterations(40);
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
BENCHMARK(BM_FollowIntervalWritten100PerSecond)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FollowEventWritten100PerSecondSortedBySituation)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
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
  telvoran::test::UsePrivateSettings(settings.path());
  QApplication app(argc, argv);
  QApplication::setApplicationName("Telvoran");
  benchmark::Initialize(&argc, argv);
  benchmark::AddCustomContext("records", std::to_string(telvoran::gRecords));
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
