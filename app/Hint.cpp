#include "app/Hint.h"

#include <QAction>

namespace telvoran {

HintParts SplitHint(const QString& hint) {
  const qsizetype bar = hint.indexOf(u'|');
  if (bar < 0) return {hint, hint};
  return {hint.left(bar), hint.mid(bar + 1)};
}

void SetHint(QAction& action, const QString& hint) {
  const HintParts parts = SplitHint(hint);
  action.setToolTip(parts.shortPart);
  action.setStatusTip(parts.longPart);
}

}  // namespace telvoran
