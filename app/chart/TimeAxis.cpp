#include "app/chart/TimeAxis.h"

#include <QCategoryAxis>

#include <algorithm>

#include "core/chart/TimeTicks.h"

namespace telvoran {
namespace {

constexpr double kPixelsPerLabel = 125;  // room for "2005-03-14 08:05:30" and a gap

}  // namespace

void ShowTimeSpan(QCategoryAxis& axis, TimeSpan span, double width) {
  const int maxTicks = std::max(1, static_cast<int>(width / kPixelsPerLabel));
  const std::vector<TimeTick> ticks = TimeTicks(span, maxTicks);
  // Only a change is set: each one lays the chart out anew.
  QStringList labels;
  for (const TimeTick& tick : ticks) labels << QString::fromLatin1(tick.label);
  if (labels != axis.categoriesLabels() || axis.startValue() != span.from) {
    for (const QString& label : axis.categoriesLabels()) axis.remove(label);
    axis.setStartValue(span.from);
    for (const TimeTick& tick : ticks)
      axis.append(QString::fromLatin1(tick.label), static_cast<double>(tick.time));
  }
  if (axis.min() != span.from || axis.max() != span.to) axis.setRange(span.from, span.to);
}

}  // namespace telvoran
