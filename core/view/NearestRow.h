#pragma once

#include <cstddef>
#include <optional>

#include "core/chart/ArchiveTime.h"

namespace telvoran {

struct ViewContent;

// The date and time of the record a view shows as row `row` of its shown rows; nothing when its
// date names no real moment.
std::optional<ArchiveSeconds> ShownRowTime(const ViewContent& content, std::size_t row);

// The shown row whose time lies nearest to `target`: of two equally near, the earlier in the
// list. Rows whose date names no moment are passed over; nothing when no shown row has a time.
// The rows need not be in time order (a filter or a day file written out of order leaves gaps
// and steps back), so every shown row is looked at.
std::optional<std::size_t> NearestShownRow(const ViewContent& content, ArchiveSeconds target);

// Whether a view sorted by `sortColumn` lists its rows by date and time.
inline bool SortedByDate(int sortColumn) {
  return sortColumn == 1;
}

}  // namespace telvoran
