#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/archive/ArchiveRecord.h"
#include "core/chart/ArchiveTime.h"
#include "core/chart/ColumnIterator.h"
#include "core/chart/ValueBlocks.h"
#include "core/sort/LargeArray.h"

namespace telvoran {

// One measuring channel of an interval archive as its header names it (Windows-1250, without
// the spaces that pad the fields), and how its values are written.
struct ChannelInfo {
  std::string name;
  std::string unit;
  int decimals = 0;    // the most digits after the decimal sign among its values
  bool comma = false;  // most of its values are written with a decimal comma
};

class IntervalSeries;
class WorkProgress;

// One channel's values in time order, read from the records when asked for: NaN where the value
// is blank or not a number.
class ChannelValues {
 public:
  ChannelValues(const IntervalSeries& series, int channel) : series_(&series), channel_(channel) {}
  std::size_t size() const;
  float operator[](std::size_t position) const;
  ColumnIterator<ChannelValues, float> begin() const { return {this, 0}; }
  ColumnIterator<ChannelValues, float> end() const { return {this, size()}; }

 private:
  const IntervalSeries* series_;
  int channel_;
};

// The records of an interval archive as a chart draws them, made once per chart: the records'
// times in ascending order (records of equal time keep their order in the file) and, for each
// channel, one value per record. The records themselves are shared with the view they came
// from, not copied: a value is read from its record when asked for, and what is kept beside
// them is the times and an index of each channel's values, a few bytes a record.
class IntervalSeries {
 public:
  std::size_t Size() const { return times_.size(); }
  std::span<const CompactSeconds> Times() const { return times_; }

  int ChannelCount() const { return static_cast<int>(channels_.size()); }
  // Channels count from 0 here: channel 0 is the archive's channel 1.
  const ChannelInfo& Channel(int channel) const { return channels_[Index(channel)]; }
  ChannelValues Values(int channel) const { return {*this, channel}; }
  // The value of `channel` at `position`; NaN where it is not a number.
  float ValueAt(int channel, std::size_t position) const;
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
  friend IntervalSeries IntervalSeriesOf(std::string_view, ArraySnapshot<ArchiveRecord>,
                                         WorkProgress*);
  static std::size_t Index(int channel) { return static_cast<std::size_t>(channel); }
  void FindPauses();
  struct ValuesRead;
  static void ReadValues(const IntervalSeries& series, std::size_t from, std::size_t to,
                         ValuesRead& read, WorkProgress* progress);

  ArraySnapshot<ArchiveRecord> records_;
  // The record at each position, while that is not simply the position itself.
  std::vector<std::uint32_t> order_;
  std::vector<CompactSeconds> times_;
  std::vector<ChannelInfo> channels_;
  std::vector<std::vector<std::uint32_t>> gaps_;
  std::vector<std::uint32_t> pauses_;  // positions whose record follows a pause, ascending
  std::vector<ValueBlocks> blocks_;
  std::uint64_t recordsWithoutTime_ = 0;
};

// The series of the interval records `records` (kind 26) under `intervalHeader`, which names
// the channel count (0 to 4), each channel's name and unit. A record whose time is no real
// moment is counted and left out. The building tells `progress` how far it has come; once that is
// asked to stop, what is returned is unfinished and only to be thrown away.
IntervalSeries IntervalSeriesOf(std::string_view intervalHeader,
                                ArraySnapshot<ArchiveRecord> records,
                                WorkProgress* progress = nullptr);

// Builds an interval series from the header of an interval archive and its records, read one
// by one; they are kept as they come.
class IntervalSeriesBuilder {
 public:
  explicit IntervalSeriesBuilder(std::string_view intervalHeader) : header_(intervalHeader) {}

  void Add(const ArchiveRecord& record) { records_.PushBack(record); }
  IntervalSeries Finish(WorkProgress* progress = nullptr) && {
    return IntervalSeriesOf(header_, records_.Snapshot(), progress);
  }

 private:
  std::string header_;
  SharedLargeArray<ArchiveRecord> records_;
};

inline std::size_t ChannelValues::size() const {
  return series_->Size();
}
inline float ChannelValues::operator[](std::size_t position) const {
  return series_->ValueAt(channel_, position);
}

}  // namespace telvoran
