#pragma once

#include <cstdint>
#include <filesystem>
#include <ostream>
#include <span>
#include <string>

#include "core/archive/DateTime.h"

namespace telvoran {

// A made-up plant's folder: what a monitoring program leaves after some days of watching its
// central units.
struct PlantOptions {
  std::filesystem::path folder;
  int units = 20;                    // central units 1 to `units`
  int days = 30;                     // days from `start` on
  std::uint64_t recordsPerDay = 96;  // interval records of each unit and day
  std::uint64_t alarms = 1000;       // event records over all units, channels and days
  DateTime start{2005, 1, 1, 0, 0, 0};
  std::uint64_t seed = 1;
};

// Whether the command line asks for a plant's folder (--plant) rather than one archive.
bool AsksForPlant(std::span<const std::string> arguments);

// Reads the options of a plant's folder. Throws UsageError naming the option at fault.
PlantOptions ParsePlantOptions(std::span<const std::string> arguments);

// Writes the folder: for each day a subfolder of its year holding one interval archive per
// unit, "2005-03-14_C07.czt" (two channels, `recordsPerDay` records evenly over the day), and
// beside them one event archive per year, "alarm2005.zdr", whose alarms name the units as
// central addresses and their channels with the labels of the interval archives. The same
// options give the same bytes. Throws std::system_error when a file cannot be written.
void WritePlantFolder(const PlantOptions& options);

// telvoran-mkarchive --plant: parses, writes, and returns the exit status.
int RunMkPlant(std::span<const std::string> arguments, std::ostream& out, std::ostream& err);

}  // namespace telvoran
