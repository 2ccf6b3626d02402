#pragma once

#include "core/chart/ArchiveTime.h"

class QCategoryAxis;

namespace telvoran {

// Shows `span` on `axis`, a category axis that serves as a time axis: its range, and a labelled
// grid line at each round moment (core/chart/TimeTicks), as many as fit into `width` pixels.
// The labels name the archive's own wall-clock times, untouched by any time zone.
void ShowTimeSpan(QCategoryAxis& axis, TimeSpan span, double width);

}  // namespace telvoran
