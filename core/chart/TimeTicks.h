#pragma once

#include <string>
#include <vector>

#include "core/chart/ArchiveTime.h"

namespace telvoran {

struct TimeTick {
  ArchiveSeconds time = 0;
  std::string label;
};

// Ticks for a time axis over `span`: at most `maxTicks` of them, at round moments of the
// calendar (every 1, 2, 5, 10, 15 or 30 seconds or minutes; 1, 2, 3, 4, 6, 8 or 12 hours; 1, 2, 7
// or 14 days; 1, 2, 3 or 6 months; 1, 2, 5, 10 ... years), the finest step that fits. Labels
// name the moment as precisely as the step needs: "2005-03-14 08:05:30", "2005-03-14 08:05",
// "2005-03-14", "2005-03" or "2005".
std::vector<TimeTick> TimeTicks(TimeSpan span, int maxTicks);

}  // namespace telvoran
