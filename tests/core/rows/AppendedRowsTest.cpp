// Following a growing archive: the rows of appended records only, merged into a sorted list,
// give the list a reading of the whole file would give.
#include "core/rows/AppendedRows.h"

#include <gtest/gtest.h>

#include <random>

#include "core/rows/Collation.h"
#include "support/ArchiveReading.h"
#include "support/ArchiveRecords.h"
#include "support/FileSystemThings.h"

namespace telvoran {
namespace {

using namespace test;
using Texts = std::vector<std::string>;

RowList ListOf(const Texts& texts) {
  RowList list;
  for (const auto& text : texts) list.Append(text);
  list.Sort();
  return list;
}

TEST(RowListMerge, PutsEachRowAtItsPlaceAndSaysWhere) {
  RowList list = ListOf({"b", "d", "f"});
  const auto positions = list.MergeSorted(ListOf({"a", "c", "c", "g"}), false);
  EXPECT_EQ(RowTexts(list), (Texts{"a", "b", "c", "c", "d", "f", "g"}));
  EXPECT_EQ(positions, (std::vector<std::size_t>{0, 2, 3, 6}));
}

TEST(RowListMerge, EqualRowsGoAfterTheOldOnesOrAreLeftOut) {
  // Rows differing in case only are not equal: "B" orders right before "b".
  RowList kept = ListOf({"a", "b", "c"});
  EXPECT_EQ(kept.MergeSorted(ListOf({"b", "B", "b"}), false), (std::vector<std::size_t>{1, 3, 4}));
  EXPECT_EQ(RowTexts(kept), (Texts{"a", "B", "b", "b", "b", "c"}));

  RowList unique = ListOf({"a", "b", "c"});
  EXPECT_EQ(unique.MergeSorted(ListOf({"b", "B", "b", "d", "d"}), true),
            (std::vector<std::size_t>{1, 4}));
  EXPECT_EQ(RowTexts(unique), (Texts{"a", "B", "b", "c", "d"}));
}

TEST(RowListMerge, IntoAnEmptyListAndAtTheEnd) {
  RowList list;
  EXPECT_EQ(list.MergeSorted(ListOf({"b", "a"}), true), (std::vector<std::size_t>{0, 1}));
  EXPECT_EQ(list.MergeSorted(ListOf({"x", "y"}), true), (std::vector<std::size_t>{2, 3}));
  EXPECT_EQ(list.MergeSorted(RowList(), true), std::vector<std::size_t>{});
  EXPECT_EQ(RowTexts(list), (Texts{"a", "b", "x", "y"}));
}

// A list sorted by the radix passes, whose keys then hold weights of different positions,
// still takes rows at the places the collation gives them.
TEST(RowListMerge, KeepsTheCollationOrderOfALargeSortedList) {
  std::mt19937 random(7);
  Texts texts;
  for (int i = 0; i < 20000; ++i)
    texts.push_back("2009-03-05 " + std::to_string(random() % 1000) + " row " +
                    std::to_string(random() % 97));
  RowList list = ListOf(texts);
  list.MergeSorted(ListOf({"2009-03-05 500 row 5", "0", "zzz", "2009-03-05 500 row 50"}), true);
  const Texts merged = RowTexts(list);
  for (std::size_t i = 1; i < merged.size(); ++i)
    ASSERT_FALSE(Collation::RowLess(merged[i], merged[i - 1])) << i;
  EXPECT_EQ(list.Find("zzz"), merged.size() - 1);
  EXPECT_EQ(list.Find("0"), 0u);
  EXPECT_EQ(list.Find("2009-03-05 500 row 5x"), std::nullopt);
}

class AppendedRowsTest : public ::testing::Test, protected ArchiveReading {
 protected:
  // Reads the whole file as a re-sort does; where it ended is the place to follow from.
  ReadingEnd ReadWhole(const std::filesystem::path& path, bool interval, int sortColumn,
                       RowList& list) {
    const bool complete = interval
                              ? ReloadIntervalRows(file, path, sortColumn, kReloadMessages, list)
                              : ReloadEventRows(file, path, sortColumn, kReloadMessages, list);
    EXPECT_TRUE(complete);
    return file.LastReadingEnd();
  }
  AppendedRows Appended(const std::filesystem::path& path, bool interval, const ReadingEnd& since,
                        int sortColumn) {
    return interval ? ReadAppendedIntervalRows(file, path, since, 2, sortColumn)
                    : ReadAppendedEventRows(file, path, since, sortColumn);
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
      RowList followed;
      const ReadingEnd since = ReadWhole(path, interval, column, followed);
      // Some appended records repeat earlier ones.
      Append(path, interval ? Intervals(30, 40) : Events(30, 40), "piece");

      const AppendedRows appended = Appended(path, interval, since, column);
      ASSERT_EQ(appended.look, FollowLook::kNewRows);
      EXPECT_EQ(appended.rows.Size(), 40u);
      EXPECT_EQ(appended.end.records, since.records + 40);
      followed.MergeSorted(appended.rows, !interval);

      RowList whole;
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
  const AppendedRows appended = Appended(path, false, since, 1);
  EXPECT_EQ(appended.look, FollowLook::kNothingNew);
  EXPECT_EQ(appended.end.records, 5u);
  EXPECT_FALSE(file.IsOpen());
}

TEST_F(AppendedRowsTest, MissingFileOrAFileInItsPlaceBeingMadeGivesNothingNew) {
  const WaitGuard guard;
  const auto path = dir.Write("a.zdr", Events(0, 5));
  const ReadingEnd since = ReadWhole(path, false, 1, rows);
  std::filesystem::remove(path);
  EXPECT_EQ(Appended(path, false, since, 1).look, FollowLook::kNothingNew);
  ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0);
  EXPECT_EQ(Appended(path, false, since, 1).look, FollowLook::kNothingNew);
  EXPECT_TRUE(reporter.events.empty());
}

TEST_F(AppendedRowsTest, ShrunkOrReplacedFileIsReadAgain) {
  const auto path = dir.Write("a.czt", Join(IntervalHeader('2'), Intervals(0, 5)));
  const ReadingEnd since = ReadWhole(path, true, 1, rows);
  std::filesystem::resize_file(path, 8 * kRecordSize);
  EXPECT_EQ(Appended(path, true, since, 1).look, FollowLook::kReadAgain);
  dir.Write("b.czt", Join(IntervalHeader('2'), Intervals(0, 6)));
  std::filesystem::rename(dir / "b.czt", path);
  EXPECT_EQ(Appended(path, true, since, 1).look, FollowLook::kReadAgain);
  EXPECT_FALSE(file.IsOpen());
}

TEST_F(AppendedRowsTest, IntervalReadingThatEndedInsideItsHeaderIsReadAgain) {
  const auto path = dir.Write("a.czt", Join(IntervalHeader('2'), Intervals(0, 5)));
  ReadingEnd since = ReadWhole(path, true, 1, rows);
  since.records = 4;
  EXPECT_EQ(Appended(path, true, since, 1).look, FollowLook::kReadAgain);
}

TEST_F(AppendedRowsTest, AppendedRecordOfAnotherKindStopsAfterTheRowsBeforeIt) {
  const auto path = dir.Write("a.zdr", Events(0, 5));
  const ReadingEnd since = ReadWhole(path, false, 1, rows);
  Append(path, Join(Events(5, 2), std::vector{EventRecord(1, 'H', kIntervalKind)}, Events(7, 3)));
  const AppendedRows appended = Appended(path, false, since, 1);
  EXPECT_EQ(appended.look, FollowLook::kStopped);
  EXPECT_EQ(appended.stop, ReadStop::WrongKind);
  EXPECT_EQ(appended.rows.Size(), 2u);
  EXPECT_TRUE(reporter.events.empty());
  ReportReadStop(appended.stop, file);
  EXPECT_EQ(reporter.events, (std::vector<std::string>{"beep", "message:S108\rS109"}));
}

}  // namespace
}  // namespace telvoran
