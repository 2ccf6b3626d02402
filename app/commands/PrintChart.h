#pragma once

namespace telvoran {
class ChartWindow;
class ProgramState;
}  // namespace telvoran

namespace telvoran::commands {

// The print command while a chart window is active: the print dialog, then the chart as shown
// on one landscape page, with the heading and the page footer of a view's printout. The
// printer's own orientation is restored afterwards, so the views print as before.
void PrintChart(ProgramState& state, ChartWindow& window);

}  // namespace telvoran::commands
