#pragma once

#include <functional>
#include <optional>
#include <string>

namespace telvoran {
class PageSurface;
class ProgramState;
}  // namespace telvoran

namespace telvoran::commands {

// Draws a printout on a page surface; nothing on success, else the printer's failure.
using Printout = std::function<std::optional<std::string>(PageSurface&)>;

// Prints `printout` on the program's printer as its print dialog has set it up: the chosen pages
// in the chosen order and number. A printer failure is shown in the error box; a page range that
// holds no page of the printout is told in a message, after a beep.
void PrintChosenPages(ProgramState& state, const Printout& printout);

}  // namespace telvoran::commands
