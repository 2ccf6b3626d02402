#pragma once

#include <filesystem>
#include <optional>

#include "core/chart/AlarmTimeline.h"
#include "core/chart/IntervalSeries.h"
#include "core/rows/RowReading.h"

namespace telvoran {

class ArchiveFile;
class WorkProgress;

// Reads the interval archive at `path` once, from its header to its last record, into the
// series a chart draws. Every failure is reported as a re-sort reports it (`messages`); the
// file is closed and nothing is returned then. Reading and building tell `progress`; once that is
// asked to stop, the file is closed and nothing is returned or told.
std::optional<IntervalSeries> ReadIntervalSeries(ArchiveFile& file,
                                                 const std::filesystem::path& path,
                                                 const ArchiveMessages& messages,
                                                 WorkProgress* progress = nullptr);

// The same for an event archive and its alarm timeline.
std::optional<AlarmTimeline> ReadAlarmTimeline(ArchiveFile& file, const std::filesystem::path& path,
                                               const ArchiveMessages& messages,
                                               WorkProgress* progress = nullptr);

}  // namespace telvoran
