#pragma once

#include <QString>

class QMdiArea;

namespace telvoran {
class ProgramState;
}

namespace telvoran::commands {

// File | Open folder...: the folder dialog, then the folder chosen as a catalogue window.
void OpenFolder(ProgramState& state, QMdiArea& area);

// The catalogue window of the plant's folder `folder` in `area`; the spans chosen in it open
// as views in the same area. A folder that cannot be listed is told, naming it, and its window
// closes.
void OpenFolderPath(ProgramState& state, QMdiArea& area, const QString& folder);

}  // namespace telvoran::commands
