#pragma once

#include <QString>

class QAction;

namespace telvoran {

// A hint holds a short part (a tool button's tooltip) and a long part (the status bar's text),
// separated by the first "|". A hint without "|" is both.
struct HintParts {
  QString shortPart;
  QString longPart;
};

HintParts SplitHint(const QString& hint);

// Gives `action` the hint: the short part as its tooltip, the long part as its status tip.
void SetHint(QAction& action, const QString& hint);

}  // namespace telvoran
