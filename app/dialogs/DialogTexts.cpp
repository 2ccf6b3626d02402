#include "app/dialogs/DialogTexts.h"

namespace telvoran {

QStringList NameFiltersFromPairs(const QString& filter) {
  const QStringList parts = filter.split(u'|');
  QStringList nameFilters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QStringList patterns;
    for (const QString& pattern : parts[i + 1].split(u';', Qt::SkipEmptyParts))
      if (const QString trimmed = pattern.trimmed(); !trimmed.isEmpty()) patterns << trimmed;
    nameFilters << parts[i] + " (" + patterns.join(u' ') + ")";
  }
  return nameFilters;
}

int NameFilterIndex(const QStringList& nameFilters, const QString& selected) {
  for (qsizetype i = 0; i < nameFilters.size(); ++i) {
    if (nameFilters[i] == selected || nameFilters[i].startsWith(selected + " ("))
      return static_cast<int>(i) + 1;
  }
  return 1;
}

QString SuffixOfNameFilter(const QString& nameFilter) {
  const qsizetype open = nameFilter.lastIndexOf(u'(');
  if (open < 0 || !nameFilter.endsWith(u')')) return {};
  const QString first = nameFilter.mid(open + 1, nameFilter.size() - open - 2).section(u' ', 0, 0);
  if (!first.startsWith(QStringLiteral("*."))) return {};
  const QString suffix = first.mid(2);
  if (suffix.contains(u'*') || suffix.contains(u'?')) return {};
  return suffix;
}

QString WithLineBreaks(QString text) {
  return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
}

}  // namespace telvoran
