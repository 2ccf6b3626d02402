#include "core/plant/DailySummary.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

#include "core/archive/ArchiveFile.h"
#include "core/chart/ChartReading.h"
#include "core/plant/CollectedFailures.h"
#include "core/rows/RowReading.h"

namespace telvoran {
namespace {

constexpr ArchiveSeconds kDay = 86400;
constexpr std::string_view kSituationOrder = "GLHMWOF";

bool Cancelled(const std::atomic<bool>* cancel) {
  return cancel && cancel->load(std::memory_order_relaxed);
}

class Summarizer {
 public:
  Summarizer(const SummaryFiles& files, const StringLookup& strings)
      : files_(files), file_(strings, failures_) {
    summary_.unit = files.unit;
    summary_.firstDay = files.firstDay;
    summary_.lastDay = files.lastDay;
  }

  void AddDayFile(const std::filesystem::path& path) {
    const std::optional<IntervalSeries> series = ReadIntervalSeries(file_, path, kReloadMessages);
    if (!series) {
      summary_.unreadable.emplace_back(path, failures_.Take());
      return;
    }
    std::vector<std::size_t> columns;
    for (int c = 0; c < series->ChannelCount(); ++c)
      columns.push_back(ColumnOf(series->Channel(c)));
    const std::span<const CompactSeconds> times = series->Times();
    SummaryDay* day = nullptr;
    for (std::size_t i = 0; i < times.size(); ++i) {
      if (!InSpan(times[i])) continue;
      if (!day || day->day != DayOf(times[i])) day = &Day(times[i]);
      for (int c = 0; c < series->ChannelCount(); ++c) {
        const float value = series->Values(c)[i];
        if (std::isnan(value)) continue;
        day->channels[columns[static_cast<std::size_t>(c)]].Add(value, times[i]);
      }
    }
  }

  void AddEventFile(const std::filesystem::path& path) {
    const std::optional<AlarmTimeline> timeline = ReadAlarmTimeline(file_, path, kReloadMessages);
    if (!timeline) {
      summary_.unreadable.emplace_back(path, failures_.Take());
      return;
    }
    for (const Lane& lane : timeline->Lanes()) {
      if (lane.key.centralUnit != files_.unit) continue;
      for (const TimelineEvent& event : lane.events)
        if (InSpan(event.time)) ++Day(event.time).alarms[event.code];
    }
  }

  DailySummary Finish(bool cancelled) && {
    summary_.cancelled = cancelled;
    std::string others;
    for (auto& [midnight, day] : days_) {
      day.channels.resize(summary_.channels.size());
      for (const auto& alarm : day.alarms)
        if (others.find(alarm.first) == std::string::npos) others += alarm.first;
      summary_.days.push_back(std::move(day));
    }
    std::string ordered;
    for (char code : kSituationOrder)
      if (others.find(code) != std::string::npos) ordered += code;
    std::erase_if(others,
                  [](char code) { return kSituationOrder.find(code) != std::string::npos; });
    std::sort(others.begin(), others.end());
    summary_.situations = ordered + others;
    return std::move(summary_);
  }

 private:
  bool InSpan(ArchiveSeconds time) const {
    return time >= files_.firstDay && time < files_.lastDay + kDay;
  }

  SummaryDay& Day(ArchiveSeconds time) {
    SummaryDay& day = days_[DayOf(time)];
    day.day = DayOf(time);
    if (day.channels.size() < summary_.channels.size())
      day.channels.resize(summary_.channels.size());
    return day;
  }

  std::size_t ColumnOf(const ChannelInfo& channel) {
    const auto key = std::make_pair(channel.name, channel.unit);
    const auto [it, added] = columns_.try_emplace(key, summary_.channels.size());
    if (added) {
      summary_.channels.push_back({channel.name, channel.unit, channel.decimals, channel.comma});
      for (auto& [midnight, day] : days_) day.channels.resize(summary_.channels.size());
    } else {
      SummaryChannel& known = summary_.channels[it->second];
      known.decimals = std::max(known.decimals, channel.decimals);
    }
    return it->second;
  }

  const SummaryFiles& files_;
  CollectedFailures failures_;
  ArchiveFile file_;
  DailySummary summary_;
  std::map<ArchiveSeconds, SummaryDay> days_;
  std::map<std::pair<std::string, std::string>, std::size_t> columns_;
};

}  // namespace

void ChannelDay::Add(double value, ArchiveSeconds time) {
  if (count == 0 || value < minimum) {
    minimum = value;
    minimumTime = time;
  }
  if (count == 0 || value > maximum) {
    maximum = value;
    maximumTime = time;
  }
  sum += value;
  ++count;
}

DailySummary SummarizeDays(const SummaryFiles& files, const StringLookup& strings,
                           const std::atomic<bool>* cancel) {
  Summarizer summarizer(files, strings);
  for (const std::filesystem::path& path : files.dayFiles) {
    if (Cancelled(cancel)) return std::move(summarizer).Finish(true);
    summarizer.AddDayFile(path);
  }
  for (const std::filesystem::path& path : files.eventFiles) {
    if (Cancelled(cancel)) return std::move(summarizer).Finish(true);
    summarizer.AddEventFile(path);
  }
  return std::move(summarizer).Finish(false);
}

}  // namespace telvoran
