#pragma once

#include <QString>

class QMdiArea;
class QWidget;

namespace telvoran {
class ProgramState;
}

namespace telvoran::commands {

// The save command: the save dialog, then the active data view of `area` as a text report.
void SaveReport(ProgramState& state, QMdiArea& area);

// Whether the save dialog may close with `fileName`: never for the archive of a view open in
// `area` (the same file, through links too), which an error box naming it refuses; at once for
// a new file; for an existing one after a beep, when the user answers yes to the overwrite
// question.
bool AcceptReportName(ProgramState& state, QWidget* parent, const QMdiArea* area,
                      const QString& fileName);

}  // namespace telvoran::commands
