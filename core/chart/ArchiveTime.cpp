#include "core/chart/ArchiveTime.h"

#include <chrono>
#include <cstdio>
#include <cstring>

#include "core/archive/RecordLayout.h"

namespace telvoran {
namespace {

constexpr ArchiveSeconds kSecondsPerDay = 86'400;
constexpr int kDateTimeFields = static_cast<int>(kDateTimeBytes);

constexpr std::chrono::sys_days kEpoch =
    std::chrono::year_month_day(std::chrono::year(2000), std::chrono::January, std::chrono::day(1));

bool InRange(int value, int low, int high) {
  return value >= low && value <= high;
}

}  // namespace

std::optional<ArchiveSeconds> RecordTime(const unsigned char* bytes) {
  const int hour = DecodedByte(bytes[3]);
  const int minute = DecodedByte(bytes[4]);
  const int second = DecodedByte(bytes[5]);
  if (!InRange(hour, 0, 23) || !InRange(minute, 0, 59) || !InRange(second, 0, 59))
    return std::nullopt;
  const ArchiveSeconds timeOfDay = hour * 3600 + minute * 60 + second;
  // Records one after another mostly share their day, and a chart asks this of every record:
  // each thread keeps the last day it checked and counted.
  thread_local unsigned char lastDay[3] = {};
  thread_local ArchiveSeconds lastDayStart = -1;
  if (lastDayStart >= 0 && std::memcmp(lastDay, bytes, 3) == 0) return lastDayStart + timeOfDay;
  const int year = DecodedByte(bytes[0]);
  const int month = DecodedByte(bytes[1]);
  const int day = DecodedByte(bytes[2]);
  if (!InRange(year, 0, 99) || !InRange(month, 1, 12) || !InRange(day, 1, 31)) return std::nullopt;
  const std::chrono::year_month_day date(std::chrono::year(kYearBase + year),
                                         std::chrono::month(static_cast<unsigned>(month)),
                                         std::chrono::day(static_cast<unsigned>(day)));
  if (!date.ok()) return std::nullopt;
  std::memcpy(lastDay, bytes, 3);
  lastDayStart = (std::chrono::sys_days(date) - kEpoch).count() * kSecondsPerDay;
  return lastDayStart + timeOfDay;
}

ArchiveSeconds ToArchiveSeconds(const DateTime& time) {
  const std::chrono::sys_days date = std::chrono::year_month_day(
      std::chrono::year(time.year), std::chrono::month(static_cast<unsigned>(time.month)),
      std::chrono::day(static_cast<unsigned>(time.day)));
  const ArchiveSeconds days = (date - kEpoch).count();
  return days * kSecondsPerDay + time.hour * 3600 + time.minute * 60 + time.second;
}

DateTime ToDateTime(ArchiveSeconds seconds) {
  ArchiveSeconds days = seconds / kSecondsPerDay;
  ArchiveSeconds rest = seconds % kSecondsPerDay;
  if (rest < 0) {
    rest += kSecondsPerDay;
    --days;
  }
  const std::chrono::year_month_day date(kEpoch + std::chrono::days(days));
  DateTime time;
  time.year = static_cast<int>(date.year());
  time.month = static_cast<int>(static_cast<unsigned>(date.month()));
  time.day = static_cast<int>(static_cast<unsigned>(date.day()));
  time.hour = static_cast<int>(rest / 3600);
  time.minute = static_cast<int>(rest / 60 % 60);
  time.second = static_cast<int>(rest % 60);
  return time;
}

std::string FormatArchiveTime(ArchiveSeconds seconds) {
  const DateTime time = ToDateTime(seconds);
  char text[40];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", time.year, time.month, time.day,
                time.hour, time.minute, time.second);
  return text;
}

}  // namespace telvoran
