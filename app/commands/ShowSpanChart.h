#pragma once

#include <filesystem>
#include <optional>
#include <vector>

#include "core/chart/AlarmTimeline.h"
#include "core/view/DaySpan.h"

class QMdiArea;

namespace telvoran {
class ChartWindow;
class ProgramState;
}  // namespace telvoran

namespace telvoran::commands {

// What a chart of a unit's span of days is asked for.
struct SpanChartRequest {
  DaySpan span;
  // The event archives whose alarms of the unit go into the band; nothing: those beside the
  // span's days.
  std::optional<std::vector<std::filesystem::path>> eventArchives;
  std::optional<int> channel;   // 1 to 4: only that channel shown
  std::optional<double> moment;  // archive seconds: shown around that moment
};

// The channel chart of a span with its alarm band, in a window beside the views. The days and
// the alarms are read off the window's thread, with progress and Cancel; days that cannot be
// read are named in one message and left out. Returns the new window, or nothing (cancelled,
// or no day with a record to draw, which is said).
ChartWindow* ShowSpanChart(ProgramState& state, QMdiArea& area, SpanChartRequest request);

// "Show the channel" of an alarm timeline: the chart of the alarm's unit and channel around its
// moment, from the daily archives in the folder (and subfolders) of the event archive
// `eventArchive`. A day without its file is said, naming the unit and the day.
ChartWindow* ShowAlarmChannel(ProgramState& state, QMdiArea& area,
                              const std::filesystem::path& eventArchive, LaneKey lane,
                              double moment);

}  // namespace telvoran::commands
