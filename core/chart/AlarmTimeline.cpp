#include "core/chart/AlarmTimeline.h"

#include <algorithm>
#include <cstring>

#include "core/rows/EventRows.h"

namespace telvoran {
namespace {

bool SameEvent(const TimelineEvent& a, const TimelineEvent& b) {
  return a.time == b.time && a.fields == b.fields;
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
  if (lane.events.empty() || time > span_.to) return std::nullopt;
  const auto after =
      std::upper_bound(lane.events.begin(), lane.events.end(), time,
                       [](double t, const TimelineEvent& event) { return t < event.time; });
  if (after == lane.events.begin()) return std::nullopt;
  return static_cast<std::size_t>(after - lane.events.begin() - 1);
}

void AlarmTimelineBuilder::Add(const ArchiveRecord& record) {
  const std::optional<ArchiveSeconds> time =
      RecordTime(record.bytes.data() + event_field::kDateTime);
  if (!time) {
    ++timeline_.recordsWithoutTime_;
    return;
  }
  const LaneKey key{DecodedByte(record.bytes[event_field::kCentralAddress]),
                    record.bytes[event_field::kChannel]};
  TimelineEvent event;
  event.time = *time;
  event.code = static_cast<char>(record.bytes[event_field::kSituation]);
  std::memcpy(event.fields.data(), record.bytes.data(), kEventFieldBytes);
  events_[key].push_back(event);
}

AlarmTimeline AlarmTimelineBuilder::Finish() && {
  auto earlier = [](const TimelineEvent& a, const TimelineEvent& b) { return a.time < b.time; };
  for (auto& [key, events] : events_) {
    // Archives are written in time order; a clock set back leaves a lane out of order. Equal
    // times keep their order in the file.
    if (!std::is_sorted(events.begin(), events.end(), earlier))
      std::stable_sort(events.begin(), events.end(), earlier);
    Lane& lane = timeline_.lanes_.emplace_back();
    lane.key = key;
    for (const TimelineEvent& event : events) {
      // A repeat has its original's moment: it is left out when any event of that moment
      // already in the lane is the same.
      const auto repeat = std::find_if(
          lane.events.rbegin(), lane.events.rend(),
          [&](const TimelineEvent& e) { return e.time != event.time || SameEvent(e, event); });
      if (repeat != lane.events.rend() && SameEvent(*repeat, event)) continue;
      lane.events.push_back(event);
    }
    std::vector<TimelineEvent>().swap(events);
    lane.times.reserve(lane.events.size());
    lane.fills.reserve(lane.events.size());
    for (const TimelineEvent& event : lane.events) {
      lane.times.push_back(event.time);
      lane.fills.push_back(LaneFill(event.code));
    }
  }
  events_.clear();
  const std::vector<Lane>& lanes = timeline_.lanes_;
  if (!lanes.empty()) {
    auto earliest = lanes.front().times.front();
    auto latest = lanes.front().times.back();
    for (const Lane& lane : lanes) {
      earliest = std::min(earliest, lane.times.front());
      latest = std::max(latest, lane.times.back());
    }
    timeline_.span_ = {static_cast<double>(earliest), static_cast<double>(latest)};
  }
  return std::move(timeline_);
}

ArchiveRecord EventRecordOf(const TimelineEvent& event) {
  ArchiveRecord record;
  std::memcpy(record.bytes.data(), event.fields.data(), kEventFieldBytes);
  SetKind(record, kEventKind);
  return record;
}

}  // namespace telvoran
