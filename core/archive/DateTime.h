#pragma once

#include <chrono>
#include <cstdint>

namespace telvoran {

// A civil date and time as an archive record stores it, to the second.
struct DateTime {
  int year = 2000;
  int month = 1;
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;

  friend bool operator==(const DateTime&, const DateTime&) = default;
};

// True for a real calendar date and a time of day from 00:00:00 to 23:59:59.
bool IsValidDateTime(const DateTime& time);

std::chrono::sys_seconds ToSysSeconds(const DateTime& time);
DateTime FromSysSeconds(std::chrono::sys_seconds time);
DateTime AddSeconds(const DateTime& time, std::int64_t seconds);

}  // namespace telvoran
