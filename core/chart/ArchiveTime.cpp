#include "core/chart/ArchiveTime.h"

#include <chrono>
#include <cstdio>

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
  int fields[kDateTimeFields];
  for (int i = 0; i < kDateTimeFields; ++i) fields[i] = DecodedByte(bytes[i]);
  const DateTime time{kYearBase + fields[0], fields[1], fields[2], fields[3], fields[4], fields[5]};
  if (!InRange(fields[0], 0, 99) || !InRange(time.hour, 0, 23) || !InRange(time.minute, 0, 59) ||
      !InRange(time.second, 0, 59) || !InRange(time.month, 1, 12) || !InRange(time.day, 1, 31))
    return std::nullopt;
  const std::chrono::year_month_day date(std::chrono::year(time.year),
                                         std::chrono::month(static_cast<unsigned>(time.month)),
                                         std::chrono::day(static_cast<unsigned>(time.day)));
  if (!date.ok()) return std::nullopt;
  return ToArchiveSeconds(time);
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
