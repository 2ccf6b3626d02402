#pragma once

#include <filesystem>

namespace telvoran {

inline constexpr int kBenchRecords = 1'000'000;

// An archive of a million records of a monitoring program's typical content, written once into
// the temporary folder: records one minute apart, right-aligned values, mostly normal situations.
std::filesystem::path WriteBenchArchive(bool interval);

}  // namespace telvoran
