#pragma once

class QMdiArea;

namespace telvoran {
class ChartWindow;
class ProgramState;
}  // namespace telvoran

namespace telvoran::commands {

// The chart command: for the active data view of `area`, a chart of an interval view's channels
// or the alarm timeline of an event view, in a window of its own beside the views, captioned
// like the view. The view's file is read once more for it; a failure is reported as a re-sort
// reports it, and an archive with nothing to draw (no channel, or no record of a real date)
// says so. Returns the new window, or nothing.
ChartWindow* ShowChart(ProgramState& state, QMdiArea& area);

}  // namespace telvoran::commands
