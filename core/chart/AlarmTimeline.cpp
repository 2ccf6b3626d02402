#include "core/chart/AlarmTimeline.h"

#include <algorithm>
#include <cstring>
#include <tuple>
#include <utility>

#include "core/rows/EventRows.h"
#include "core/sort/SideBySide.h"
#include "core/text/StringIds.h"
#include "core/work/WorkProgress.h"

namespace telvoran {
namespace {

constexpr std::size_t kLaneKeys = std::size_t{1} << 16;
constexpr std::uint32_t kNoLane = ~std::uint32_t{0};
// Archives from this many records on have their timelines built on two threads.
constexpr std::size_t kTwoThreadsFrom = std::size_t{1} << 16;
// Progress is told, and a stop looked for, every this many records.
constexpr std::size_t kTellEvery = std::size_t{1} << 16;

// The lane of a record as one number that orders the lanes as their keys do.
std::size_t LaneNumber(const ArchiveRecord& record) {
  return std::size_t{record.bytes[event_field::kCentralAddress]} << 8 |
         record.bytes[event_field::kChannel];
}

std::optional<ArchiveSeconds> EventTime(const ArchiveRecord& record) {
  return RecordTime(record.bytes.data() + event_field::kDateTime);
}

// Two events are the same when their fields are: the fields hold the date and time.
bool SameFields(const ArchiveRecord& a, const ArchiveRecord& b) {
  return std::memcmp(a.bytes.data(), b.bytes.data(), kEventFieldBytes) == 0;
}

}  // namespace

char LaneFill(char situationCode) {
  const char digit = SituationColourDigit(situationCode);
  return digit >= '0' && digit <= '4' ? digit : '\0';
}

EventSpan AlarmTimeline::SpanOf(const Lane& lane, std::size_t event) const {
  // From the compact times: drawing asks this once per pixel column of every lane.
  const bool last = event + 1 >= lane.times.size();
  const ArchiveSeconds from = lane.times[event];
  return {from, last ? std::max(from, End()) : lane.times[event + 1], last};
}

std::optional<std::size_t> AlarmTimeline::EventAt(const Lane& lane, double time) const {
  if (lane.times.empty() || time > span_.to) return std::nullopt;
  const auto after =
      std::upper_bound(lane.times.begin(), lane.times.end(), time,
                       [](double t, CompactSeconds eventTime) { return t < eventTime; });
  if (after == lane.times.begin()) return std::nullopt;
  return static_cast<std::size_t>(after - lane.times.begin() - 1);
}

TimelineEvent LaneEvents::operator[](std::size_t event) const {
  const ArchiveRecord& record = all_[records_[event]];
  TimelineEvent made;
  made.time = EventTime(record).value_or(0);
  made.code = static_cast<char>(record.bytes[event_field::kSituation]);
  std::memcpy(made.fields.data(), record.bytes.data(), kEventFieldBytes);
  return made;
}

// Two passes over the records: the first counts each lane's events, so that the second puts
// them straight into lanes of their final size, with nothing grown on the way. A long archive
// has each pass run on two threads, a half of the records each: the second half's events of a
// lane go after the first half's, as they lie in the file. The lanes are then finished on two
// threads, about half of the events each. The first half tells the progress of both passes, as
// the second goes at about its pace; finishing counts as a third pass.
AlarmTimeline AlarmTimelineOf(ArraySnapshot<ArchiveRecord> records, WorkProgress* progress) {
  AlarmTimeline timeline;
  const std::size_t size = records.Size();
  const std::size_t middle = size < kTwoThreadsFrom ? size : size / 2;
  if (progress) progress->Step(sid::kWorkTimeline, 3 * size);
  // Whether to go on with the pass `pass` at `index` of a half: false once asked to stop.
  auto goOn = [&](std::size_t pass, std::size_t index) {
    if (index % kTellEvery != 0 || !progress) return true;
    if (index < middle) progress->Done(pass * size + index * size / middle);
    return !progress->Cancelled();
  };
  struct Half {
    std::size_t from = 0;
    std::size_t to = 0;
    std::vector<std::uint32_t> counts = std::vector<std::uint32_t>(kLaneKeys);
    std::uint64_t withoutTime = 0;
  };
  Half first{0, middle};
  Half second{middle, size};
  auto count = [&](Half& half) {
    for (std::size_t index = half.from; index < half.to; ++index) {
      if (!goOn(0, index)) return;
      if (!EventTime(records[index])) {
        ++half.withoutTime;
        continue;
      }
      ++half.counts[LaneNumber(records[index])];
    }
  };
  auto onBoth = [&](auto work) {
    if (second.from == second.to) {
      work(first);
    } else {
      RunSideBySide([&] { work(first); }, [&] { work(second); });
    }
  };
  onBoth(count);
  if (StopAsked(progress)) return timeline;
  timeline.recordsWithoutTime_ = first.withoutTime + second.withoutTime;

  std::vector<std::uint32_t> laneOf(kLaneKeys, kNoLane);
  std::vector<Lane>& lanes = timeline.lanes_;
  for (std::size_t number = 0; number < kLaneKeys; ++number) {
    const std::uint32_t events = first.counts[number] + second.counts[number];
    if (events == 0) continue;
    laneOf[number] = static_cast<std::uint32_t>(lanes.size());
    Lane& lane = lanes.emplace_back();
    lane.key = {DecodedByte(static_cast<unsigned char>(number >> 8)),
                static_cast<unsigned char>(number & 0xFF)};
    lane.events.all_ = records;
    lane.events.records_.resize(events);
    lane.times.resize(events);
    lane.fills.resize(events);
    // From here on each half's counts say where its next event of the lane goes.
    second.counts[number] = first.counts[number];
    first.counts[number] = 0;
  }
  auto place = [&](Half& half) {
    for (std::size_t index = half.from; index < half.to; ++index) {
      if (!goOn(1, index)) return;
      const std::optional<ArchiveSeconds> time = EventTime(records[index]);
      if (!time) continue;
      const std::size_t number = LaneNumber(records[index]);
      Lane& lane = lanes[laneOf[number]];
      const std::uint32_t at = half.counts[number]++;
      lane.events.records_[at] = static_cast<std::uint32_t>(index);
      lane.times[at] = static_cast<CompactSeconds>(*time);
      // Told here, where the records are read as they lie: a lane's records lie far apart.
      lane.fills[at] = LaneFill(static_cast<char>(records[index].bytes[event_field::kSituation]));
    }
  };
  onBoth(place);
  if (StopAsked(progress)) return timeline;
  if (progress) progress->Done(2 * size);

  // Puts a lane's events in time order and leaves out repeats.
  auto finishLane = [&records](Lane& lane) {
    std::vector<std::uint32_t>& indexes = lane.events.records_;
    std::vector<CompactSeconds>& times = lane.times;
    // Archives are written in time order; a clock set back leaves a lane out of order. Equal
    // times keep their order in the file.
    if (!std::is_sorted(times.begin(), times.end())) {
      std::vector<std::pair<CompactSeconds, std::uint32_t>> events(times.size());
      for (std::size_t i = 0; i < times.size(); ++i) events[i] = {times[i], indexes[i]};
      std::stable_sort(events.begin(), events.end(),
                       [](const auto& a, const auto& b) { return a.first < b.first; });
      for (std::size_t i = 0; i < times.size(); ++i) {
        std::tie(times[i], indexes[i]) = events[i];
        lane.fills[i] =
            LaneFill(static_cast<char>(records[indexes[i]].bytes[event_field::kSituation]));
      }
    }
    // A repeat has its original's moment: it is left out when any event of that moment already
    // in the lane is the same.
    std::size_t kept = 0;
    for (std::size_t i = 0; i < times.size(); ++i) {
      bool repeat = false;
      for (std::size_t k = kept; k > 0 && times[k - 1] == times[i] && !repeat; --k)
        repeat = SameFields(records[indexes[k - 1]], records[indexes[i]]);
      if (repeat) continue;
      times[kept] = times[i];
      indexes[kept] = indexes[i];
      lane.fills[kept] = lane.fills[i];
      ++kept;
    }
    if (kept < times.size()) {
      times.resize(kept);
      indexes.resize(kept);
      lane.fills.resize(kept);
      times.shrink_to_fit();
      indexes.shrink_to_fit();
      lane.fills.shrink_to_fit();
    }
  };
  std::size_t firstLanes = 0;
  for (std::size_t events = 0; firstLanes < lanes.size() && 2 * events < size; ++firstLanes)
    events += lanes[firstLanes].times.size();
  auto finish = [&](std::size_t from, std::size_t to) {
    for (std::size_t lane = from; lane < to && !StopAsked(progress); ++lane) finishLane(lanes[lane]);
  };
  if (size < kTwoThreadsFrom) {
    finish(0, lanes.size());
  } else {
    RunSideBySide([&] { finish(0, firstLanes); }, [&] { finish(firstLanes, lanes.size()); });
  }

  if (StopAsked(progress)) return timeline;
  if (!lanes.empty()) {
    CompactSeconds earliest = lanes.front().times.front();
    CompactSeconds latest = lanes.front().times.back();
    for (const Lane& lane : lanes) {
      earliest = std::min(earliest, lane.times.front());
      latest = std::max(latest, lane.times.back());
    }
    timeline.span_ = {static_cast<double>(earliest), static_cast<double>(latest)};
  }
  return timeline;
}

ArchiveRecord EventRecordOf(const TimelineEvent& event) {
  ArchiveRecord record;
  std::memcpy(record.bytes.data(), event.fields.data(), kEventFieldBytes);
  for (int i = 0; i < 4; ++i)
    record.bytes[36 + static_cast<std::size_t>(i)] =
        static_cast<unsigned char>(kEventKind >> (8 * i));
  return record;
}

}  // namespace telvoran
