#include "app/chart/TimeAxis.h"

#include <QCategoryAxis>

#include <algorithm>

#include "core/chart/TimeTicks.h"

namespace telvoran {
namespace {

constexpr double kPixelsPerLabel = 140;  // room for "2005-03-14 08:05:30" and a gap

}  // namespace

void ShowTimeSpan(QCategoryAxis& axis, TimeSpan span, double width) {
  for (const QString& label : axis.categoriesLabels()) axis.remove(label);
  axis.setStartValue(span.from);
  axis.setRange(span.from, span.to);
  const int maxTicks = std::max(1, static_cast<int>(width / kPixelsPerLabel));
  for (const TimeTick& tick : TimeTicks(span, maxTicks))
    axis.append(QString::fromLatin1(tick.label), static_cast<double>(tick.time));
}

}  // namespace telvoran
