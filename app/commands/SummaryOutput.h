#pragma once

namespace telvoran {
class DailySummaryWindow;
class ProgramState;
}  // namespace telvoran

namespace telvoran::commands {

// The save command on a daily summary: the save dialog of the views, then the text report or the
// CSV of the summary, by the type chosen or the name's extension.
void SaveSummary(ProgramState& state, DailySummaryWindow& window);
// The print command on a daily summary: its report on the views' numbered pages.
void PrintSummary(ProgramState& state, DailySummaryWindow& window);

}  // namespace telvoran::commands
