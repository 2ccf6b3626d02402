// Reading and sorting the records of each archive kind: time, peak resident memory, and the
// memory the row store holds and the process took at its peak beyond the 40-byte records.
// `core_bench [RECORDS] [flags]`, RECORDS 1000000 unless given (100000, 1000000, 10000000 are the
// sizes we compare).
//
// Each iteration runs in a child process of its own, so that it meets memory as a freshly
// started program does: reusing pages an earlier iteration touched would report about half the
// time a user waits.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "BenchArchives.h"
#include "core/archive/ArchiveFile.h"
#include "core/archive/FailureReporter.h"
#include "core/report/ReportRowLines.h"
#include "core/rows/RowReading.h"
#include "core/text/StringIds.h"
#include "core/work/WorkProgress.h"
#include "core/text/StringLookup.h"
#include "core/view/ShownRows.h"
#include "core/view/ViewContent.h"

namespace telvoran {
namespace {

std::int64_t gRecords = kDefaultBenchRecords;

class BenchStrings : public StringLookup {
 public:
  std::string_view Text(int id) const override {
    static const std::string situations[] = {"Stan normalny",
                                             "Przekroczenie progu niskiego",
                                             "Przekroczenie progu wysokiego",
                                             "Awaria czujnika",
                                             "Ostrzeżenie",
                                             "Kanał wyłączony",
                                             "Awaria centrali"};
    return id >= 160 && id <= 166 ? std::string_view(situations[id - 160]) : "text";
  }
};

class SilentReporter : public FailureReporter {
 public:
  void Beep() override {}
  void ShowMessage(std::string_view) override {}
  void ShowError(std::string_view) override {}
  void ShowErrorMessage(std::string_view) override {}
};

// What one child measured.
struct Measurement {
  bool complete = false;
  double seconds = 0;
  double rows = 0;
  double recordBytes = 0;
  double storeBytes = 0;
  double peakResidentBytes = 0;
};

using Reload = bool (*)(ArchiveFile&, const std::filesystem::path&, int, const ArchiveMessages&,
                        RowStore&);

Measurement ReadAndSortOnce(Reload reload, const std::filesystem::path& path, int sortColumn) {
  BenchStrings strings;
  SilentReporter reporter;
  ArchiveFile file(strings, reporter);
  RowStore rows;
  Measurement measured;
  const auto start = std::chrono::steady_clock::now();
  measured.complete = reload(file, path, sortColumn, kOpenMessages, rows);
  measured.seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  measured.rows = static_cast<double>(rows.Size());
  measured.recordBytes = static_cast<double>(rows.RecordCount() * sizeof(ArchiveRecord));
  measured.storeBytes = static_cast<double>(rows.MemoryBytes());
  return measured;
}

// Runs one reading in a fresh child process; its peak resident memory comes from the system.
Measurement InFreshProcess(Reload reload, const std::filesystem::path& path, int sortColumn) {
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) return {};
  const pid_t child = fork();
  if (child == 0) {
    close(pipeEnds[0]);
    const Measurement measured = ReadAndSortOnce(reload, path, sortColumn);
    const bool sent = write(pipeEnds[1], &measured, sizeof measured) == sizeof measured;
    _exit(sent ? 0 : 1);
  }
  close(pipeEnds[1]);
  Measurement measured;
  const bool received =
      child > 0 && read(pipeEnds[0], &measured, sizeof measured) == sizeof measured;
  close(pipeEnds[0]);
  int status = 0;
  rusage usage{};
  if (child > 0) wait4(child, &status, 0, &usage);
  if (!received) return {};
  measured.peakResidentBytes = static_cast<double>(usage.ru_maxrss) * 1024;
  return measured;
}

void ReadAndSort(benchmark::State& state, Reload reload, bool interval) {
  const auto path = WriteBenchArchive(interval, gRecords);
  const int sortColumn = static_cast<int>(state.range(0));
  Measurement last;
  for (auto _ : state) {
    last = InFreshProcess(reload, path, sortColumn);
    if (!last.complete) {
      state.SkipWithError("reading failed");
      break;
    }
    state.SetIterationTime(last.seconds);
  }
  state.counters["rows"] = last.rows;
  state.counters["store_MB"] = last.storeBytes / 1e6;
  state.counters["peak_RSS_MB"] = last.peakResidentBytes / 1e6;
  if (last.rows > 0) {
    state.counters["store_B_per_row_beyond_records"] =
        (last.storeBytes - last.recordBytes) / last.rows;
    // Includes the program itself: a few megabytes, which count for little at a million rows.
    state.counters["peak_B_per_row_beyond_records"] =
        (last.peakResidentBytes - last.recordBytes) / last.rows;
  }
}

void BM_ReadAndSortIntervalArchive(benchmark::State& state) {
  ReadAndSort(state, ReloadIntervalRows, true);
}
void BM_ReadAndSortEventArchive(benchmark::State& state) {
  ReadAndSort(state, ReloadEventRows, false);
}

// Esc pressed while the rows are being sorted: a second thread waits until the reading has
// reached its sort step, lets the sort run for `kSortingBeforeCancel`, asks it to stop and times
// how long the reading then takes to end, which is the time the window waits after Esc. Archives
// in time order sort fastest by date: they are sorted by another column.
constexpr auto kSortingBeforeCancel = std::chrono::milliseconds(20);

void CancelDuringSort(benchmark::State& state, bool interval, int sortColumn) {
  const auto path = WriteBenchArchive(interval, gRecords);
  BenchStrings strings;
  SilentReporter reporter;
  double cancelledSorts = 0;
  for (auto _ : state) {
    ArchiveFile file(strings, reporter);
    RowStore rows;
    if (!file.OpenArchiveFile(path, sid::kMissingFile, sid::kEmptyFile) ||
        (interval && !file.ReadIntervalHeader(sid::kShortHeader))) {
      state.SkipWithError("the archive did not open");
      break;
    }
    WorkProgress progress;
    std::atomic<std::int64_t> cancelledAt{0};
    std::thread esc([&] {
      while (progress.StepText() != sid::kWorkSorting) std::this_thread::yield();
      std::this_thread::sleep_for(kSortingBeforeCancel);
      cancelledAt = std::chrono::steady_clock::now().time_since_epoch().count();
      progress.Cancel();
    });
    const ReadStop stop = interval ? ReadIntervalRows(file, *ChannelCount(file.IntervalHeader()),
                                                      sortColumn, rows, &progress)
                                   : ReadEventRows(file, sortColumn, rows, &progress);
    const auto ended = std::chrono::steady_clock::now().time_since_epoch().count();
    esc.join();
    cancelledSorts += stop == ReadStop::Cancelled ? 1 : 0;
    state.SetIterationTime(std::max<double>(0, static_cast<double>(ended - cancelledAt)) *
                           std::chrono::steady_clock::period::num /
                           std::chrono::steady_clock::period::den);
  }
  // Below 1 where the sort ended before it was asked to stop.
  state.counters["cancelled_share"] = cancelledSorts / static_cast<double>(state.iterations());
}

void BM_CancelDuringSortIntervalByChannel2(benchmark::State& state) {
  CancelDuringSort(state, true, 3);
}
void BM_CancelDuringSortEventBySituation(benchmark::State& state) {
  CancelDuringSort(state, false, 7);
}
BENCHMARK(BM_CancelDuringSortIntervalByChannel2)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CancelDuringSortEventBySituation)->UseManualTime()->Unit(benchmark::kMillisecond);

BENCHMARK(BM_ReadAndSortIntervalArchive)
    ->Arg(1)
    ->Arg(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadAndSortEventArchive)
    ->Arg(1)
    ->Arg(5)
    ->Arg(7)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// The filter of a view alone, without the list: each iteration selects the rows of a text that
// does not narrow the one before (a look at every record), or narrows it by one letter.
void FilterRows(benchmark::State& state, Reload reload, bool interval, bool narrowing) {
  const auto path = WriteBenchArchive(interval, gRecords);
  const int sortColumn = static_cast<int>(state.range(0));
  BenchStrings strings;
  SilentReporter reporter;
  ArchiveFile file(strings, reporter);
  RowStore rows;
  if (!reload(file, path, sortColumn, kOpenMessages, rows)) {
    state.SkipWithError("reading failed");
    return;
  }
  const char* const texts[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9"};
  ShownRows shown;
  std::size_t next = 0;
  double kept = 0;
  for (auto _ : state) {
    state.PauseTiming();
    RowFilter filter;
    filter.SetText(texts[next++ % std::size(texts)]);
    if (narrowing) shown.SetFilter(filter, rows);
    filter.SetText(std::string(filter.Text()) + (interval ? "." : "a"));
    state.ResumeTiming();
    shown.SetFilter(filter, rows);
    kept += static_cast<double>(shown.Count(rows));
  }
  state.counters["rows kept"] = kept / static_cast<double>(state.iterations());
}

// For comparison: the same look at every row, with the records reached in list order.
void FilterRowsInListOrder(benchmark::State& state, Reload reload, bool interval) {
  const auto path = WriteBenchArchive(interval, gRecords);
  BenchStrings strings;
  SilentReporter reporter;
  ArchiveFile file(strings, reporter);
  RowStore rows;
  if (!reload(file, path, static_cast<int>(state.range(0)), kOpenMessages, rows)) {
    state.SkipWithError("reading failed");
    return;
  }
  const char* const texts[] = {"1.", "2.", "3.", "4.", "5.", "6.", "7.", "8.", "9."};
  std::size_t next = 0;
  for (auto _ : state) {
    RowFilter filter;
    filter.SetText(texts[next++ % std::size(texts)]);
    RowText text;
    std::vector<RowNumber> selected;
    rows.ForEachRow([&](std::size_t row, const ArchiveRecord& record) {
      if (filter.Keeps(record, rows.Format(), text))
        selected.push_back(static_cast<RowNumber>(row));
    });
    benchmark::DoNotOptimize(selected.data());
  }
}

void BM_FilterIntervalRowsInListOrder(benchmark::State& state) {
  FilterRowsInListOrder(state, ReloadIntervalRows, true);
}

void BM_FilterIntervalRows(benchmark::State& state) {
  FilterRows(state, ReloadIntervalRows, true, false);
}
void BM_FilterIntervalRowsNarrowing(benchmark::State& state) {
  FilterRows(state, ReloadIntervalRows, true, true);
}
void BM_FilterEventRows(benchmark::State& state) {
  FilterRows(state, ReloadEventRows, false, false);
}
void BM_FilterEventRowsNarrowing(benchmark::State& state) {
  FilterRows(state, ReloadEventRows, false, true);
}

BENCHMARK(BM_FilterIntervalRows)->Arg(1)->Arg(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilterIntervalRowsInListOrder)->Arg(1)->Arg(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilterIntervalRowsNarrowing)->Arg(1)->Arg(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilterEventRows)->Arg(1)->Arg(7)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilterEventRowsNarrowing)->Arg(1)->Arg(7)->Unit(benchmark::kMillisecond);

// The rows of a report built and written, on one thread or on two, into a file in the folder
// for temporary files as the report tool writes one: the second thread helps only where a core
// is free for it, so compare the two on a quiet machine and under load.
void ReportRowLines(benchmark::State& state, Reload reload, bool interval, bool twoThreads) {
  const auto path = WriteBenchArchive(interval, gRecords);
  BenchStrings strings;
  SilentReporter reporter;
  ArchiveFile file(strings, reporter);
  ViewContent content;
  content.kind = interval ? ArchiveKind::Interval : ArchiveKind::Event;
  content.sortColumn = static_cast<int>(state.range(0));
  if (!reload(file, path, content.sortColumn, kOpenMessages, content.rows)) {
    state.SkipWithError("reading failed");
    return;
  }
  content.ReselectShown();
  const ViewReport report(content);
  const std::filesystem::path target = path.string() + ".report";
  for (auto _ : state) {
    std::ofstream out(target, std::ios::binary | std::ios::trunc);
    auto write = [&out](std::string_view lines) {
      out.write(lines.data(), static_cast<std::streamsize>(lines.size()));
      return out.good();
    };
    if (twoThreads) {
      ProduceReportRowLines(report, write);
    } else {
      ProduceReportRowLinesOnOneThread(report, write);
    }
  }
  std::filesystem::remove(target);
}

void BM_ReportIntervalRowsOnOneThread(benchmark::State& state) {
  ReportRowLines(state, ReloadIntervalRows, true, false);
}
void BM_ReportIntervalRowsOnTwoThreads(benchmark::State& state) {
  ReportRowLines(state, ReloadIntervalRows, true, true);
}
void BM_ReportEventRowsOnOneThread(benchmark::State& state) {
  ReportRowLines(state, ReloadEventRows, false, false);
}
void BM_ReportEventRowsOnTwoThreads(benchmark::State& state) {
  ReportRowLines(state, ReloadEventRows, false, true);
}

BENCHMARK(BM_ReportIntervalRowsOnOneThread)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReportIntervalRowsOnTwoThreads)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReportEventRowsOnOneThread)->Arg(1)->Arg(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReportEventRowsOnTwoThreads)->Arg(1)->Arg(3)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace telvoran

int main(int argc, char** argv) {
  telvoran::gRecords = telvoran::TakeRecordCountArgument(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::AddCustomContext("records", std::to_string(telvoran::gRecords));
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
