#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace telvoran {

class StringLookup;

// A central unit's daily interval archives from one day to another, read as one view.
struct DaySpan {
  std::string unit;  // the two digits of the names, "07"
  std::string from;  // the first and last day chosen, "2005-03-14"; the files may begin later
  std::string to;    // and end earlier
  std::vector<std::filesystem::path> files;  // the days' files, oldest first
};

// The title of a span's view: text 111, the unit, text 311, the first day, text 312, the last
// day ("Interval memory, channel set 07, days 2005-03-14 to 2005-03-20").
std::string SpanViewTitle(const StringLookup& strings, const DaySpan& span);
// Its window caption: text 313, the unit, the first and the last day.
std::string SpanCaption(const StringLookup& strings, const DaySpan& span);

// How a day's interval header differs from the span's: the channel count, or each channel
// whose name or unit differs ("channel 2 P1 [bar] instead of T2 [deg]"); empty when it does not.
std::string HeaderDifference(const StringLookup& strings, std::string_view spanHeader,
                             std::string_view dayHeader);

// The file of the day after the one `file` holds, named as `file` is with the next day in place
// of its first ten characters, in the same folder; nothing when that day lies after `to` or the
// name holds no day.
std::optional<std::filesystem::path> NextDayFile(const std::filesystem::path& file,
                                                 std::string_view to);

// The files of days missing between two of the span's files that are there now, oldest first:
// a day's file looked for under the name of the day before the gap with its day in place, in
// that file's folder and, when the day after the gap lies in another, in that one too.
std::vector<std::filesystem::path> LateDayFiles(const DaySpan& span);

}  // namespace telvoran
