#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace telvoran {

inline constexpr std::int64_t kDefaultBenchRecords = 1'000'000;

// An archive of `records` records of a monitoring program's typical content, written once into
// the temporary folder: records one minute apart, right-aligned values, mostly normal situations.
std::filesystem::path WriteBenchArchive(bool interval, std::int64_t records);

// The bytes of the data records `first` to `first + count - 1` of such an archive (no header):
// what the monitoring program appends to it later. Their dates go on from record `first`.
std::string BenchRecords(bool interval, std::int64_t first, std::int64_t count);

// The record count a benchmark program was asked for: its first argument when that is a
// number (taken off the argument list, so the benchmark library never sees it), else the
// default.
std::int64_t TakeRecordCountArgument(int& argc, char** argv);

}  // namespace telvoran
