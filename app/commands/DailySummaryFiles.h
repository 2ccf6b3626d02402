#pragma once

#include <optional>

#include "core/plant/DailySummary.h"

namespace telvoran {
class DataView;
}

namespace telvoran::commands {

// What the daily summary of an interval view reads: the unit and day its archive's name gives,
// the days of that month that the folder holds for the unit, and the folder's event archives.
// Nothing for an archive whose name names no day and unit.
std::optional<SummaryFiles> SummaryFilesOf(const DataView& view);

}  // namespace telvoran::commands
