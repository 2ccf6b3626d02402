#include "core/chart/LaneDrawing.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace telvoran
