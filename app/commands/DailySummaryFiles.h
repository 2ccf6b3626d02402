#pragma once

#include <optional>

#include "core/plant/DailySummary.h"

namespace telvoran {
class DataView;
}

namespace telvoran::commands {

// What the daily summary of an interval view reads: for a span of days its unit, days and files;
// for one archive the unit and day its name gives and the days of that month that its folder
// holds for the unit. The event archives beside the days' files, and above a year's folder
// ("2005") of them, give the alarms. Nothing for an archive whose name names no day and unit.
std::optional<SummaryFiles> SummaryFilesOf(const DataView& view);

}  // namespace telvoran::commands
