// Following a growing archive: the records appended since a reading, merged into its sorted
// store, give the list a reading of the whole file would give.
#include "core/rows/AppendedRows.h"

#include <gtest/gtest.h>

#include "support/ArchiveReading.h"
#include "support/ArchiveRecords.h"
#include "support/FileSystemThings.h"

namespace telvoran {
namespace {

using namespace test;
using Texts = std::vector<std::string>;

class AppendedRowsTest : public ::testing::Test, protected ArchiveReading {
 protected:
  // Reads the whole file as a re-sort does; where it ended is the place to follow from.
  ReadingEnd ReadWhole(const std::filesystem::path& path, bool interval, int sortColumn,
                       RowStore& list) {
    const bool complete = interval
                              ? ReloadIntervalRows(file, path, sortColumn, kReloadMessages, list)
                              : ReloadEventRows(file, path, sortColumn, kReloadMessages, list);
    EXPECT_TRUE(complete);
    return file.LastReadingEnd();
  }
  // Appends to `rows`, which a reading of the same kind has filled.
  AppendedRows Appended(const std::filesystem::path& path, bool interval, const ReadingEnd& since,
                        RowStore& list) {
    return ReadAppendedRows(file, path, since, interval ? kIntervalKind : kEventKind, list);
  }
};

std::vector<ArchiveRecord> Events(int first, int count) {
  const char codes[] = "GLHMWOF";
  std::vector<ArchiveRecord> records;
  for (int i = first; i < first + count; ++i) {
    auto record = EventRecord((i * 37) % 60, codes[i % 7]);
    record.bytes[0] = static_cast<unsigned char>(10 + i % 13);  // the central unit
    records.push_back(record);
  }
  return records;
}

std::vector<ArchiveRecord> Intervals(int first, int count) {
  std::vector<ArchiveRecord> records;
  for (int i = first; i < first + count; ++i) {
    char values[11];
    std::snprintf(values, sizeof values, "%5.1f%5.1f", (i * 73 % 1000) / 10.0, i % 7 * 1.5);
    records.push_back(IntervalRecord(i % 60, values));
  }
  return records;
}

// Rows of the appended records merged into the list equal a reading of the whole file, for
// every sort column of both kinds; the event view keeps no duplicates either way.
TEST_F(AppendedRowsTest, MergedRowsEqualAWholeReading) {
  for (const bool interval : {true, false}) {
    for (int column = 1; column <= (interval ? 5 : 7); ++column) {
      SCOPED_TRACE((interval ? "interval, column " : "event, column ") + std::to_string(column));
      const auto path = interval ? dir.Write("a.czt", Join(IntervalHeader('2'), Intervals(0, 50)))
                                 : dir.Write("a.zdr", Events(0, 50));
      RowStore followed;
      const ReadingEnd since = ReadWhole(path, interval, column, followed);
      const std::size_t before = followed.Size();
      // Some appended records repeat earlier ones.
      Append(path, interval ? Intervals(30, 40) : Events(30, 40), "piece");

      const AppendedRows appended = Appended(path, interval, since, followed);
      ASSERT_EQ(appended.look, FollowLook::kNewRows);
      EXPECT_EQ(followed.Size(), before + 40);
      EXPECT_EQ(appended.end.records, since.records + 40);
      followed.MergeAppended();

      RowStore whole;
      ReadWhole(path, interval, column, whole);
      EXPECT_EQ(RowTexts(followed), RowTexts(whole));
      EXPECT_FALSE(file.IsOpen());
      EXPECT_TRUE(reporter.events.empty());
    }
  }
}

TEST_F(AppendedRowsTest, FileThatHasNotGrownGivesNothingNew) {
  const auto path = dir.Write("a.zdr", Events(0, 5));
  const ReadingEnd since = ReadWhole(path, false, 1, rows);
  Append(path, {}, "a piece of a record");
  const AppendedRows appended = Appended(path, false, since, rows);
  EXPECT_EQ(appended.look, FollowLook::kNothingNew);
  EXPECT_EQ(appended.end.records, 5u);
  EXPECT_FALSE(file.IsOpen());
}

#ifndef _WIN32
TEST_F(AppendedRowsTest, MissingFileOrAFileInItsPlaceBeingMadeGivesNothingNew) {
  const WaitGuard guard;
  const auto path = dir.Write("a.zdr", Events(0, 5));
  const ReadingEnd since = ReadWhole(path, false, 1, rows);
  std::filesystem::remove(path);
  EXPECT_EQ(Appended(path, false, since, rows).look, FollowLook::kNothingNew);
  ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0);
  EXPECT_EQ(Appended(path, false, since, rows).look, FollowLook::kNothingNew);
  EXPECT_TRUE(reporter.events.empty());
}
#endif

TEST_F(AppendedRowsTest, ShrunkOrReplacedFileIsReadAgain) {
  const auto path = dir.Write("a.czt", Join(IntervalHeader('2'), Intervals(0, 5)));
  const ReadingEnd since = ReadWhole(path, true, 1, rows);
  std::filesystem::resize_file(path, 8 * kRecordSize);
  EXPECT_EQ(Appended(path, true, since, rows).look, FollowLook::kReadAgain);
  dir.Write("b.czt", Join(IntervalHeader('2'), Intervals(0, 6)));
  std::filesystem::rename(dir / "b.czt", path);
  EXPECT_EQ(Appended(path, true, since, rows).look, FollowLook::kReadAgain);
  EXPECT_FALSE(file.IsOpen());
}

TEST_F(AppendedRowsTest, IntervalReadingThatEndedInsideItsHeaderIsReadAgain) {
  const auto path = dir.Write("a.czt", Join(IntervalHeader('2'), Intervals(0, 5)));
  ReadingEnd since = ReadWhole(path, true, 1, rows);
  since.records = 4;
  EXPECT_EQ(Appended(path, true, since, rows).look, FollowLook::kReadAgain);
}

TEST_F(AppendedRowsTest, AppendedRecordOfAnotherKindStopsAfterTheRowsBeforeIt) {
  const auto path = dir.Write("a.zdr", Events(0, 5));
  const ReadingEnd since = ReadWhole(path, false, 1, rows);
  Append(path, Join(Events(5, 2), std::vector{EventRecord(1, 'H', kIntervalKind)}, Events(7, 3)));
  const AppendedRows appended = Appended(path, false, since, rows);
  EXPECT_EQ(appended.look, FollowLook::kStopped);
  EXPECT_EQ(appended.stop, ReadStop::WrongKind);
  EXPECT_EQ(rows.Size(), 7u) << "the two records before it";
  EXPECT_TRUE(reporter.events.empty());
  ReportReadStop(appended.stop, file);
  EXPECT_EQ(reporter.events, (std::vector<std::string>{"beep", "message:S108\rS109"}));
}

// The place of a row found again by its text after rows were merged in: a search in the
// collation order, exact bytes deciding.
TEST_F(AppendedRowsTest, RowsAreFoundAgainByTheirTexts) {
  const auto path = dir.Write("a.zdr", Events(0, 60));
  ReadWhole(path, false, 3, rows);
  const Texts texts = RowTexts(rows);
  for (std::size_t i = 0; i < texts.size(); ++i) {
    const auto found = FindRow(rows, texts[i]);
    ASSERT_TRUE(found) << i;
    EXPECT_EQ(texts[*found], texts[i]);
    EXPECT_LE(*found, i) << "the first of equal rows";
  }
  EXPECT_EQ(FindRow(rows, texts.front() + "x"), std::nullopt);
  EXPECT_EQ(FindRow(RowStore(), "a"), std::nullopt);
}

}  // namespace
}  // namespace telvoran
