#pragma once

#include <vector>

#include "core/chart/ArchiveTime.h"

namespace telvoran {

class AlarmTimeline;
struct Lane;

// Pixel columns of one lane that share one fill.
struct LaneRun {
  int firstColumn = 0;
  int lastColumn = 0;
  char colourDigit = 0;  // '0' to '4' as the rows' colours; zero for the window background
};

struct LaneDrawing {
  std::vector<LaneRun> runs;     // left to right, neighbours of equal fill merged
  std::vector<int> markColumns;  // columns that hold at least one event, ascending
};

// What a lane looks like when `span` is drawn into `columns` pixel columns: each event's
// situation fills the columns from its time until the next event of the lane. Where several
// situations share a column, the most severe one fills it (high alarm, low alarm, fault,
// warning, normal, then the rest), so no alarm, however short, disappears when the timeline is
// zoomed out. The work grows with the events in the span and the columns, never with the
// events outside the span.
LaneDrawing DrawLane(const AlarmTimeline& timeline, const Lane& lane, TimeSpan span, int columns);

// The marks of `markColumns` (ascending) that stand at least `gap` columns clear of the marks
// beside them. Where events crowd, their marks would merge into a dark band over the situation
// colours between them; the colours then show the changes by themselves.
std::vector<int> ClearMarks(const std::vector<int>& markColumns, int gap);

// The rank of a colour digit in the order above: higher is more severe.
int SeverityOfColourDigit(char colourDigit);

}  // namespace telvoran
