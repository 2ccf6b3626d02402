#include "core/chart/AlarmTimeline.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>

#include "core/rows/EventRows.h"
#include "support/ChartRecords.h"
#include "support/FakeStrings.h"

namespace telvoran {
namespace {

using namespace test;

const ArchiveSeconds kStart = ToArchiveSeconds({2005, 1, 3, 7, 0, 0});

// An event of central unit `central`, channel `channel`, `minutes` after the start.
ArchiveRecord Event(int central, char channel, int minutes, char code,
                    const std::string& reading = " 45.0") {
  return MakeRecord(std::string(1, static_cast<char>(central + 10)) +
                        DateBytesOf(kStart + 60 * minutes) + channel + code + reading + "Woda" +
                        "degC",
                    kEventKind);
}

AlarmTimeline Build(const std::vector<ArchiveRecord>& records) {
  AlarmTimelineBuilder builder;
  for (const ArchiveRecord& record : records) builder.Add(record);
  return std::move(builder).Finish();
}

std::vector<std::pair<int, char>> LaneKeys(const AlarmTimeline& timeline) {
  std::vector<std::pair<int, char>> keys;
  for (const Lane& lane : timeline.Lanes())
    keys.emplace_back(lane.key.centralUnit, static_cast<char>(lane.key.channel));
  return keys;
}

TEST(AlarmTimeline, OneLanePerCentralUnitAndChannelInOrder) {
  const AlarmTimeline timeline =
      Build({Event(11, '2', 0, 'G'), Event(8, '1', 5, 'H'), Event(11, '1', 3, 'L'),
             Event(8, '1', 1, 'G'), Event(9, '4', 2, 'O')});
  EXPECT_EQ(LaneKeys(timeline),
            (std::vector<std::pair<int, char>>{{8, '1'}, {9, '4'}, {11, '1'}, {11, '2'}}));
  const Lane& first = timeline.Lanes()[0];
  ASSERT_EQ(first.events.size(), 2u);
  EXPECT_EQ(first.events[0].code, 'G');
  EXPECT_EQ(first.events[0].time, kStart + 60);
  EXPECT_EQ(first.events[1].code, 'H');
  EXPECT_EQ(timeline.FullSpan(), (TimeSpan{double(kStart), double(kStart + 300)}));
}

TEST(AlarmTimeline, AClockSetBackIsSortedOutKeepingTheFileOrderOfEqualTimes) {
  // The clock went back from minute 10 to minute 5 on lane 8/1 only; lane 9/1 stays in order.
  const AlarmTimeline timeline =
      Build({Event(8, '1', 10, 'G'), Event(9, '1', 4, 'M'), Event(8, '1', 5, 'H'),
             Event(8, '1', 5, 'L'), Event(9, '1', 4, 'W'), Event(8, '1', 7, 'F')});
  ASSERT_EQ(timeline.Lanes().size(), 2u);
  std::string codes;
  for (const TimelineEvent& event : timeline.Lanes()[0].events) codes += event.code;
  EXPECT_EQ(codes, "HLFG");
  const auto at = [](ArchiveSeconds seconds) {
    return static_cast<CompactSeconds>(kStart + seconds);
  };
  EXPECT_EQ(timeline.Lanes()[0].times,
            (std::vector<CompactSeconds>{at(300), at(300), at(420), at(600)}));
  EXPECT_EQ(timeline.Lanes()[0].fills, (std::vector<char>{'2', '1', '\0', '0'}))
      << "the fills of the rows' colours, none for a state on the window background";
  EXPECT_EQ(timeline.Lanes()[1].events[1].code, 'W');
  EXPECT_EQ(timeline.FullSpan(), (TimeSpan{double(kStart + 240), double(kStart + 600)}));
}

TEST(AlarmTimeline, EachSituationLastsUntilTheNextEventOfItsLaneOrTheArchiveEnd) {
  const AlarmTimeline timeline =
      Build({Event(8, '1', 0, 'G'), Event(8, '1', 10, 'H'), Event(8, '2', 12, 'W'),
             Event(8, '1', 30, 'G'), Event(9, '1', 95, 'M')});
  const Lane& lane = timeline.Lanes()[0];
  ASSERT_EQ(lane.events.size(), 3u);
  const EventSpan high = timeline.SpanOf(lane, 1);
  EXPECT_EQ(high.from, kStart + 600);
  EXPECT_EQ(high.to, kStart + 1800) << "the next event of the same lane, not of channel 2";
  EXPECT_FALSE(high.lastOfLane);
  const EventSpan last = timeline.SpanOf(lane, 2);
  EXPECT_EQ(last.to, kStart + 95 * 60) << "the latest record of the whole archive";
  EXPECT_TRUE(last.lastOfLane);
  const Lane& latest = timeline.Lanes()[2];
  EXPECT_EQ(timeline.SpanOf(latest, 0).to, timeline.SpanOf(latest, 0).from);
}

TEST(AlarmTimeline, TheEventAtATimeIsTheLastOneAtOrBeforeIt) {
  const AlarmTimeline timeline =
      Build({Event(8, '1', 10, 'G'), Event(8, '1', 20, 'H'), Event(9, '1', 40, 'G')});
  const Lane& lane = timeline.Lanes()[0];
  EXPECT_FALSE(timeline.EventAt(lane, kStart + 599.0)) << "before the lane's first event";
  EXPECT_EQ(timeline.EventAt(lane, kStart + 600.0), 0u);
  EXPECT_EQ(timeline.EventAt(lane, kStart + 1199.0), 0u);
  EXPECT_EQ(timeline.EventAt(lane, kStart + 1200.0), 1u);
  EXPECT_EQ(timeline.EventAt(lane, kStart + 2400.0), 1u) << "lasts until the archive's end";
  EXPECT_FALSE(timeline.EventAt(lane, kStart + 2401.0)) << "after the archive's end";
}

TEST(AlarmTimeline, ExactRepeatsAreLeftOutAndNearRepeatsKept) {
  const AlarmTimeline timeline =
      Build({Event(8, '1', 0, 'G'), Event(8, '1', 0, 'H'), Event(8, '1', 0, 'G'),
             Event(8, '1', 0, 'G', " 45.1"), Event(8, '1', 5, 'G'), Event(8, '1', 5, 'G')});
  const Lane& lane = timeline.Lanes()[0];
  std::string codes;
  for (const auto& event : lane.events) codes += event.code;
  EXPECT_EQ(codes, "GHGG");
}

TEST(AlarmTimeline, RecordsWithoutARealMomentAreCountedAndLeftOut) {
  ArchiveRecord bad = Event(8, '1', 0, 'G');
  bad.bytes[2] = 10 + 13;  // month 13
  const AlarmTimeline timeline = Build({bad, Event(8, '1', 3, 'H')});
  EXPECT_EQ(timeline.RecordsWithoutTime(), 1u);
  ASSERT_EQ(timeline.Lanes().size(), 1u);
  EXPECT_EQ(timeline.Lanes()[0].events.size(), 1u);
  EXPECT_TRUE(Build({bad}).Lanes().empty());
}

TEST(AlarmTimeline, AnEventGivesBackTheRowOfItsRecord) {
  FakeStrings strings = NumberedStrings();
  const ArchiveRecord cut = Event(8, '1', 0, 'L', std::string(" 4\0.0", 5));
  for (const ArchiveRecord& record : {Event(12, '3', 7, 'H'), Event(8, '\0', 0, 'F'), cut}) {
    const AlarmTimeline timeline = Build({record});
    const TimelineEvent& event = timeline.Lanes()[0].events[0];
    EXPECT_EQ(EventRow(EventRecordOf(event), 1, strings).Text(),
              EventRow(record, 1, strings).Text());
  }
}

// A long archive, built on two threads, gives the lanes one pass in file order gives: each
// lane's events stably sorted by time, exact repeats of an event of the same moment left out.
TEST(AlarmTimeline, LongArchiveMatchesOnePassInFileOrder) {
  std::vector<ArchiveRecord> records;
  std::uint32_t seed = 11;
  auto next = [&seed] { return (seed = seed * 1664525u + 1013904223u) >> 8; };
  const char codes[] = "GLHOF";
  for (int i = 0; i < 140'000; ++i) {
    const std::uint32_t r = next();
    // Mostly in time order, now and then a clock set back or a repeat of an earlier record.
    const int minutes = r % 50 == 0 ? static_cast<int>(r % 1000) : i / 3;
    if (r % 40 == 1 && !records.empty()) {
      records.push_back(records[next() % records.size()]);
      continue;
    }
    records.push_back(Event(8 + static_cast<int>(r % 3), static_cast<char>('1' + r / 7 % 4),
                            minutes, codes[r / 31 % 5]));
  }
  // Lane key -> (time, record) in file order.
  std::map<std::pair<int, char>, std::vector<std::pair<ArchiveSeconds, std::uint32_t>>> expected;
  for (std::uint32_t i = 0; i < records.size(); ++i) {
    const auto time = RecordTime(records[i].bytes.data() + event_field::kDateTime);
    expected[{records[i].bytes[event_field::kCentralAddress] - 10,
              static_cast<char>(records[i].bytes[event_field::kChannel])}]
        .emplace_back(*time, i);
  }
  const AlarmTimeline timeline = Build(records);
  ASSERT_EQ(timeline.Lanes().size(), expected.size());
  std::size_t laneNumber = 0;
  for (auto& [key, events] : expected) {
    std::stable_sort(events.begin(), events.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::pair<ArchiveSeconds, std::uint32_t>> kept;
    for (const auto& event : events) {
      bool repeat = false;
      for (auto k = kept.rbegin(); k != kept.rend() && k->first == event.first; ++k)
        repeat = repeat || std::memcmp(records[k->second].bytes.data(),
                                       records[event.second].bytes.data(), kEventFieldBytes) == 0;
      if (!repeat) kept.push_back(event);
    }
    const Lane& lane = timeline.Lanes()[laneNumber++];
    EXPECT_EQ(std::make_pair(lane.key.centralUnit, static_cast<char>(lane.key.channel)), key);
    ASSERT_EQ(lane.times.size(), kept.size());
    ASSERT_EQ(lane.fills.size(), kept.size());
    for (std::size_t e = 0; e < kept.size(); ++e) {
      ASSERT_EQ(lane.times[e], kept[e].first) << e;
      const ArchiveRecord& record = records[kept[e].second];
      ASSERT_EQ(std::memcmp(lane.events[e].fields.data(), record.bytes.data(), kEventFieldBytes), 0)
          << e;
      ASSERT_EQ(lane.fills[e], LaneFill(static_cast<char>(record.bytes[event_field::kSituation])));
    }
  }
}

}  // namespace
}  // namespace telvoran
