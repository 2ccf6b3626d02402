#pragma once

#include <string_view>

namespace telvoran {

// The two kinds of archive, told by their file names; rows, views, reports and charts of an
// archive all go by it.
enum class ArchiveKind { Interval, Event, Other };

// The kind of archive a file name stands for: exactly ".czt" or ".zdr" from the last point of
// the name on; any other form, upper case included, is another kind.
ArchiveKind ArchiveKindOfName(std::string_view fileName);

}  // namespace telvoran
