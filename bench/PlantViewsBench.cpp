// Timings of a plant folder's daily summary and of finding a text in all its archives, each
// step run once in this process after the files were read once (so the cache is as warm as for
// `cat`). bench/plant-views.sh runs it beside `cat` of the same files.
//
//   plant_views_bench summary FOLDER UNIT YEAR   the unit's days of the year, with the alarms,
//                                                from a catalogue that has listed the folder
//   plant_views_bench summary-folder FOLDER UNIT YEAR   the same, listing only the year's folder
//   plant_views_bench find FOLDER TEXT           every archive of the folder
//
// Prints "seconds files bytes result" on one line.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "core/plant/DailySummary.h"
#include "core/plant/FolderCatalogue.h"
#include "core/plant/FolderSearch.h"
#include "core/plant/SummaryDays.h"
#include "core/text/StringLookup.h"

namespace {

using namespace telvoran;

class NoStrings : public StringLookup {
 public:
  std::string_view Text(int) const override { return {}; }
};

double Since(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::uintmax_t Bytes(const std::vector<std::filesystem::path>& files) {
  std::uintmax_t bytes = 0;
  std::error_code error;
  for (const auto& file : files) bytes += std::filesystem::file_size(file, error);
  return bytes;
}

// The catalogue window holds the folder's listing before the summary is asked for: only the
// summary's own work is timed. Without a catalogue, the year's folder is listed by name.
int Summary(const std::filesystem::path& folder, int unit, int year, bool fromCatalogue) {
  using namespace std::chrono;
  const NoStrings strings;
  plant::FolderCatalogue catalogue(folder);
  if (fromCatalogue && !catalogue.Read()) return 1;
  const plant::Day first = std::chrono::year{year} / January / 1;
  const plant::Day last = std::chrono::year{year} / December / 31;
  const auto start = steady_clock::now();
  const SummaryFiles files =
      fromCatalogue ? plant::SummaryFilesOfCatalogue(catalogue, unit, first, last)
                    : plant::SummaryFilesOfFolder(folder / std::to_string(year), unit, first, last);
  const DailySummary summary = SummarizeDays(files, strings);
  const double seconds = Since(start);
  std::vector<std::filesystem::path> all = files.dayFiles;
  all.insert(all.end(), files.eventFiles.begin(), files.eventFiles.end());
  std::printf("%.3f %zu %ju %zu\n", seconds, all.size(), Bytes(all), summary.days.size());
  for (const auto& file : all) std::fprintf(stderr, "%s\n", file.string().c_str());
  return 0;
}

int Find(const std::filesystem::path& folder, const std::string& text) {
  const NoStrings strings;
  const auto start = std::chrono::steady_clock::now();
  const std::vector<std::filesystem::path> files = ArchivesInFolder(folder);
  std::size_t found = 0;
  SearchListener listener;
  listener.found = [&found](std::vector<FoundRow> rows) { found += rows.size(); };
  const unsigned threads = std::max(1u, std::thread::hardware_concurrency());
  const SearchOutcome outcome = SearchArchives(files, text, strings, listener, nullptr, threads);
  const double seconds = Since(start);
  std::printf("%.3f %zu %ju %zu\n", seconds, outcome.filesSearched, Bytes(files), found);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string step = argc > 1 ? argv[1] : "";
  if ((step == "summary" || step == "summary-folder") && argc == 5)
    return Summary(argv[2], std::atoi(argv[3]), std::atoi(argv[4]), step == "summary");
  if (step == "find" && argc == 4) return Find(argv[2], argv[3]);
  std::fprintf(stderr, "usage: plant_views_bench summary|summary-folder FOLDER UNIT YEAR | find FOLDER TEXT\n");
  return 2;
}
