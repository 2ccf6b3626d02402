// Decoding and sorting a million records of each archive kind: time, and the memory the row
// list holds beyond the row texts themselves.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "archive/ArchiveFile.h"
#include "archive/FailureReporter.h"
#include "text/StringLookup.h"
#include "views/RowReading.h"

namespace telvoran {
namespace {

constexpr int kRecords = 1'000'000;

class BenchStrings : public StringLookup {
 public:
  std::string_view Text(int id) const override {
    static const std::string situations[] = {"Stan normalny", "Przekroczenie progu niskiego",
                                             "Przekroczenie progu wysokiego", "Awaria czujnika",
                                             "Ostrzeżenie", "Kanał wyłączony", "Awaria centrali"};
    return id >= 160 && id <= 166 ? std::string_view(situations[id - 160]) : "text";
  }
};

class SilentReporter : public FailureReporter {
 public:
  void Beep() override {}
  void ShowMessage(std::string_view) override {}
  void ShowError(std::string_view) override {}
};

void PutKind(char* record, std::uint32_t kind) {
  for (int i = 0; i < 4; ++i) record[36 + i] = static_cast<char>(kind >> (8 * i));
}

// Writes an archive of a monitoring program's typical content: records one minute apart,
// right-aligned values, mostly normal situations.
std::filesystem::path WriteArchive(bool interval) {
  const auto path = std::filesystem::temp_directory_path() /
                    (interval ? "telvoran-bench.czt" : "telvoran-bench.zdr");
  if (std::filesystem::exists(path)) return path;
  std::mt19937 random(42);
  std::string bytes;
  bytes.reserve(40 * (kRecords + 4));
  char record[40];
  if (interval) {
    const std::string header = "H4T1  degCP2  bar T3  degCQ4  m3/h";
    for (int i = 0; i < 4; ++i) {
      std::fill(std::begin(record), std::end(record), ' ');
      header.copy(record, 33, std::min<std::size_t>(header.size(), 33 * i));
      PutKind(record, 26);
      bytes.append(record, 40);
    }
  }
  const char codes[] = "GGGGGGGGGGLHMWOFx";
  for (int i = 0; i < kRecords; ++i) {
    const int minutes = i;
    const int days = minutes / 1440;
    std::fill(std::begin(record), std::end(record), ' ');
    char* date = record + (interval ? 0 : 1);
    date[0] = static_cast<char>(5 + days / (28 * 12) + 10);
    date[1] = static_cast<char>(1 + days / 28 % 12 + 10);
    date[2] = static_cast<char>(1 + days % 28 + 10);
    date[3] = static_cast<char>(minutes / 60 % 24 + 10);
    date[4] = static_cast<char>(minutes % 60 + 10);
    date[5] = 10;
    char value[8];
    if (interval) {
      for (int k = 1; k <= 4; ++k) {
        std::snprintf(value, sizeof value, "%5.1f", (random() % 2000) / 10.0);
        std::copy_n(value, 5, record + 5 * k + 1);
      }
      PutKind(record, 26);
    } else {
      record[0] = static_cast<char>(random() % 20 + 10);
      record[7] = static_cast<char>('1' + random() % 4);
      record[8] = codes[random() % (sizeof codes - 1)];
      std::snprintf(value, sizeof value, "%5.1f", (random() % 2000) / 10.0);
      std::copy_n(value, 5, record + 9);
      std::copy_n("Temp", 4, record + 14);
      std::copy_n("degC", 4, record + 18);
      PutKind(record, 33);
    }
    bytes.append(record, 40);
  }
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return path;
}

void ReportMemory(benchmark::State& state, const RowList& rows) {
  std::size_t textBytes = 0;
  for (std::size_t i = 0; i < rows.Size(); ++i) textBytes += rows[i].size();
  state.counters["rows"] = static_cast<double>(rows.Size());
  state.counters["text_MB"] = static_cast<double>(textBytes) / 1e6;
  state.counters["list_MB"] = static_cast<double>(rows.MemoryBytes()) / 1e6;
  state.counters["bytes_beyond_text_per_row"] =
      static_cast<double>(rows.MemoryBytes() - textBytes) / static_cast<double>(rows.Size());
}

void BM_ReadAndSortIntervalArchive(benchmark::State& state) {
  const auto path = WriteArchive(true);
  BenchStrings strings;
  SilentReporter reporter;
  ArchiveFile file(strings, reporter);
  RowList rows;
  for (auto _ : state) {
    if (!ReloadIntervalRows(file, path, static_cast<int>(state.range(0)), kOpenMessages, rows))
      state.SkipWithError("reading failed");
  }
  ReportMemory(state, rows);
}

void BM_ReadAndSortEventArchive(benchmark::State& state) {
  const auto path = WriteArchive(false);
  BenchStrings strings;
  SilentReporter reporter;
  ArchiveFile file(strings, reporter);
  RowList rows;
  for (auto _ : state) {
    if (!ReloadEventRows(file, path, static_cast<int>(state.range(0)), kOpenMessages, rows))
      state.SkipWithError("reading failed");
  }
  ReportMemory(state, rows);
}

BENCHMARK(BM_ReadAndSortIntervalArchive)->Arg(1)->Arg(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadAndSortEventArchive)->Arg(1)->Arg(5)->Arg(7)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace telvoran

BENCHMARK_MAIN();
