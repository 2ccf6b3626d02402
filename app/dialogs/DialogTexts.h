#pragma once

#include <QString>
#include <QStringList>

namespace telvoran {

// The file dialogs' filter, pairs "description|patterns|description|patterns" with the
// patterns separated by "; ", as Qt name filters "description (pattern pattern)". A
// description without patterns after it is left out.
QStringList NameFiltersFromPairs(const QString& filter);

// The entry (from 1) of `nameFilters` that a file dialog names `selected`: the whole filter, or
// its description alone when the dialog hides the patterns. 1 when none matches.
int NameFilterIndex(const QStringList& nameFilters, const QString& selected);

// The extension of a name filter whose first pattern is "*.ext" ("ext"); empty otherwise.
QString SuffixOfNameFilter(const QString& nameFilter);

// A message text as a dialog shows it: a carriage return, alone or before a line feed,
// breaks the line.
QString WithLineBreaks(QString text);

}  // namespace telvoran
