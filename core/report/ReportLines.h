#pragma once

#include <array>
#include <string>
#include <string_view>

#include "core/rows/EventColumns.h"

namespace telvoran {

// The heading lines shared by the text report and the printout of a data view. Captions and
// results are Windows-1250 byte strings; columns below count from 1.

// 92 hyphens: the rule above and below the column titles.
std::string ReportRule();

// The interval view's column titles from the captions of its panels 1 to 5 (date and time,
// channels 1 to 4): the date and time title centred in columns 1 to 20, then each channel title
// cut and filled to 13 characters from columns 24, 39, 54 and 69.
std::string IntervalColumnTitleLine(const std::array<std::string_view, 5>& captions);

// The event view's column titles from the captions of its panels 1 to 7 (date and time, central
// unit, channel, medium, value, unit, situation): each title over the row field it names, the
// situation title (cut to 20 characters) roughly centred from column 54.
std::string EventColumnTitleLine(
    const std::array<std::string_view, kEventColumns.size()>& captions);

// "<>" under the middle of the sorted column's field; empty for a column the view lacks.
std::string IntervalSortMarkLine(int sortColumn);
std::string EventSortMarkLine(int sortColumn);

}  // namespace telvoran
