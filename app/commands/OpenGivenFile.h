#pragma once

#include <QString>

class QMdiArea;

namespace telvoran {
class ProgramState;
}

namespace telvoran::commands {

// A file given on the command line, handed over by a later copy or dropped on the main window:
// the open command from the chosen name on, except that a file whose name is not that of an
// archive is told so. The user named it on purpose; the open dialog's choice of such a file
// is still passed over without a word.
void OpenGivenFile(ProgramState& state, QMdiArea& area, const QString& fileName);

}  // namespace telvoran::commands
