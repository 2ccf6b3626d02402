#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "core/chart/ArchiveTime.h"

namespace telvoran {

class StringLookup;

// What the daily summary is made from: the interval archives of one central unit (one a day,
// in any order) and the event archives whose alarms of that unit are counted, over the days
// from `firstDay` to `lastDay` (midnights, both included). Records and alarms outside those
// days are left out.
struct SummaryFiles {
  int unit = 0;
  ArchiveSeconds firstDay = 0;
  ArchiveSeconds lastDay = 0;
  std::vector<std::filesystem::path> dayFiles;
  std::vector<std::filesystem::path> eventFiles;
};

// One channel's values of one day. The times are those of the first record holding the least
// and the greatest value.
struct ChannelDay {
  std::uint32_t count = 0;
  double minimum = 0;
  double maximum = 0;
  double sum = 0;
  ArchiveSeconds minimumTime = 0;
  ArchiveSeconds maximumTime = 0;

  double Mean() const { return count ? sum / count : 0; }
  void Add(double value, ArchiveSeconds time);
};

// A channel of the summary: a name and unit as the headers give them (Windows-1250). Days whose
// header names other channels add columns rather than mixing another quantity into one.
struct SummaryChannel {
  std::string name;
  std::string unit;
  int decimals = 0;
  bool comma = false;
};

struct SummaryDay {
  ArchiveSeconds day = 0;  // its midnight
  // By channel of the summary; a channel without a value that day counts 0.
  std::vector<ChannelDay> channels;
  // Alarms of the unit that day, by situation code.
  std::map<char, std::uint32_t> alarms;
};

struct DailySummary {
  int unit = 0;
  ArchiveSeconds firstDay = 0;
  ArchiveSeconds lastDay = 0;
  std::vector<SummaryChannel> channels;
  // Days with a record or an alarm, in order.
  std::vector<SummaryDay> days;
  // The situation codes that occur, in the order of the situations' table, then others.
  std::string situations;
  // Files that could not be read, each with the failure's text (Windows-1250); what the other
  // files hold is summarized all the same.
  std::vector<std::pair<std::filesystem::path, std::string>> unreadable;
  bool cancelled = false;
};

// Reads the files and summarizes them. `cancel`, when set from another thread, stops the work
// between two files.
DailySummary SummarizeDays(const SummaryFiles& files, const StringLookup& strings,
                           const std::atomic<bool>* cancel = nullptr);

// The midnight of the day `time` lies in.
inline ArchiveSeconds DayOf(ArchiveSeconds time) {
  constexpr ArchiveSeconds kDay = 86400;
  return time >= 0 ? time / kDay * kDay : (time - kDay + 1) / kDay * kDay;
}

}  // namespace telvoran
