#include "BenchArchives.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>

namespace telvoran {
namespace {

void PutKind(char* record, std::uint32_t kind) {
  for (int i = 0; i < 4; ++i) record[36 + i] = static_cast<char>(kind >> (8 * i));
}

}  // namespace

std::string BenchRecords(bool interval, std::int64_t first, std::int64_t count) {
  // Seeded by the first record's number: the archive itself always comes out the same.
  std::mt19937 random(static_cast<std::uint32_t>(42 + first));
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(40 * count));
  char record[40];
  const char codes[] = "GGGGGGGGGGLHMWOFx";
  for (std::int64_t i = first; i < first + count; ++i) {
    const std::int64_t minutes = i;
    const auto days = static_cast<int>(minutes / 1440);
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
  return bytes;
}

std::filesystem::path WriteBenchArchive(bool interval, std::int64_t records) {
  const auto path = std::filesystem::temp_directory_path() /
                    ("telvoran-bench-" + std::to_string(records) + (interval ? ".czt" : ".zdr"));
  if (std::filesystem::exists(path)) return path;
  std::string bytes;
  if (interval) {
    const std::string header = "H4T1  degCP2  bar T3  degCQ4  m3/h";
    char record[40];
    for (int i = 0; i < 4; ++i) {
      std::fill(std::begin(record), std::end(record), ' ');
      header.copy(record, 33, std::min<std::size_t>(header.size(), 33 * i));
      PutKind(record, 26);
      bytes.append(record, 40);
    }
  }
  bytes += BenchRecords(interval, 0, records);
  // Written under another name and renamed, so that an interrupted run leaves no short archive.
  const auto partial = std::filesystem::path(path).concat(".part");
  std::ofstream(partial, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  std::filesystem::rename(partial, path);
  return path;
}

std::int64_t TakeRecordCountArgument(int& argc, char** argv) {
  if (argc < 2) return kDefaultBenchRecords;
  char* end = nullptr;
  const long long records = std::strtoll(argv[1], &end, 10);
  if (end == argv[1] || *end != '\0' || records <= 0) return kDefaultBenchRecords;
  for (int i = 1; i + 1 < argc; ++i) argv[i] = argv[i + 1];
  --argc;
  return records;
}

}  // namespace telvoran
