#include "core/chart/ChartReading.h"
#include "core/view/ArchiveDocument.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>

#include "support/ArchiveReading.h"
#include "support/ChartRecords.h"
#include "support/FileSystemThings.h"

namespace telvoran {
namespace {

using namespace test;
using Events = std::vector<std::string>;

class ChartReadingTest : public ::testing::Test, protected ArchiveReading {};

TEST_F(ChartReadingTest, AnIntervalArchiveIsReadOnceIntoItsSeries) {
  const auto path = dir.Write(
      "a.czt", Join(IntervalHeader('2'), std::vector<ArchiveRecord>{
                                             IntervalRecord(5), IntervalRecord(6, "  ERR 99.5")}));
  const auto series = ReadIntervalSeries(file, path, kReloadMessages);
  ASSERT_TRUE(series);
  EXPECT_EQ(series->Size(), 2u);
  EXPECT_EQ(series->ChannelCount(), 2);
  EXPECT_EQ(series->Gaps(0).size(), 1u);
  EXPECT_TRUE(reporter.events.empty());
  EXPECT_FALSE(file.IsOpen());
}

TEST_F(ChartReadingTest, AnEventArchiveIsReadOnceIntoItsTimeline) {
  const auto path =
      dir.Write("e.zdr", std::vector<ArchiveRecord>{EventRecord(1, 'G'), EventRecord(2, 'H')});
  const auto timeline = ReadAlarmTimeline(file, path, kReloadMessages);
  ASSERT_TRUE(timeline);
  ASSERT_EQ(timeline->Lanes().size(), 1u);
  EXPECT_EQ(timeline->Lanes()[0].events.size(), 2u);
  EXPECT_TRUE(reporter.events.empty());
  EXPECT_FALSE(file.IsOpen());
}

TEST_F(ChartReadingTest, FailuresAreReportedAsAResortReportsThemAndGiveNothing) {
  const auto missing = dir / "gone.czt";
  EXPECT_FALSE(ReadIntervalSeries(file, missing, kReloadMessages));
  EXPECT_FALSE(ReadAlarmTimeline(file, dir / "gone.zdr", kReloadMessages));
  EXPECT_EQ(reporter.events, (Events{"beep", "message:S155", "beep", "message:S155"}));

  reporter.events.clear();
  const auto shortHeader = dir.Write("short.czt", IntervalHeader('2'));
  EXPECT_FALSE(ReadIntervalSeries(file, shortHeader, kReloadMessages));
  EXPECT_EQ(reporter.events, (Events{"beep", "message:S157"}));

  reporter.events.clear();
  const auto wrongKind = dir.Write(
      "w.zdr", std::vector<ArchiveRecord>{EventRecord(1), EventRecord(2, 'H', kIntervalKind)});
  EXPECT_FALSE(ReadAlarmTimeline(file, wrongKind, kReloadMessages));
  EXPECT_EQ(reporter.events, (Events{"beep", "message:S108\rS109"}));
  EXPECT_FALSE(file.IsOpen());
}

// Everything a chart draws of a series or a timeline, as text.
std::string Picture(const IntervalSeries& series) {
  std::ostringstream out;
  out << series.RecordsWithoutTime() << " " << series.FullSpan().from << "-"
      << series.FullSpan().to;
  for (const CompactSeconds time : series.Times()) out << " " << time;
  for (int channel = 0; channel < series.ChannelCount(); ++channel) {
    const ChannelInfo& info = series.Channel(channel);
    out << "\n" << info.name << "|" << info.unit << "|" << info.decimals << info.comma << ":";
    for (const float value : series.Values(channel)) out << " " << value;
    out << " gaps";
    for (const std::uint32_t gap : series.Gaps(channel)) out << " " << gap;
    const ValueSummary all = series.Summarize(channel, 0, series.Size());
    out << " summary " << all.count << " " << all.sum << " " << all.lowest << " " << all.highest;
  }
  return out.str();
}

std::string Picture(const AlarmTimeline& timeline) {
  std::ostringstream out;
  out << timeline.RecordsWithoutTime() << " " << timeline.FullSpan().from << "-"
      << timeline.FullSpan().to;
  for (const Lane& lane : timeline.Lanes()) {
    out << "\n" << lane.key.centralUnit << "/" << int{lane.key.channel} << ":";
    for (std::size_t i = 0; i < lane.events.size(); ++i) {
      const TimelineEvent event = lane.events[i];
      out << " " << lane.times[i] << event.code << int{lane.fills[i]}
          << (event.time == lane.times[i]) << std::string(event.fields.begin(), event.fields.end());
    }
  }
  return out.str();
}

// Interval records out of time order, with values that are no numbers and a date that is no
// moment; event records of several lanes out of order, with repeats.
std::vector<ArchiveRecord> MixedIntervals() {
  std::vector<ArchiveRecord> records;
  for (int i = 0; i < 300; ++i) {
    std::string values = i % 7 == 0 ? "  ERR" : " 21.5";
    values += i % 5 == 0 ? "  1,25" : "    99";
    values += "  -3.1";
    records.push_back(IntervalRecordAt(SeriesStart() + 60 * ((i * 37) % 300), values));
  }
  records[100].bytes[1] = 10 + 13;  // month 13
  return records;
}

std::vector<ArchiveRecord> MixedEvents() {
  const char codes[] = "GLHMWOF";
  std::vector<ArchiveRecord> records;
  for (int i = 0; i < 300; ++i) {
    auto record = EventRecord((i * 37) % 60, codes[i % 7]);
    record.bytes[0] = static_cast<unsigned char>(10 + i % 4);   // the central unit
    record.bytes[7] = static_cast<unsigned char>('1' + i % 3);  // the channel
    records.push_back(record);
    if (i % 10 == 0) records.push_back(record);
  }
  return records;
}

// A chart made from a view's records, shared, is the chart reading its file makes, and it stays
// whole after the view has gone. The records are shared only while they are the whole file.
TEST_F(ChartReadingTest, AViewsRecordsMakeTheChartItsFileMakesWhileTheyAreTheWholeFile) {
  const auto intervals = dir.Write("a.czt", Join(IntervalHeader('3'), MixedIntervals()));
  const auto events = dir.Write("e.zdr", MixedEvents());
  auto intervalView = std::make_unique<ArchiveDocument>(strings, reporter);
  auto eventView = std::make_unique<ArchiveDocument>(strings, reporter);
  // Sorted by another column than the time: the rows' order is not the records'.
  ASSERT_EQ(intervalView->Open(intervals, 3), ArchiveDocument::Outcome::kComplete);
  ASSERT_EQ(eventView->Open(events, 7), ArchiveDocument::Outcome::kComplete);
  auto sharedIntervals = intervalView->RecordsOfWholeFile();
  auto sharedEvents = eventView->RecordsOfWholeFile();
  ASSERT_TRUE(sharedIntervals && sharedEvents);
  const IntervalSeries series =
      IntervalSeriesOf(sharedIntervals->intervalHeader, std::move(sharedIntervals->records));
  const AlarmTimeline timeline = AlarmTimelineOf(std::move(sharedEvents->records));
  const std::string seriesPicture = Picture(series);
  const std::string timelinePicture = Picture(timeline);
  EXPECT_EQ(seriesPicture, Picture(*ReadIntervalSeries(file, intervals, kReloadMessages)));
  EXPECT_EQ(timelinePicture, Picture(*ReadAlarmTimeline(file, events, kReloadMessages)));
  EXPECT_EQ(series.RecordsWithoutTime(), 1u);
  EXPECT_GT(timeline.Lanes().size(), 1u);

  // Records appended: until the view has taken them, the chart reads the file.
  Append(intervals, {IntervalRecordAt(SeriesStart() + 99999, " 1.0  2.0  3.0")});
  Append(events, {EventRecord(59, 'H')});
  EXPECT_FALSE(intervalView->RecordsOfWholeFile());
  EXPECT_FALSE(eventView->RecordsOfWholeFile());
  EXPECT_EQ(intervalView->TakeAppended(), ArchiveDocument::Appended::kNewRows);
  const auto grown = intervalView->RecordsOfWholeFile();
  ASSERT_TRUE(grown);
  EXPECT_EQ(Picture(IntervalSeriesOf(grown->intervalHeader, grown->records)),
            Picture(*ReadIntervalSeries(file, intervals, kReloadMessages)));

  // The views go; the charts made of their records stay as they were.
  intervalView.reset();
  eventView.reset();
  EXPECT_EQ(Picture(series), seriesPicture);
  EXPECT_EQ(Picture(timeline), timelinePicture);

  // A file rewritten since, and one read only in part, are read anew.
  ArchiveDocument rewritten(strings, reporter);
  ASSERT_EQ(rewritten.Open(events, 1), ArchiveDocument::Outcome::kComplete);
  dir.Write("e.zdr", MixedEvents());
  EXPECT_FALSE(rewritten.RecordsOfWholeFile());
  const auto stopped = dir.Write(
      "w.zdr", std::vector<ArchiveRecord>{EventRecord(1), EventRecord(2, 'H', kIntervalKind)});
  ArchiveDocument partly(strings, reporter);
  EXPECT_EQ(partly.Open(stopped, 1), ArchiveDocument::Outcome::kStopped);
  EXPECT_FALSE(partly.RecordsOfWholeFile());
}

}  // namespace
}  // namespace telvoran
