#pragma once

#include <QString>

class QMdiArea;

namespace telvoran {
class ProgramState;
}

namespace telvoran::commands {

// The open command: the open dialog, then the archive chosen in it as a new view in `area`.
void OpenArchive(ProgramState& state, QMdiArea& area);

// The open command from the chosen file name on: the checks before reading, a new view of the
// file's kind in `area` and the reading of its rows; every failure is reported to the user. An
// archive opened in full becomes the newest of the recently opened files.
void OpenArchiveFile(ProgramState& state, QMdiArea& area, const QString& fileName);

}  // namespace telvoran::commands
