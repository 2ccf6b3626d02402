#pragma once

#include <QDateTime>
#include <QString>

#include "core/chart/ArchiveTime.h"

class QMdiSubWindow;

namespace telvoran {
class ProgramState;
}  // namespace telvoran

namespace telvoran::commands {

// Whether going to a date means anything in `window`: a data view sorted by date and time, or
// a chart.
bool GoToDateApplies(const QMdiSubWindow* window);

// The go-to-date command: asks a date and time, then makes the view's current row the shown row
// nearest to it, or centres the chart on it (as near as the chart's span allows). A view with no
// row of a real date beeps.
void GoToDate(ProgramState& state, QMdiSubWindow& window);

// Between the archives' clock and the dialog's moments, which run in UTC.
QDateTime ToQDateTime(ArchiveSeconds seconds);
ArchiveSeconds ToArchiveSeconds(const QDateTime& moment);
// A menu caption as a dialog title: without its key mark and its closing dots.
QString DialogTitleOf(QString caption);

}  // namespace telvoran::commands
