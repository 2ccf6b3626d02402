#pragma once

#include <string>
#include <vector>

#include "core/chart/ArchiveTime.h"
#include "core/chart/IntervalSeries.h"
#include "support/ArchiveRecords.h"

namespace telvoran::test {

// The six date and time bytes of a moment, as a record holds them.
inline std::string DateBytesOf(ArchiveSeconds seconds) {
  const DateTime t = ToDateTime(seconds);
  return DateBytes(t.year - 2000, t.month, t.day, t.hour, t.minute, t.second);
}

// The header text of an interval archive with `channels` channels named "Ck" in unit "Uk".
inline std::string IntervalHeaderText(char channels) {
  std::string text;
  for (const ArchiveRecord& record : IntervalHeader(channels)) text += record.RecordText();
  return text;
}

// An interval record at `seconds` whose values are `values`, five characters per channel.
inline ArchiveRecord IntervalRecordAt(ArchiveSeconds seconds, const std::string& values) {
  return MakeRecord(DateBytesOf(seconds) + values, kIntervalKind);
}

// A series of one channel, one record a minute from 2005-03-14 00:00:00, with the value texts
// given (each padded to five characters).
inline IntervalSeries OneChannelSeries(const std::vector<std::string>& values) {
  IntervalSeriesBuilder builder(IntervalHeaderText('1'));
  const ArchiveSeconds start = ToArchiveSeconds({2005, 3, 14, 0, 0, 0});
  for (std::size_t i = 0; i < values.size(); ++i) {
    std::string value = values[i];
    value.resize(5, ' ');
    builder.Add(IntervalRecordAt(start + 60 * static_cast<ArchiveSeconds>(i), value));
  }
  return std::move(builder).Finish();
}

inline ArchiveSeconds SeriesStart() {
  return ToArchiveSeconds({2005, 3, 14, 0, 0, 0});
}

}  // namespace telvoran::test
