#include "core/archive/DateTime.h"

namespace telvoran {

using namespace std::chrono;

bool IsValidDateTime(const DateTime& time) {
  if (time.month < 1 || time.month > 12 || time.day < 1 || time.day > 31) return false;
  const year_month_day date{year{time.year}, month{static_cast<unsigned>(time.month)},
                            day{static_cast<unsigned>(time.day)}};
  return date.ok() && time.hour >= 0 && time.hour < 24 && time.minute >= 0 && time.minute < 60 &&
         time.second >= 0 && time.second < 60;
}

sys_seconds ToSysSeconds(const DateTime& time) {
  const sys_days date = year_month_day{year{time.year}, month{static_cast<unsigned>(time.month)},
                                       day{static_cast<unsigned>(time.day)}};
  return date + hours{time.hour} + minutes{time.minute} + seconds{time.second};
}

DateTime FromSysSeconds(sys_seconds time) {
  const sys_days date = floor<days>(time);
  const year_month_day ymd{date};
  const hh_mm_ss clock{time - date};
  return DateTime{int{ymd.year()},
                  static_cast<int>(unsigned{ymd.month()}),
                  static_cast<int>(unsigned{ymd.day()}),
                  static_cast<int>(clock.hours().count()),
                  static_cast<int>(clock.minutes().count()),
                  static_cast<int>(clock.seconds().count())};
}

DateTime AddSeconds(const DateTime& time, std::int64_t seconds) {
  return FromSysSeconds(ToSysSeconds(time) + std::chrono::seconds{seconds});
}

}  // namespace telvoran
