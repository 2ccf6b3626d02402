#include "core/chart/TimeTicks.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace telvoran {
namespace {

enum class Unit { Second, Minute, Hour, Day, Month, Year };

struct Step {
  Unit unit;
  int count;
  double approximateSeconds;
};

constexpr double kDay = 86'400;
constexpr double kMonth = 30.44 * kDay;
constexpr double kYear = 365.25 * kDay;

constexpr Step kSteps[] = {
    {Unit::Second, 1, 1},         {Unit::Second, 2, 2},         {Unit::Second, 5, 5},
    {Unit::Second, 10, 10},       {Unit::Second, 15, 15},       {Unit::Second, 30, 30},
    {Unit::Minute, 1, 60},        {Unit::Minute, 2, 120},       {Unit::Minute, 5, 300},
    {Unit::Minute, 10, 600},      {Unit::Minute, 15, 900},      {Unit::Minute, 30, 1800},
    {Unit::Hour, 1, 3600},        {Unit::Hour, 2, 7200},        {Unit::Hour, 3, 10800},
    {Unit::Hour, 4, 14400},       {Unit::Hour, 6, 21600},       {Unit::Hour, 8, 28800},
    {Unit::Hour, 12, 43200},      {Unit::Day, 1, kDay},         {Unit::Day, 2, 2 * kDay},
    {Unit::Day, 7, 7 * kDay},     {Unit::Day, 14, 14 * kDay},   {Unit::Month, 1, kMonth},
    {Unit::Month, 2, 2 * kMonth}, {Unit::Month, 3, 3 * kMonth}, {Unit::Month, 6, 6 * kMonth},
    {Unit::Year, 1, kYear},
};

// Years beyond the table: 2, 5, 10, 20, 50 ... years, up to a million.
Step YearStep(double length, int maxTicks) {
  int count = 1;
  for (int base = 1; base <= 1'000'000; base *= 10) {
    for (int candidate : {2 * base, 5 * base, 10 * base}) {
      count = candidate;
      if (length / (candidate * kYear) <= maxTicks) return {Unit::Year, count, count * kYear};
    }
  }
  return {Unit::Year, count, count * kYear};
}

std::string Label(ArchiveSeconds time, Unit unit) {
  const DateTime t = ToDateTime(time);
  char text[40];
  switch (unit) {
    case Unit::Second:
      std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day,
                    t.hour, t.minute, t.second);
      break;
    case Unit::Minute:
    case Unit::Hour:
      std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", t.year, t.month, t.day, t.hour,
                    t.minute);
      break;
    case Unit::Day:
      std::snprintf(text, sizeof text, "%04d-%02d-%02d", t.year, t.month, t.day);
      break;
    case Unit::Month:
      std::snprintf(text, sizeof text, "%04d-%02d", t.year, t.month);
      break;
    case Unit::Year:
      std::snprintf(text, sizeof text, "%04d", t.year);
      break;
  }
  return text;
}

// Steps of fixed length count from 2000-01-01 00:00:00, a midnight, so hours fall on the
// hour and days on midnight.
void FixedTicks(TimeSpan span, ArchiveSeconds stepSeconds, Unit unit,
                std::vector<TimeTick>& ticks) {
  const double first = std::ceil(span.from / static_cast<double>(stepSeconds));
  for (auto n = static_cast<ArchiveSeconds>(first); static_cast<double>(n * stepSeconds) <= span.to;
       ++n)
    ticks.push_back({n * stepSeconds, Label(n * stepSeconds, unit)});
}

// Months and years: the first day of every `months`-th month, counted from January 2000.
void CalendarTicks(TimeSpan span, int months, Unit unit, std::vector<TimeTick>& ticks) {
  const DateTime start = ToDateTime(static_cast<ArchiveSeconds>(std::floor(span.from)));
  int index = (start.year - 2000) * 12 + (start.month - 1);
  index -= ((index % months) + months) % months;
  for (;; index += months) {
    const int year = 2000 + (index >= 0 ? index / 12 : (index - 11) / 12);
    const int month = index - (year - 2000) * 12 + 1;
    const ArchiveSeconds time = ToArchiveSeconds({year, month, 1, 0, 0, 0});
    if (static_cast<double>(time) > span.to) break;
    if (static_cast<double>(time) >= span.from) ticks.push_back({time, Label(time, unit)});
  }
}

// The ticks of `step` over `span`.
std::vector<TimeTick> TicksOf(TimeSpan span, const Step& step) {
  std::vector<TimeTick> ticks;
  switch (step.unit) {
    case Unit::Second:
    case Unit::Minute:
    case Unit::Hour:
    case Unit::Day:
      FixedTicks(span, static_cast<ArchiveSeconds>(step.approximateSeconds), step.unit, ticks);
      break;
    case Unit::Month:
      CalendarTicks(span, step.count, step.unit, ticks);
      break;
    case Unit::Year:
      CalendarTicks(span, 12 * step.count, step.unit, ticks);
      break;
  }
  return ticks;
}

}  // namespace

std::vector<TimeTick> TimeTicks(TimeSpan span, int maxTicks) {
  maxTicks = std::max(maxTicks, 1);
  if (!std::isfinite(span.from) || !std::isfinite(span.to) || span.to < span.from) return {};
  // A step a little too fine by its length may still fit by where its ticks fall: 25 hours
  // hold only four 6-hour ticks when the span starts after 06:00. Those are counted; steps far
  // too fine are not even tried.
  for (const Step& step : kSteps) {
    const double steps = span.Length() / step.approximateSeconds;
    if (steps > maxTicks + 2) continue;
    std::vector<TimeTick> ticks = TicksOf(span, step);
    if (steps <= maxTicks || static_cast<int>(ticks.size()) <= maxTicks) return ticks;
  }
  return TicksOf(span, YearStep(span.Length(), maxTicks));
}

}  // namespace telvoran
