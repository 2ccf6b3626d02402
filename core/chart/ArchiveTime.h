#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/archive/DateTime.h"

namespace telvoran {

// A moment on an archive's own clock, in seconds from 2000-01-01 00:00:00. The archives hold
// wall-clock dates without a time zone, so every day has 86,400 seconds here: no zone or
// daylight saving rule shifts a record or its label.
using ArchiveSeconds = std::int64_t;
// A record's moment as a chart keeps it for each of millions of records: a record names a year
// from 2000 to 2099, so its seconds fit 32 bits without a sign.
using CompactSeconds = std::uint32_t;

// The moment named by six date and time bytes (year, month, day, hour, minute, second, each
// holding its number plus 10, the year counted from 2000), when they name a real moment of the
// years 2000 to 2099; nothing for a month 13, a 30 February, an hour 24 and the like.
std::optional<ArchiveSeconds> RecordTime(const unsigned char* bytes);

ArchiveSeconds ToArchiveSeconds(const DateTime& time);
DateTime ToDateTime(ArchiveSeconds seconds);

// "2005-03-14 08:05:00".
std::string FormatArchiveTime(ArchiveSeconds seconds);

// A stretch of time in (fractional) archive seconds, from `from` to `to`, both included.
struct TimeSpan {
  double from = 0;
  double to = 0;

  double Length() const { return to - from; }
  friend bool operator==(const TimeSpan&, const TimeSpan&) = default;
};

}  // namespace telvoran
