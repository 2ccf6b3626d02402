#pragma once

#include <QString>
#include <QStringList>

namespace telvoran {

// The file dialogs' filter, pairs "description|patterns|description|patterns" with the
// patterns separated by "; ", as Qt name filters "description (pattern pattern)". A
// description without patterns after it is left out.
QStringList NameFiltersFromPairs(const QString& filter);

// A message text as a dialog shows it: a carriage return, alone or before a line feed,
// breaks the line.
QString WithLineBreaks(QString text);

}  // namespace telvoran
