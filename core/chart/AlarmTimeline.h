#pragma once

#include <array>
#include <compare>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/archive/ArchiveRecord.h"
#include "core/chart/ArchiveTime.h"
#include "core/chart/ColumnIterator.h"
#include "core/sort/LargeArray.h"

namespace telvoran {

// A lane of the alarm timeline: one central unit and one of its channels, as the record's
// address and channel bytes give them.
struct LaneKey {
  int centralUnit = 0;  // the decoded address
  unsigned char channel = 0;

  friend auto operator<=>(const LaneKey&, const LaneKey&) = default;
};

// The event fields a row is built from: bytes 0 to 21 of the record.
inline constexpr std::size_t kEventFieldBytes = event_field::kFieldsEnd;

struct TimelineEvent {
  ArchiveSeconds time = 0;
  char code = 0;  // the situation code
  std::array<unsigned char, kEventFieldBytes> fields{};
};

class AlarmTimeline;
class WorkProgress;

// A lane's events in time order, made from their records when asked for: the lane keeps only
// which records they are.
class LaneEvents {
 public:
  std::size_t size() const { return records_.size(); }
  bool empty() const { return records_.empty(); }
  TimelineEvent operator[](std::size_t event) const;
  ColumnIterator<LaneEvents, TimelineEvent> begin() const { return {this, 0}; }
  ColumnIterator<LaneEvents, TimelineEvent> end() const { return {this, size()}; }

 private:
  friend AlarmTimeline AlarmTimelineOf(ArraySnapshot<ArchiveRecord>, WorkProgress*);
  ArraySnapshot<ArchiveRecord> all_;
  std::vector<std::uint32_t> records_;
};

struct Lane {
  LaneKey key;
  LaneEvents events;  // in time order; equal times keep their order in the file
  // The same events' times and fills side by side, compact for drawing the lane.
  std::vector<CompactSeconds> times;
  std::vector<char> fills;  // see LaneFill
};

// The fill of an event of `situationCode`: its row's colour digit, '0' to '4', or zero for the
// situations drawn on the window background (O, F and codes outside the table).
char LaneFill(char situationCode);

// A lane's event and the time until which its situation lasts: the next event of the lane, or
// for the lane's last event the end of the archive (the time of its latest record).
struct EventSpan {
  ArchiveSeconds from = 0;
  ArchiveSeconds to = 0;
  bool lastOfLane = false;
};

// The events of an event archive in lanes, sorted by central unit and channel, built once per
// timeline. Records that repeat an earlier record of their lane exactly are left out, as the
// event view shows them once.
class AlarmTimeline {
 public:
  const std::vector<Lane>& Lanes() const { return lanes_; }
  // From the earliest event to the latest; nothing for a timeline without events.
  TimeSpan FullSpan() const { return span_; }
  ArchiveSeconds End() const { return static_cast<ArchiveSeconds>(span_.to); }
  std::uint64_t RecordsWithoutTime() const { return recordsWithoutTime_; }

  EventSpan SpanOf(const Lane& lane, std::size_t event) const;
  // The event of `lane` whose situation holds at `time`: the last one at or before it, as long
  // as `time` lies within the timeline.
  std::optional<std::size_t> EventAt(const Lane& lane, double time) const;

 private:
  friend AlarmTimeline AlarmTimelineOf(ArraySnapshot<ArchiveRecord>, WorkProgress*);
  std::vector<Lane> lanes_;
  TimeSpan span_;
  std::uint64_t recordsWithoutTime_ = 0;
};

// The timeline of the event records `records` (kind 33), shared with the view they came from
// rather than copied: a few bytes an event are kept beside them. A record whose time is no real
// moment is counted and left out. The building tells `progress` how far it has come; once that is
// asked to stop, what is returned is unfinished and only to be thrown away.
AlarmTimeline AlarmTimelineOf(ArraySnapshot<ArchiveRecord> records,
                              WorkProgress* progress = nullptr);

// Builds a timeline from event records read one by one; they are kept as they come.
class AlarmTimelineBuilder {
 public:
  void Add(const ArchiveRecord& record) { records_.PushBack(record); }
  AlarmTimeline Finish(WorkProgress* progress = nullptr) && {
    return AlarmTimelineOf(records_.Snapshot(), progress);
  }

 private:
  SharedLargeArray<ArchiveRecord> records_;
};

// The record an event came from, as far as a row needs it: its fields and the event kind.
ArchiveRecord EventRecordOf(const TimelineEvent& event);

}  // namespace telvoran
