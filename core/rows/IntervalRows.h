#pragma once

#include <span>
#include <string_view>

#include "core/archive/ArchiveRecord.h"
#include "core/sort/RowText.h"

namespace telvoran {

inline constexpr int kIntervalSortColumns = 5;
// Where the date and time of an interval record begin.
inline constexpr std::size_t kIntervalDateTimeByte = 0;

// The row of an interval record for a view sorted by `sortColumn` (1 date and time, 2 to 5
// channels 1 to 4): the date and time, seven spaces, then for each of the first
// `channelCount` channels its five value characters and eleven spaces; for a channel column
// the channel's value is copied in front as the sort prefix.
void IntervalRow(const ArchiveRecord& record, int channelCount, int sortColumn, RowText& row);
RowText IntervalRow(const ArchiveRecord& record, int channelCount, int sortColumn);

// The beginning of the stored row of an interval record, built without the channel columns:
// the sort prefix, and as much of the date and time after it as makes `length` characters at
// least (AppendDateTimeBeginning()). False when the prefix cannot be told that way (a date
// wider than 20 characters moves the values, a channel the rows do not show has none); `head`
// is then undefined and the whole row must be built.
bool IntervalStoredHead(const ArchiveRecord& record, int channelCount, int sortColumn,
                        std::size_t length, RowText& head);

// The first `length` characters of the stored row of an interval record sorted by a channel,
// written to `out` (room for kQuickHeadRoom) straight from the record's bytes, for a record whose
// head IntervalStoredHead() builds, when `length` reaches no further than the date and time after
// the prefix. Returns the length of the sort prefix; -1 for other records, columns and lengths,
// whose head must be built.
int IntervalQuickHead(const ArchiveRecord& record, int channelCount, int sortColumn,
                      std::size_t length, char* out);

// The most characters of a row the sort prefix of `sortColumn` copies: a channel's value, or
// none for the date and time.
std::size_t IntervalPrefixWidth(int sortColumn);

// The text drawn, printed and saved for a stored interval row: without its sort prefix and,
// when sorted by a channel, without its last space.
std::string_view IntervalDisplayText(std::string_view stored, int sortColumn);

// The length of IntervalDisplayText() of the record's row, found without building the row.
std::size_t IntervalDisplayWidth(const ArchiveRecord& record, int channelCount, int sortColumn);
// The largest IntervalDisplayWidth() among the records; 0 without records.
std::size_t IntervalWidestDisplayWidth(std::span<const ArchiveRecord> records, int channelCount,
                                       int sortColumn);

}  // namespace telvoran
