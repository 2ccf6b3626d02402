// Decoding and sorting a million records of each archive kind: time, and the memory the row
// list holds beyond the row texts themselves.
#include <benchmark/benchmark.h>

#include <string>

#include "BenchArchives.h"
#include "core/archive/ArchiveFile.h"
#include "core/archive/FailureReporter.h"
#include "core/rows/RowReading.h"
#include "core/text/StringLookup.h"

namespace telvoran {
namespace {

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
};

void ReportMemory(benchmark::State& state, const RowList& rows) {
  std::size_t textBytes = 0;
  for (std::size_t i = 0; i < rows.Size(); ++i) textBytes += rows[i].size();
  state.counters["rows"] = static_cast<double>(rows.Size());
  state.counters["text_MB"] = static_cast<double>(textBytes) / 1e6;
  state.counters["list_MB"] = static_cast<double>(rows.MemoryBytes()) / 1e6;
  state.counters["bytes_beyond_text_per_row"] =
      static_cast<double>(rows.MemoryBytes() - textBytes) / static_cast<double>(rows.Size());
}

// Reads a million-record archive of one kind and puts its rows in order for the sort column
// given as the benchmark's argument.
template <auto Reload>
void ReadAndSort(benchmark::State& state, bool interval) {
  const auto path = WriteBenchArchive(interval);
  BenchStrings strings;
  SilentReporter reporter;
  ArchiveFile file(strings, reporter);
  RowList rows;
  for (auto _ : state) {
    if (!Reload(file, path, static_cast<int>(state.range(0)), kOpenMessages, rows))
      state.SkipWithError("reading failed");
  }
  ReportMemory(state, rows);
}

void BM_ReadAndSortIntervalArchive(benchmark::State& state) {
  ReadAndSort<ReloadIntervalRows>(state, true);
}
void BM_ReadAndSortEventArchive(benchmark::State& state) {
  ReadAndSort<ReloadEventRows>(state, false);
}

BENCHMARK(BM_ReadAndSortIntervalArchive)->Arg(1)->Arg(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadAndSortEventArchive)->Arg(1)->Arg(5)->Arg(7)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace telvoran

BENCHMARK_MAIN();
