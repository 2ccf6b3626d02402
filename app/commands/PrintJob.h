#pragma once

#include <functional>
#include <optional>
#include <string>

class QWidget;

namespace telvoran {
class PageSurface;
class ProgramState;
class WorkProgress;
}  // namespace telvoran

namespace telvoran::commands {

// Draws a printout on a page surface; nothing on success, else the printer's failure.
using Printout = std::function<std::optional<std::string>(PageSurface&)>;

// Prints `printout` on the program's printer as its print dialog has set it up: the chosen pages
// in the chosen order and number. A printer failure is shown in the error box; a page range that
// holds no page of the printout is told in a message, after a beep.
void PrintChosenPages(ProgramState& state, const Printout& printout);

// A printout that tells its progress and stops when asked to; it draws nothing but through the
// page surface, so that it can be drawn away from the window's thread.
using LongPrintout = std::function<std::optional<std::string>(PageSurface&, WorkProgress&)>;
// The same as long work (LongWork) near `near`: a cancelled job is dropped where the printer
// can still drop it, and nothing is told.
void PrintChosenPagesAsLongWork(ProgramState& state, QWidget* near, const LongPrintout& printout);

}  // namespace telvoran::commands
