#pragma once

#include <QString>

class QMdiArea;

#include "core/view/DaySpan.h"

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

// A unit's span of days as one interval view in `area`, with every behaviour of a view of one
// file. Days that cannot be read or whose header differs are told, and the view stays with the
// rows read; a span of which no day can be read gives no view.
void OpenSpanView(ProgramState& state, QMdiArea& area, DaySpan span);

}  // namespace telvoran::commands
