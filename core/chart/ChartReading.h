#pragma once

#include <filesystem>
#include <optional>

#include "core/chart/AlarmTimeline.h"
#include "core/chart/IntervalSeries.h"
#include "core/rows/RowReading.h"

namespace telvoran {

class ArchiveFile;

// Reads the interval archive at `path` once, from its header to its last record, into the
// series a chart draws. Every failure is reported as a re-sort reports it (`messages`); the
// file is closed and nothing is returned then.
std::optional<IntervalSeries> ReadIntervalSeries(ArchiveFile& file,
                                                 const std::filesystem::path& path,
                                                 const ArchiveMessages& messages);

// The same for an event archive and its alarm timeline.
std::optional<AlarmTimeline> ReadAlarmTimeline(ArchiveFile& file, const std::filesystem::path& path,
                                               const ArchiveMessages& messages);

}  // namespace telvoran
