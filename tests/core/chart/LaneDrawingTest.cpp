#include "core/chart/LaneDrawing.h"

#include <gtest/gtest.h>

#include <random>

#include "core/chart/AlarmTimeline.h"
#include "support/ChartRecords.h"

namespace telvoran {
namespace {

using namespace test;

const ArchiveSeconds kStart = ToArchiveSeconds({2005, 1, 3, 0, 0, 0});

ArchiveRecord Event(int minutes, char code, char channel = '1') {
  return MakeRecord(
      std::string(1, 18) + DateBytesOf(kStart + 60 * minutes) + channel + code + " 45.0WodadegC",
      kEventKind);
}

AlarmTimeline Build(const std::vector<ArchiveRecord>& records) {
  AlarmTimelineBuilder builder;
  for (const ArchiveRecord& record : records) builder.Add(record);
  return std::move(builder).Finish();
}

// The runs as text: one character per column, the colour digit, "." for the window background
// and " " for a column nothing covers.
std::string Columns(const LaneDrawing& drawing, int columns) {
  std::string text(static_cast<std::size_t>(columns), ' ');
  for (const LaneRun& run : drawing.runs)
    for (int column = run.firstColumn; column <= run.lastColumn; ++column)
      text[static_cast<std::size_t>(column)] = run.colourDigit ? run.colourDigit : '.';
  return text;
}

TimeSpan Minutes(double from, double to) {
  return {kStart + 60 * from, kStart + 60 * to};
}

TEST(LaneDrawing, EachSituationFillsTheColumnsUntilTheNextEvent) {
  // Normal from minute 0, high alarm from 4, warning from 6, switched off from 8, to the end 10.
  const AlarmTimeline timeline =
      Build({Event(0, 'G'), Event(4, 'H'), Event(6, 'W'), Event(8, 'O'), Event(10, 'G', '2')});
  const LaneDrawing drawing = DrawLane(timeline, timeline.Lanes()[0], Minutes(0, 10), 10);
  EXPECT_EQ(Columns(drawing, 10), "00002244..");
  EXPECT_EQ(drawing.runs.size(), 4u) << "neighbours of one fill are one run";
  EXPECT_EQ(drawing.markColumns, (std::vector<int>{0, 4, 6, 8}));
}

TEST(LaneDrawing, AShortAlarmIsNeverLostWhenZoomedOut) {
  // A high alarm of one minute within four days of normal state, drawn into 20 columns.
  const AlarmTimeline timeline =
      Build({Event(0, 'G'), Event(3000, 'H'), Event(3001, 'G'), Event(5760, 'G')});
  const LaneDrawing drawing = DrawLane(timeline, timeline.Lanes()[0], Minutes(0, 5760), 20);
  EXPECT_EQ(Columns(drawing, 20), "00000000002000000000");
}

TEST(LaneDrawing, TheMostSevereSituationOfAColumnFillsIt) {
  const AlarmTimeline timeline = Build(
      {Event(0, 'G'), Event(1, 'W'), Event(2, 'L'), Event(3, 'M'), Event(4, 'x'), Event(10, 'G')});
  EXPECT_EQ(Columns(DrawLane(timeline, timeline.Lanes()[0], Minutes(0, 10), 1), 1), "1");
  EXPECT_LT(SeverityOfColourDigit('0'), SeverityOfColourDigit('4'));
  EXPECT_LT(SeverityOfColourDigit('4'), SeverityOfColourDigit('3'));
  EXPECT_LT(SeverityOfColourDigit('3'), SeverityOfColourDigit('1'));
  EXPECT_LT(SeverityOfColourDigit('1'), SeverityOfColourDigit('2'));
  EXPECT_LT(SeverityOfColourDigit('\0'), SeverityOfColourDigit('0'));
}

TEST(LaneDrawing, AZoomedSpanStartsWithTheSituationThatHoldsAtItsStart) {
  const AlarmTimeline timeline = Build({Event(0, 'L'), Event(100, 'G'), Event(200, 'G', '2')});
  const LaneDrawing drawing = DrawLane(timeline, timeline.Lanes()[0], Minutes(50, 150), 4);
  EXPECT_EQ(Columns(drawing, 4), "1100");
  EXPECT_EQ(drawing.markColumns, std::vector<int>{2}) << "the event before the span has no mark";
}

TEST(LaneDrawing, NothingBeforeTheLanesFirstEventOrAfterTheArchiveEnd) {
  const AlarmTimeline timeline = Build({Event(5, 'H'), Event(0, 'G', '2'), Event(10, 'G', '2')});
  const LaneDrawing drawing = DrawLane(timeline, timeline.Lanes()[0], Minutes(0, 20), 20);
  EXPECT_EQ(Columns(drawing, 20), "     22222          ");
  EXPECT_TRUE(DrawLane(timeline, timeline.Lanes()[0], Minutes(11, 20), 5).runs.empty());
}

// The lane as drawn one event at a time: each event's span fills every column it reaches into
// with the most severe situation, and each event inside the span marks its column.
LaneDrawing DrawnEventByEvent(const AlarmTimeline& timeline, const Lane& lane, TimeSpan span,
                              int columns) {
  std::vector<int> severities(static_cast<std::size_t>(columns), -1);
  std::vector<char> fills(static_cast<std::size_t>(columns), 0);
  LaneDrawing drawing;
  const double perSecond = span.Length() > 0 ? columns / span.Length() : 0;
  auto columnOf = [&](double time) {
    return std::clamp(static_cast<int>(std::floor((time - span.from) * perSecond)), 0, columns - 1);
  };
  for (std::size_t i = 0; i < lane.events.size(); ++i) {
    const EventSpan time = timeline.SpanOf(lane, i);
    const bool reachesIn = i + 1 == lane.events.size() || lane.events[i + 1].time > span.from;
    if (time.from > span.to || !reachesIn) continue;
    if (time.from >= span.from) {
      const int mark = columnOf(static_cast<double>(time.from));
      if (drawing.markColumns.empty() || drawing.markColumns.back() != mark)
        drawing.markColumns.push_back(mark);
    }
    if (time.to <= time.from || time.to < span.from) continue;
    const int from = columnOf(std::max(static_cast<double>(time.from), span.from));
    const int to = std::clamp(
        static_cast<int>(std::ceil((static_cast<double>(time.to) - span.from) * perSecond)) - 1,
        from, columns - 1);
    const char fill = LaneFill(lane.events[i].code);
    for (int column = from; column <= to; ++column) {
      const auto at = static_cast<std::size_t>(column);
      if (SeverityOfColourDigit(fill) > severities[at]) {
        severities[at] = SeverityOfColourDigit(fill);
        fills[at] = fill;
      }
    }
  }
  for (int column = 0; column < columns; ++column) {
    const auto at = static_cast<std::size_t>(column);
    if (severities[at] < 0) continue;
    if (!drawing.runs.empty() && drawing.runs.back().lastColumn == column - 1 &&
        drawing.runs.back().colourDigit == fills[at]) {
      drawing.runs.back().lastColumn = column;
    } else {
      drawing.runs.push_back({column, column, fills[at]});
    }
  }
  return drawing;
}

TEST(LaneDrawing, ColumnByColumnDrawsWhatEventByEventDraws) {
  // Many events to a column, several at one moment (spans of no length), every situation.
  std::mt19937 random(23);
  std::vector<ArchiveRecord> records;
  const char codes[] = "GGGGLHMWOFx";
  int minute = 0;
  for (int i = 0; i < 4000; ++i) {
    minute += static_cast<int>(random() % 3);
    records.push_back(
        Event(minute, codes[random() % (sizeof codes - 1)], static_cast<char>('1' + random() % 2)));
  }
  const AlarmTimeline timeline = Build(records);
  const TimeSpan whole = timeline.FullSpan();
  const double length = whole.Length();
  for (const Lane& lane : timeline.Lanes()) {
    for (const TimeSpan span :
         {whole, TimeSpan{whole.from + length / 3, whole.from + length / 2},
          TimeSpan{whole.from - 3600, whole.from + 600}, TimeSpan{whole.to - 90, whole.to + 7200},
          TimeSpan{whole.from + 6000, whole.from + 6000},
          TimeSpan{whole.from + 60 * 31.5, whole.from + 60 * 33.25}}) {
      for (int columns : {1, 2, 13, 400, 4096}) {
        SCOPED_TRACE(testing::Message() << columns << " columns from " << span.from - whole.from
                                        << " to " << span.to - whole.from);
        const LaneDrawing drawn = DrawLane(timeline, lane, span, columns);
        const LaneDrawing expected = DrawnEventByEvent(timeline, lane, span, columns);
        EXPECT_EQ(drawn.markColumns, expected.markColumns);
        ASSERT_EQ(drawn.runs.size(), expected.runs.size());
        for (std::size_t i = 0; i < drawn.runs.size(); ++i) {
          EXPECT_EQ(drawn.runs[i].firstColumn, expected.runs[i].firstColumn);
          EXPECT_EQ(drawn.runs[i].lastColumn, expected.runs[i].lastColumn);
          EXPECT_EQ(drawn.runs[i].colourDigit, expected.runs[i].colourDigit);
        }
      }
    }
  }
}

// Crowded marks give way to the colours between them; marks that stand clear stay.
TEST(ClearMarks, KeepsOnlyMarksClearOfTheirNeighbours) {
  const struct {
    std::vector<int> marks;
    std::vector<int> clear;
  } cases[] = {
      {{}, {}},
      {{5}, {5}},
      {{0, 3, 6}, {0, 3, 6}},          // exactly the gap apart
      {{0, 2, 10, 11, 12, 20}, {20}},  // 0 and 2 crowd each other, so do 10 to 12
      {{0, 10, 12, 30}, {0, 30}},      // a crowded pair in the middle
      {{1, 2, 3, 4, 5, 6, 7, 8}, {}},  // a solid band: the colours alone
  };
  for (const auto& c : cases) EXPECT_EQ(ClearMarks(c.marks, 3), c.clear) << c.marks.size();
}

}  // namespace
}  // namespace telvoran
