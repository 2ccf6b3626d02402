#include "core/rows/RowReading.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "core/archive/ArchiveFile.h"
#include "core/rows/EventRows.h"
#include "core/rows/IntervalRows.h"
#include "support/ArchiveReading.h"
#include "support/ArchiveRecords.h"
#include "support/FakeStrings.h"
#include "support/RecordingReporter.h"
#include "support/TempDir.h"

namespace telvoran {
namespace {

using namespace test;
using Events = std::vector<std::string>;

class ReloadTest : public ::testing::Test, protected test::ArchiveReading {
 protected:
  bool ReloadInterval(const std::filesystem::path& path, int sortColumn) {
    return ReloadIntervalRows(file, path, sortColumn, kReloadMessages, rows);
  }
  bool ReloadEvent(const std::filesystem::path& path, int sortColumn) {
    return ReloadEventRows(file, path, sortColumn, kReloadMessages, rows);
  }
  std::string Interval(int minute, const char* values, int sortColumn) {
    return std::string(IntervalRow(IntervalRecord(minute, values), 2, sortColumn).Text());
  }
};

TEST_F(ReloadTest, IntervalRowsComeInTimeOrderAndByChannelValue) {
  const auto path =
      dir.Write("a.czt", Join(IntervalHeader('2'), std::vector{IntervalRecord(9, " 21.5  3.0"),
                                                               IntervalRecord(7, "101.0  2.0"),
                                                               IntervalRecord(8, "  5.0  1.0")}));
  ASSERT_TRUE(ReloadInterval(path, 1));
  EXPECT_EQ(RowTexts(rows), (std::vector{Interval(7, "101.0  2.0", 1), Interval(8, "  5.0  1.0", 1),
                                         Interval(9, " 21.5  3.0", 1)}));
  ASSERT_TRUE(ReloadInterval(path, 2));
  EXPECT_EQ(RowTexts(rows), (std::vector{Interval(8, "  5.0  1.0", 2), Interval(9, " 21.5  3.0", 2),
                                         Interval(7, "101.0  2.0", 2)}));
  ASSERT_TRUE(ReloadInterval(path, 3));
  EXPECT_EQ(RowTexts(rows), (std::vector{Interval(8, "  5.0  1.0", 3), Interval(7, "101.0  2.0", 3),
                                         Interval(9, " 21.5  3.0", 3)}));
  EXPECT_TRUE(reporter.events.empty());
  EXPECT_FALSE(file.IsOpen());
}

TEST_F(ReloadTest, IntervalArchiveKeepsIdenticalRows) {
  const auto path =
      dir.Write("a.czt", Join(IntervalHeader(), std::vector{IntervalRecord(1), IntervalRecord(1)}));
  ASSERT_TRUE(ReloadInterval(path, 1));
  EXPECT_EQ(rows.Size(), 2u);
}

TEST_F(ReloadTest, IntervalRecordOfTheWrongKindKeepsTheRowsReadBefore) {
  const auto path = dir.Write(
      "a.czt", Join(IntervalHeader(),
                    std::vector{IntervalRecord(2), IntervalRecord(1),
                                IntervalRecord(3, " 21.5101.0", kEventKind), IntervalRecord(4)}));
  EXPECT_FALSE(ReloadInterval(path, 2));
  EXPECT_EQ(reporter.events, (Events{"beep", "message:S108\rS109"}));
  EXPECT_EQ(RowTexts(rows),
            (std::vector{Interval(1, " 21.5101.0", 2), Interval(2, " 21.5101.0", 2)}));
  EXPECT_FALSE(file.IsOpen());
}

TEST_F(ReloadTest, FileChangedOnDiskSinceTheLastReading) {
  const auto path = dir.Write("a.czt", Join(IntervalHeader(), std::vector{IntervalRecord(1)}));
  ASSERT_TRUE(ReloadInterval(path, 1));

  // Records appended since appear.
  dir.Write("a.czt", Join(IntervalHeader(), std::vector{IntervalRecord(1), IntervalRecord(2)}));
  ASSERT_TRUE(ReloadInterval(path, 2));
  EXPECT_EQ(rows.Size(), 2u);

  // Shrunk into its header, then below one record, then gone: each leaves an empty list.
  for (std::size_t count = 1; count <= 4; ++count) {
    reporter.events.clear();
    auto header = IntervalHeader();
    header.resize(count);
    dir.Write("a.czt", header);
    EXPECT_FALSE(ReloadInterval(path, 1));
    EXPECT_EQ(reporter.events, (Events{"beep", "message:S157"})) << count;
    EXPECT_TRUE(rows.Empty());
  }
  reporter.events.clear();
  dir.Write("a.czt", std::string(39, 'x'));
  EXPECT_FALSE(ReloadInterval(path, 1));
  EXPECT_EQ(reporter.events, (Events{"beep", "message:S156"}));
  reporter.events.clear();
  std::filesystem::remove(path);
  EXPECT_FALSE(ReloadInterval(path, 1));
  EXPECT_EQ(reporter.events, (Events{"beep", "message:S155"}));
  EXPECT_TRUE(rows.Empty());
}

// On Windows the permissions stand for the read-only attribute.
TEST_F(ReloadTest, ReReadingLeavesAReadOnlyFileReadOnly) {
  const auto path = dir.Write("a.zdr", {EventRecord(1)});
  MakeReadOnly(path);
  for (int round = 0; round < 2; ++round) {
    ASSERT_TRUE(ReloadEvent(path, 1 + round));
    EXPECT_FALSE(IsWritable(path)) << round;
  }
}

TEST_F(ReloadTest, EventArchiveDropsIdenticalRowsButKeepsRowsDifferingInCase) {
  auto lower = EventRecord(3);
  lower.bytes[14] = 'a';  // medium "aB  " instead of "AB  "
  const auto path =
      dir.Write("e.zdr", {EventRecord(2), EventRecord(1), EventRecord(2), lower, EventRecord(2)});
  ASSERT_TRUE(ReloadEvent(path, 4));
  ASSERT_EQ(rows.Size(), 3u);
  EXPECT_EQ(rows[0], std::string(EventRow(EventRecord(1), 4, strings).Text()));
  EXPECT_EQ(rows[1], std::string(EventRow(EventRecord(2), 4, strings).Text()));
  EXPECT_EQ(rows[2], std::string(EventRow(lower, 4, strings).Text()));
}

TEST_F(ReloadTest, EventArchiveOfOneRecordGivesOneRow) {
  ASSERT_TRUE(ReloadEvent(dir.Write("e.zdr", {EventRecord(1)}), 7));
  EXPECT_EQ(rows.Size(), 1u);
}

TEST_F(ReloadTest, EventRecordOfTheWrongKindKeepsEarlierRowsWithTheirDuplicates) {
  const auto path =
      dir.Write("e.zdr", {EventRecord(1), EventRecord(1), EventRecord(2, 'H', kIntervalKind)});
  EXPECT_FALSE(ReloadEvent(path, 1));
  EXPECT_EQ(reporter.events, (Events{"beep", "message:S108\rS109"}));
  EXPECT_EQ(rows.Size(), 2u);
  EXPECT_FALSE(file.IsOpen());
}

TEST_F(ReloadTest, EventRowsSortByTheirSituationColumn) {
  FakeStrings situations({{160, "b normal"}, {162, "a high"}, {165, "c off"}});
  ArchiveFile situationFile(situations, reporter);
  const auto path =
      dir.Write("e.zdr", {EventRecord(1, 'G'), EventRecord(2, 'O'), EventRecord(3, 'H')});
  ASSERT_TRUE(ReloadEventRows(situationFile, path, 7, kReloadMessages, rows));
  ASSERT_EQ(rows.Size(), 3u);
  EXPECT_EQ(rows[0].substr(0, 7), "a high2");
  EXPECT_EQ(rows[1].substr(0, 9), "b normal0");
  EXPECT_EQ(rows[2].substr(0, 6), "c off5");
}

// A view that follows its growing file reads the records written since its last reading and
// merges their rows in: the list is the one reading the whole file gives.
TEST_F(ReloadTest, RowsOfRecordsWrittenSinceMergeIntoTheSortedRows) {
  const std::vector<ArchiveRecord> first{EventRecord(5), EventRecord(3, 'G'), EventRecord(4)};
  const std::vector<ArchiveRecord> later{EventRecord(1, 'L'), EventRecord(4), EventRecord(6, 'O')};
  const auto path = dir.Write("e.zdr", first);
  ASSERT_TRUE(ReloadEvent(path, 7));

  dir.Write("e.zdr", Join(first, later));
  ASSERT_TRUE(file.OpenArchiveFile(path, kReloadMessages.missingFile, kReloadMessages.emptyFile));
  for (std::size_t i = 0; i < first.size(); ++i) ASSERT_TRUE(file.ReadRecord());
  EXPECT_EQ(AppendRows(file, kEventKind, rows), ReadStop::EndOfFile);
  file.Close();
  const std::vector<RowNumber> places = rows.MergeAppended();

  RowStore whole;
  ASSERT_TRUE(ReloadEventRows(file, path, 7, kReloadMessages, whole));
  EXPECT_EQ(RowTexts(rows), RowTexts(whole)) << "the copy of record 4 is dropped";
  EXPECT_EQ(places.size(), 2u);
  EXPECT_TRUE(reporter.events.empty());
}

TEST_F(ReloadTest, AppendingStopsAtARecordOfAnotherKind) {
  const auto path = dir.Write("e.zdr", {EventRecord(1), EventRecord(2, 'H', kIntervalKind)});
  rows = RowStore(RowFormat::Event(1, strings));
  ASSERT_TRUE(file.OpenArchiveFile(path, kReloadMessages.missingFile, kReloadMessages.emptyFile));
  EXPECT_EQ(AppendRows(file, kEventKind, rows), ReadStop::WrongKind);
  file.Close();
  EXPECT_EQ(rows.Size(), 1u);
}

// A long archive is read straight into the store a piece at a time, while a second thread
// prepares the sort's memory: its rows are those of its records added one by one and sorted,
// up to the record of another kind that ends the reading.
TEST_F(ReloadTest, LongEventArchiveGivesTheRowsOfItsRecordsAddedOneByOne) {
  constexpr int kRecords = 150000;
  constexpr int kWrongKindAt = 140000;
  const char codes[] = "GLHMWOFX";
  const char* const media[] = {"AB  ", "ab  ", "Wa  ", "\xA5x  "};
  std::vector<ArchiveRecord> records;
  for (int i = 0; i < kRecords; ++i) {
    char reading[6];
    std::snprintf(reading, sizeof reading, "%5d", i % 997);
    // Three records a date, the dates rising, the second falling back every 7 records.
    const std::string payload = std::string(1, static_cast<char>(10 + i % 100)) +
                                DateBytes(9, 3, 1 + i / 10000, 7, i / 3 % 60, i % 7) +
                                static_cast<char>('0' + i % 10) + codes[i % 8] + reading +
                                media[i % 4] + "cd  ";
    records.push_back(MakeRecord(payload, i == kWrongKindAt ? kIntervalKind : kEventKind));
  }
  const auto path = dir.Write("long.zdr", records);
  for (const int column : {1, 4, 7}) {
    SCOPED_TRACE(column);
    EXPECT_FALSE(ReloadEvent(path, column));
    RowStore expected(RowFormat::Event(column, strings));
    for (int i = 0; i < kWrongKindAt; ++i) expected.Append(records[static_cast<std::size_t>(i)]);
    expected.Sort();
    EXPECT_EQ(RowTexts(rows), RowTexts(expected));
  }
}

}  // namespace
}  // namespace telvoran
