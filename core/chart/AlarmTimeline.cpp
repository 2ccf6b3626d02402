#include "core/chart/AlarmTimeline.h"

#include <algorithm>
#include <cstring>

#include "core/rows/EventRows.h"

namespace telvoran {
namespace {

constexpr std::size_t kAddressByte = 0;
constexpr std::size_t kDateTimeByte = 1;
constexpr std::size_t kChannelByte = 7;
constexpr std::size_t kSituationByte = 8;

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
  const std::optional<ArchiveSeconds> time = RecordTime(record.bytes.data() + kDateTimeByte);
  if (!time) {
    ++timeline_.recordsWithoutTime_;
    return;
  }
  const LaneKey key{int{record.bytes[kAddressByte]} - 10, record.bytes[kChannelByte]};
  TimelineEvent event;
  event.time = *time;
  event.code = static_cast<char>(record.bytes[kSituationByte]);
  std::memcpy(event.fields.data(), record.bytes.data(), kEventFieldBytes);
  events_.emplace_back(key, event);
}

AlarmTimeline AlarmTimelineBuilder::Finish() && {
  std::stable_sort(events_.begin(), events_.end(), [](const auto& a, const auto& b) {
    return a.first != b.first ? a.first < b.first : a.second.time < b.second.time;
  });
  std::vector<Lane>& lanes = timeline_.lanes_;
  for (const auto& entry : events_) {
    const LaneKey& key = entry.first;
    const TimelineEvent& event = entry.second;
    if (lanes.empty() || lanes.back().key != key) lanes.emplace_back().key = key;
    std::vector<TimelineEvent>& events = lanes.back().events;
    // A repeat has its original's moment: it is left out when any event of that moment
    // already in the lane is the same.
    const auto repeat = std::find_if(events.rbegin(), events.rend(), [&](const TimelineEvent& e) {
      return e.time != event.time || SameEvent(e, event);
    });
    if (repeat != events.rend() && SameEvent(*repeat, event)) continue;
    events.push_back(event);
  }
  for (Lane& lane : lanes) {
    lane.times.reserve(lane.events.size());
    lane.fills.reserve(lane.events.size());
    for (const TimelineEvent& event : lane.events) {
      lane.times.push_back(event.time);
      lane.fills.push_back(LaneFill(event.code));
    }
  }
  if (!events_.empty()) {
    const auto [earliest, latest] = std::minmax_element(
        events_.begin(), events_.end(),
        [](const auto& a, const auto& b) { return a.second.time < b.second.time; });
    timeline_.span_ = {static_cast<double>(earliest->second.time),
                       static_cast<double>(latest->second.time)};
  }
  events_.clear();
  events_.shrink_to_fit();
  return std::move(timeline_);
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
