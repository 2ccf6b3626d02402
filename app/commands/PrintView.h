#pragma once

class QMdiArea;
class QWidget;

namespace telvoran {
class ProgramState;
}

namespace telvoran::commands {

// The print command: the print dialog, then the active data view of `area` on numbered pages.
void PrintView(ProgramState& state, QMdiArea& area);

// The printer set-up command; the choices made stay on the program's printer.
void PrintSetup(ProgramState& state, QWidget* parent);

}  // namespace telvoran::commands
