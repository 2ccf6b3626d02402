#include "BenchArchives.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>

namespace telvoran {
namespace {

void PutKind(char* record, std::uint32_t kind) {
  for (int i = 0; i < 4; ++i) record[36 + i] = static_cast<char>(kind >> (8 * i));
}

}  // namespace

std::filesystem::path WriteBenchArchive(bool interval) {
  const auto path = std::filesystem::temp_directory_path() /
                    (interval ? "telvoran-bench.czt" : "telvoran-bench.zdr");
  if (std::filesystem::exists(path)) return path;
  std::mt19937 random(42);
  std::string bytes;
  bytes.reserve(40 * (kBenchRecords + 4));
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
  for (int i = 0; i < kBenchRecords; ++i) {
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
  std::ofstream(path, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return path;
}

}  // namespace telvoran
