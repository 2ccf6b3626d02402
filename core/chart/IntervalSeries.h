#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/archive/ArchiveRecord.h"
#include "core/chart/ArchiveTime.h"
#include "core/chart/ValueBlocks.h"

namespace telvoran {

// One measuring channel of an interval archive as its header names it (Windows-1250, without
// the spaces that pad the fields), and how its values are written.
struct ChannelInfo {
  std::string name;
  std::string unit;
  int decimals = 0;    // the most digits after the decimal sign among its values
  bool comma = false;  // most of its values are written with a decimal comma
};

// The records of an interval archive as numbers, built once per chart: the records' times in
// ascending order (records of equal time keep their order in the file) and, for each channel,
// one value per record, NaN where the value is blank or not a number.
class IntervalSeries {
 public:
  std::size_t Size() const { return times_.size(); }
  std::span<const ArchiveSeconds> Times() const { return times_; }

  int ChannelCount() const { return static_cast<int>(channels_.size()); }
  // Channels count from 0 here: channel 0 is the archive's channel 1.
  const ChannelInfo& Channel(int channel) const { return channels_[Index(channel)]; }
  std::span<const float> Values(int channel) const { return values_[Index(channel)]; }
  // The positions of the values that are not numbers, ascending.
  std::span<const std::uint32_t> Gaps(int channel) const { return gaps_[Index(channel)]; }
  // True when a value that is not a number lies strictly between positions `first` and `last`.
  bool HasGapBetween(int channel, std::size_t first, std::size_t last) const;
  // True when the recording paused between positions `first` and `last`: two neighbouring
  // records in between lie more than kPauseSteps usual steps apart (the usual step being the
  // median time between neighbouring records). A line across such a pause would draw values
  // that were never measured.
  bool HasPauseBetween(std::size_t first, std::size_t last) const;
  static constexpr int kPauseSteps = 5;
  // What the channel's values at positions `first` up to, not including, `last` hold, from the
  // index built with the series.
  ValueSummary Summarize(int channel, std::size_t first, std::size_t last) const {
    return blocks_[Index(channel)].Summarize(Values(channel), first, last);
  }

  // From the first record's time to the last one's; nothing for an archive without records.
  TimeSpan FullSpan() const;
  // Records left out because their date and time name no real moment.
  std::uint64_t RecordsWithoutTime() const { return recordsWithoutTime_; }

 private:
  friend class IntervalSeriesBuilder;
  static std::size_t Index(int channel) { return static_cast<std::size_t>(channel); }

  std::vector<ArchiveSeconds> times_;
  std::vector<ChannelInfo> channels_;
  std::vector<std::vector<float>> values_;
  std::vector<std::vector<std::uint32_t>> gaps_;
  std::vector<std::uint32_t> pauses_;  // positions whose record follows a pause, ascending
  std::vector<ValueBlocks> blocks_;
  std::uint64_t recordsWithoutTime_ = 0;
};

// Builds an interval series from the header of an interval archive and its records.
class IntervalSeriesBuilder {
 public:
  // The header names the channel count (0 to 4), each channel's name and unit.
  explicit IntervalSeriesBuilder(std::string_view intervalHeader);

  // Adds an interval record (kind 26); a record whose time is no real moment is counted and
  // left out.
  void Add(const ArchiveRecord& record);
  IntervalSeries Finish() &&;

 private:
  void FindPauses();
  IntervalSeries series_;
  std::vector<int> commaCounts_;
  std::vector<int> numberCounts_;
};

}  // namespace telvoran
