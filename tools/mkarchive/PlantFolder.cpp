#include "tools/mkarchive/PlantFolder.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <exception>
#include <memory>
#include <optional>

#include "core/platform/Utf8Path.h"
#include "tools/common/CliParsing.h"
#include "tools/mkarchive/ArchiveWriter.h"
#include "tools/mkarchive/ArgumentParsing.h"
#include "tools/mkarchive/MkArchiveCommand.h"
#include "tools/mkarchive/MkArchiveOptions.h"
#include "tools/mkarchive/SampleSources.h"

namespace telvoran {
namespace {

constexpr std::string_view kProgram = "telvoran-mkarchive: ";
constexpr std::int64_t kSecondsPerDay = 24 * 60 * 60;

std::string TwoDigits(int number) {
  return std::string{static_cast<char>('0' + number / 10 % 10),
                     static_cast<char>('0' + number % 10)};
}

std::string DayText(const DateTime& day) {
  return std::to_string(day.year) + '-' + TwoDigits(day.month) + '-' + TwoDigits(day.day);
}

// The options of one unit's interval archive of one day; each file has a seed of its own, so
// that any file can be made again alone.
MkArchiveOptions DayArchiveOptions(const PlantOptions& plant, int unit, int day) {
  MkArchiveOptions options;
  options.kind = ArchiveKind::kInterval;
  options.start = AddSeconds(plant.start, day * kSecondsPerDay);
  options.records = plant.recordsPerDay;
  options.stepSeconds =
      std::max<std::int64_t>(1, kSecondsPerDay / static_cast<std::int64_t>(plant.recordsPerDay));
  options.seed = plant.seed * 1000003 + static_cast<std::uint64_t>(unit) * 7919 +
                 static_cast<std::uint64_t>(day);
  return options;
}

void WriteDayArchive(const PlantOptions& plant, int unit, int day,
                     const std::filesystem::path& path) {
  const MkArchiveOptions options = DayArchiveOptions(plant, unit, day);
  std::vector<ChannelLabel> labels;
  for (std::size_t k = 0; k < options.channelCount; ++k)
    labels.push_back(options.channels[k].label);
  ArchiveWriter writer(path);
  try {
    writer.Write(MakeIntervalHeader(labels));
    DeterministicRandom random(options.seed);
    IntervalSampleSource samples(options, random);
    for (std::uint64_t i = 0; i < options.records; ++i)
      writer.Write(EncodeIntervalRecord(samples.Next()));
    writer.Close();
  } catch (...) {
    writer.Discard();
    throw;
  }
}

// The alarms of every unit over the days, in time order, each year in an archive of its own.
void WriteAlarmArchives(const PlantOptions& plant) {
  if (plant.alarms == 0) return;
  MkArchiveOptions options;
  options.kind = ArchiveKind::kEvent;
  options.start = plant.start;
  options.addressLow = 1;
  options.addressHigh = plant.units;
  options.seed = plant.seed;
  // Steps of up to twice the mean spacing spread the alarms over the days.
  const std::int64_t seconds = static_cast<std::int64_t>(plant.days) * kSecondsPerDay;
  options.stepSeconds =
      std::max<std::int64_t>(1, 2 * seconds / static_cast<std::int64_t>(plant.alarms));
  const auto end = ToSysSeconds(plant.start) + std::chrono::seconds(seconds);

  DeterministicRandom random(options.seed);
  EventSampleSource samples(options, random);
  std::unique_ptr<ArchiveWriter> writer;
  int year = 0;
  try {
    for (std::uint64_t i = 0; i < plant.alarms; ++i) {
      EventSample sample = samples.Next();
      // The last alarms of a spacing drawn long stay within the last day.
      if (ToSysSeconds(sample.time) >= end)
        sample.time = FromSysSeconds(end - std::chrono::seconds(1 + (plant.alarms - i) % 3600));
      if (!writer || sample.time.year != year) {
        if (writer) writer->Close();
        year = sample.time.year;
        writer = std::make_unique<ArchiveWriter>(plant.folder /
                                                 ("alarm" + std::to_string(year) + ".zdr"));
      }
      writer->Write(EncodeEventRecord(sample));
    }
    writer->Close();
  } catch (...) {
    if (writer) writer->Discard();
    throw;
  }
}

}  // namespace

bool AsksForPlant(std::span<const std::string> arguments) {
  return std::any_of(arguments.begin(), arguments.end(), [](const std::string& argument) {
    return argument == "--plant" || argument.starts_with("--plant=");
  });
}

PlantOptions ParsePlantOptions(std::span<const std::string> arguments) {
  CLI::App app;
  app.set_help_flag();
  std::string folder, units, days, records, alarms, start, seed;
  app.add_option("--plant", folder);
  app.add_option("--units", units);
  app.add_option("--days", days);
  app.add_option("--records-per-day", records);
  app.add_option("--alarms", alarms);
  app.add_option("--start", start);
  app.add_option("--seed", seed);
  for (CLI::Option* option : app.get_options())
    option->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
  if (auto fault = ParseWithCli11(app, arguments)) throw UsageError(*fault);

  PlantOptions options;
  if (folder.empty()) throw UsageError("--plant: no folder given");
  options.folder = PathFromUtf8(folder);
  // Units are two digits of the names; the records of a day at least one second apart.
  if (!units.empty()) options.units = static_cast<int>(ParseWholeNumber("--units", units, 1, 99));
  if (!days.empty()) options.days = static_cast<int>(ParseWholeNumber("--days", days, 1, 36500));
  if (!records.empty())
    options.recordsPerDay = ParseWholeNumber("--records-per-day", records, 0, kSecondsPerDay);
  if (!alarms.empty()) options.alarms = ParseWholeNumber("--alarms", alarms, 0, 100'000'000);
  if (!seed.empty()) options.seed = ParseWholeNumber("--seed", seed, 0, UINT64_MAX);
  if (!start.empty()) {
    options.start = ParseDateTime("--start", start);
    options.start.hour = options.start.minute = options.start.second = 0;
  }
  const DateTime last = AddSeconds(options.start, (options.days - 1) * kSecondsPerDay);
  if (options.start.year < 2000 || last.year > 2099)
    throw UsageError("--start, --days: the days must lie in the years 2000 to 2099");
  return options;
}

void WritePlantFolder(const PlantOptions& options) {
  for (int day = 0; day < options.days; ++day) {
    const DateTime date = AddSeconds(options.start, day * kSecondsPerDay);
    const std::filesystem::path year = options.folder / std::to_string(date.year);
    std::filesystem::create_directories(year);
    for (int unit = 1; unit <= options.units; ++unit)
      WriteDayArchive(options, unit, day, year / (DayText(date) + "_C" + TwoDigits(unit) + ".czt"));
  }
  WriteAlarmArchives(options);
}

int RunMkPlant(std::span<const std::string> arguments, std::ostream& out, std::ostream& err) {
  (void)out;
  PlantOptions options;
  try {
    options = ParsePlantOptions(arguments);
  } catch (const UsageError& error) {
    err << kProgram << error.what() << "\nTry 'telvoran-mkarchive --help' for more.\n";
    return kExitUsage;
  }
  try {
    WritePlantFolder(options);
  } catch (const std::exception& error) {
    err << kProgram << error.what() << '\n';
    return kExitWriteFailed;
  }
  return kExitSuccess;
}

}  // namespace telvoran
