#pragma once

namespace telvoran {
class ChartWindow;
class ProgramState;
}  // namespace telvoran

namespace telvoran::commands {

// The export of a chart: the save dialog with the PNG, SVG and PDF types, then the chart as
// shown in the type the chosen name's extension names. A name without one of those extensions
// is refused with a message and the dialog stays open; an existing file is replaced only after
// the overwrite question.
void ExportChart(ProgramState& state, ChartWindow& window);

}  // namespace telvoran::commands
