#include "core/chart/ChartReading.h"

#include <gtest/gtest.h>

#include "support/ArchiveReading.h"
#include "support/ChartRecords.h"

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

}  // namespace
}  // namespace telvoran
