#pragma once

#include <filesystem>
#include <optional>
#include <vector>

#include "core/archive/ArchiveRecord.h"
#include "core/chart/AlarmTimeline.h"
#include "core/chart/SpanEnvelope.h"

namespace telvoran {

class StringLookup;
class WorkProgress;

// Whether an event record is of central unit `unit` (the number the daily archives' names
// give) and, when `channel` is given, of that channel of it (1 to 4, as the interval view
// numbers its channels; the record names it by its digit).
bool EventOfUnit(const ArchiveRecord& record, int unit, std::optional<int> channel = std::nullopt);

// The event channel byte of interval channel `channel` (1 to 4).
unsigned char EventChannelByte(int channel);

// The alarms of central unit `unit` from the event archives `archives`, in one timeline: a
// lane per channel of the unit. An archive that cannot be read keeps the events read of it
// and is named in `failures`. Nothing when `progress` asked to stop.
std::optional<AlarmTimeline> ReadUnitAlarms(const std::vector<std::filesystem::path>& archives,
                                            int unit, const StringLookup& strings,
                                            WorkProgress* progress,
                                            std::vector<FileFailure>& failures);

// The event archives beside a unit's daily archives: in the folder of `dayFile` and the one
// above it (a plant keeps its days in a folder per year), by name only, sorted.
std::vector<std::filesystem::path> EventArchivesNear(const std::filesystem::path& dayFile);

}  // namespace telvoran
