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

QString WithLineBreaks(QString text) {
  return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
}

}  // namespace telvoran
