// Timings of a unit's ten-year channel chart over a plant folder: the chart first shown (every
// day read into the envelope index, the unit's alarms read, the first drawing of every channel
// and of the alarm band), a zoom or pan step (every channel and the band drawn again) and the
// memory the chart keeps. bench/span-chart.sh runs it beside `cat` of the same files.
//
//   span_chart_bench FOLDER UNIT
//
// Prints "first-shown-seconds slowest-step-seconds median-step-seconds steps index-bytes
// rss-growth-bytes files bytes" on one line, and the files read on standard error.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "core/chart/LaneDrawing.h"
#include "core/chart/SpanEnvelope.h"
#include "core/chart/UnitAlarms.h"
#include "core/plant/FolderCatalogue.h"
#include "core/text/StringLookup.h"

namespace {

using namespace telvoran;
using Clock = std::chrono::steady_clock;
constexpr int kColumns = 1000;  // the plot area of a chart window on a usual screen

class NoStrings : public StringLookup {
 public:
  std::string_view Text(int) const override { return {}; }
};

double Since(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// The process's resident memory, from the system's account of it (0 where there is none).
std::size_t ResidentBytes() {
  std::ifstream status("/proc/self/status");
  std::string word;
  while (status >> word)
    if (word == "VmRSS:") {
      std::size_t kilobytes = 0;
      status >> kilobytes;
      return kilobytes * 1024;
    }
  return 0;
}

// Draws what the chart window draws for `span`: every channel's line and every alarm lane.
std::size_t Draw(SpanEnvelope& envelope, const AlarmTimeline& alarms, TimeSpan span) {
  std::size_t drawn = 0;
  for (int series = 0; series < envelope.SeriesCount(); ++series)
    drawn += envelope.Envelope(series, span, kColumns).size();
  for (const Lane& lane : alarms.Lanes()) drawn += DrawLane(alarms, lane, span, kColumns).runs.size();
  return drawn;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: span_chart_bench FOLDER UNIT\n");
    return 2;
  }
  const int unit = std::atoi(argv[2]);
  plant::FolderCatalogue catalogue(argv[1]);
  if (!catalogue.Read()) return 1;
  std::vector<std::filesystem::path> days;
  for (const plant::DayFile* day : catalogue.DaysOfUnit(unit)) days.push_back(day->path);
  std::vector<std::filesystem::path> archives;
  for (const plant::CatalogueFile& file : catalogue.EventArchives()) archives.push_back(file.path);
  const NoStrings strings;
  const std::size_t residentBefore = ResidentBytes();

  const auto start = Clock::now();
  std::vector<FileFailure> failures;
  std::optional<SpanEnvelope> envelope = SpanEnvelope::Build(days, strings, nullptr, failures);
  std::optional<AlarmTimeline> alarms = ReadUnitAlarms(archives, unit, strings, nullptr, failures);
  if (!envelope || !alarms) return 1;
  std::size_t drawn = Draw(*envelope, *alarms, envelope->FullSpan());
  const double firstShown = Since(start);

  // Zooming in step by step from ten years to an hour around a moment, moving now and then,
  // and back out: the steps a person takes with the wheel and the arrow keys.
  std::vector<double> steps;
  const TimeSpan whole = envelope->FullSpan();
  TimeSpan span = whole;
  double anchor = whole.from + whole.Length() * 0.37;
  auto step = [&](TimeSpan next) {
    span = {std::max(whole.from, next.from), std::min(whole.to, next.to)};
    const auto at = Clock::now();
    drawn += Draw(*envelope, *alarms, span);
    steps.push_back(Since(at));
  };
  while (span.Length() > 3600) {
    step({anchor - (anchor - span.from) * 0.8, anchor + (span.to - anchor) * 0.8});
    step({span.from + span.Length() * 0.1, span.to + span.Length() * 0.1});
    anchor = (span.from + span.to) / 2;
  }
  anchor = (span.from + span.to) / 2;
  while (span.Length() < whole.Length())
    step({anchor - (anchor - span.from) * 1.25, anchor + (span.to - anchor) * 1.25});
  const std::size_t residentGrowth = ResidentBytes() - residentBefore;

  std::vector<double> sorted = steps;
  std::sort(sorted.begin(), sorted.end());
  std::uintmax_t bytes = 0;
  std::error_code error;
  for (const auto* files : {&days, &archives})
    for (const auto& file : *files) {
      bytes += std::filesystem::file_size(file, error);
      std::fprintf(stderr, "%s\n", file.string().c_str());
    }
  std::printf("%.3f %.4f %.4f %zu %zu %zu %zu %ju %zu\n", firstShown, sorted.back(),
              sorted[sorted.size() / 2], steps.size(), envelope->MemoryBytes(), residentGrowth,
              days.size() + archives.size(), bytes, drawn);
  return failures.empty() ? 0 : 1;
}
