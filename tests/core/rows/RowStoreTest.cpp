#include "core/rows/RowStore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <string>
#include <vector>

#include "core/rows/EventRows.h"
#include "core/rows/IntervalRows.h"
#include "core/sort/Collation.h"
#include "support/FakeStrings.h"
#include "support/RandomRecords.h"

namespace telvoran {
namespace {

using test::DateRun;
using test::FakeStrings;
using test::RandomRecords;

// Situation texts that are beginnings of one another once their colour digits follow ("Alarm0"
// of "Alarm01"), one empty, two equal but for case, one of 60 characters.
FakeStrings AwkwardSituations() {
  return FakeStrings({{160, "Alarm"},
                      {161, "Alarm0"},
                      {162, "Alarm0 x"},
                      {163, ""},
                      {164, "stan"},
                      {165, "STAN"},
                      {166, std::string(60, '\xA5')}});
}

// The situation texts of a monitoring program in use.
FakeStrings UsualSituations() {
  return FakeStrings({{160, "Stan normalny"},
                      {161, "Przekroczenie progu niskiego"},
                      {162, "Przekroczenie progu wysokiego"},
                      {163, "Awaria czujnika"},
                      {164,
                       "Ostrze\xBF"
                       "enie"},
                      {165,
                       "Kana\xB3 wy\xB3\xB9"
                       "czony"},
                      {166, "Awaria centrali"}});
}

struct Case {
  ArchiveKind kind;
  int sortColumn;
  DateRun dates;
  std::size_t records;
  bool awkwardSituations = false;
};

std::string Name(const Case& c) {
  const char* dates[] = {"Rising", "WithEquals", "Shuffled", "WithStrays", "AllEqual", "Scattered"};
  return std::string(c.kind == ArchiveKind::Event ? "Event" : "Interval") + "Column" +
         std::to_string(c.sortColumn) + dates[static_cast<int>(c.dates)] +
         std::to_string(c.records) + (c.awkwardSituations ? "Awkward" : "");
}

std::vector<Case> Cases() {
  std::vector<Case> cases;
  for (DateRun dates : {DateRun::Rising, DateRun::WithEquals, DateRun::Shuffled,
                        DateRun::WithStrays, DateRun::AllEqual, DateRun::Scattered}) {
    // A few rows, some hundreds and some thousands: each size is sorted a way of its own.
    for (std::size_t records : {9, 700, 6000}) {
      for (int column = 1; column <= kIntervalSortColumns; ++column)
        cases.push_back({ArchiveKind::Interval, column, dates, records});
      for (int column = 1; column <= kEventSortColumns; ++column) {
        cases.push_back({ArchiveKind::Event, column, dates, records});
        cases.push_back({ArchiveKind::Event, column, dates, records, true});
      }
    }
  }
  return cases;
}

// Lists long enough to have their rows' texts looked at on two threads.
std::vector<Case> LongCases() {
  std::vector<Case> cases;
  for (int column = 1; column <= kIntervalSortColumns; ++column) {
    cases.push_back({ArchiveKind::Interval, column, DateRun::Shuffled, 40000});
    cases.push_back({ArchiveKind::Interval, column, DateRun::Scattered, 40000});
  }
  for (int column = 1; column <= kEventSortColumns; ++column) {
    cases.push_back({ArchiveKind::Event, column, DateRun::Shuffled, 40000});
    cases.push_back({ArchiveKind::Event, column, DateRun::Scattered, 40000});
    cases.push_back({ArchiveKind::Event, column, DateRun::WithEquals, 40000, true});
    // Dates out of range: sorted without the dates' numbers, repeated rows told by texts.
    cases.push_back({ArchiveKind::Event, column, DateRun::WithStrays, 40000});
  }
  return cases;
}

class RowStoreOrder : public ::testing::TestWithParam<Case> {
 protected:
  RowFormat Format() const {
    const Case& c = GetParam();
    return c.kind == ArchiveKind::Event
               ? RowFormat::Event(c.sortColumn, c.awkwardSituations ? awkward_ : usual_)
               : RowFormat::Interval(3, c.sortColumn);
  }
  std::vector<ArchiveRecord> Records(unsigned seed = 1) const {
    const Case& c = GetParam();
    RandomRecords random(seed + static_cast<unsigned>(c.sortColumn));
    return c.kind == ArchiveKind::Event ? random.Event(c.records, c.dates)
                                        : random.Interval(c.records, c.dates);
  }
  RowStore StoreOf(const std::vector<ArchiveRecord>& records) const {
    RowStore store(Format());
    for (const ArchiveRecord& record : records) store.Append(record);
    return store;
  }
  std::string StoredText(const ArchiveRecord& record) const {
    RowText text;
    Format().StoredText(record, text);
    return std::string(text.Text());
  }
  // The record indices in the order the views want: by collation of the stored texts, then
  // their bytes, equal texts in reading order.
  std::vector<RecordIndex> ExpectedOrder(const std::vector<ArchiveRecord>& records) const {
    std::vector<std::string> texts;
    for (const ArchiveRecord& record : records) texts.push_back(StoredText(record));
    std::vector<RecordIndex> order(records.size());
    std::iota(order.begin(), order.end(), RecordIndex{0});
    std::stable_sort(order.begin(), order.end(), [&](RecordIndex a, RecordIndex b) {
      return Collation::RowLess(texts[a], texts[b]);
    });
    return order;
  }
  std::vector<RecordIndex> WithoutDuplicates(const std::vector<ArchiveRecord>& records,
                                             std::vector<RecordIndex> order) const {
    order.erase(std::unique(order.begin(), order.end(),
                            [&](RecordIndex a, RecordIndex b) {
                              return StoredText(records[a]) == StoredText(records[b]);
                            }),
                order.end());
    return order;
  }
  void ExpectSortInCollationOrder() const {
    const auto records = Records();
    RowStore store = StoreOf(records);
    store.Sort();
    EXPECT_EQ(OrderOf(store), ExpectedOrder(records));
    ASSERT_EQ(store.Size(), records.size());
    for (std::size_t row = 0; row < store.Size(); row += 97)
      EXPECT_EQ(store[row], StoredText(store.RecordAt(row)));
  }
  void ExpectFirstOfEqualTextsKept() const {
    const auto records = Records();
    RowStore store = StoreOf(records);
    store.Sort();
    store.RemoveDuplicateRows();
    EXPECT_EQ(OrderOf(store), WithoutDuplicates(records, ExpectedOrder(records)));
    // Once more, on a list that has none.
    store.RemoveDuplicateRows();
    EXPECT_EQ(OrderOf(store), WithoutDuplicates(records, ExpectedOrder(records)));
  }
  static std::vector<RecordIndex> OrderOf(const RowStore& store) {
    std::vector<RecordIndex> order;
    for (std::size_t row = 0; row < store.Size(); ++row) order.push_back(store.RecordIndexAt(row));
    return order;
  }

  FakeStrings usual_ = UsualSituations();
  FakeStrings awkward_ = AwkwardSituations();
};

INSTANTIATE_TEST_SUITE_P(AllKinds, RowStoreOrder, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return Name(info.param); });

TEST_P(RowStoreOrder, SortGivesTheCollationOrderOfTheStoredTextsWithEqualTextsAsRead) {
  ExpectSortInCollationOrder();
}

class LongRowStoreOrder : public RowStoreOrder {};

INSTANTIATE_TEST_SUITE_P(AllKinds, LongRowStoreOrder, ::testing::ValuesIn(LongCases()),
                         [](const auto& info) { return Name(info.param); });

TEST_P(LongRowStoreOrder, SortGivesTheCollationOrderOfTheStoredTextsWithEqualTextsAsRead) {
  ExpectSortInCollationOrder();
}

TEST_P(RowStoreOrder, RemoveDuplicateRowsKeepsTheFirstOfEqualTexts) {
  ExpectFirstOfEqualTextsKept();
}

TEST_P(LongRowStoreOrder, RemoveDuplicateRowsKeepsTheFirstOfEqualTexts) {
  ExpectFirstOfEqualTextsKept();
}

// Records read later are merged into a sorted store, at once or a few a look (a followed file)
// for longer than the list keeps merged rows apart from the others: the list is the one sorting
// them all gives, also once more without duplicates, and the places returned are those of the
// later records.
TEST_P(RowStoreOrder, MergeAppendedGivesWhatSortingEverythingGives) {
  const auto records = Records();
  const std::size_t n = records.size();
  for (bool withoutDuplicates : {false, true}) {
    for (const auto& [first, lookByLook] : {std::pair{std::size_t{0}, false},
                                             {n / 3, false}, {n - 1, false}, {n / 8, true}}) {
      RowStore whole = StoreOf(records);
      whole.Sort();
      RowStore grown = StoreOf({records.begin(), records.begin() + static_cast<long>(first)});
      grown.Sort();
      if (withoutDuplicates) {
        whole.RemoveDuplicateRows();
        grown.RemoveDuplicateRows();
      }
      for (std::size_t look = first, step = 0; look < n; ++step) {
        const std::size_t end = lookByLook ? std::min(n, look + 1 + step % 23) : n;
        for (std::size_t i = look; i < end; ++i) grown.Append(records[i]);
        const std::vector<RowNumber> places = grown.MergeAppended();
        for (const RowNumber place : places) {
          const RecordIndex record = grown.RecordIndexAt(place);
          ASSERT_TRUE(record >= look && record < end) << place << " after record " << look;
        }
        if (!lookByLook) {
          std::vector<RowNumber> later;
          for (std::size_t row = 0; row < grown.Size(); ++row)
            if (grown.RecordIndexAt(row) >= first) later.push_back(static_cast<RowNumber>(row));
          EXPECT_EQ(places, later) << first << withoutDuplicates;
        }
        look = end;
      }
      ASSERT_EQ(OrderOf(grown), OrderOf(whole)) << first << withoutDuplicates;
      EXPECT_TRUE(grown.MergeAppended().empty()) << "nothing left to merge";
      if (withoutDuplicates) {
        grown.RemoveDuplicateRows();
        EXPECT_EQ(OrderOf(grown), OrderOf(whole)) << first;
      }
    }
  }
}

TEST_P(RowStoreOrder, DisplayTextIsTheStoredTextWithoutPrefixAndClosingCharacter) {
  const auto records = Records();
  RowStore store = StoreOf(records);
  store.Sort();
  RowText text;
  for (std::size_t row = 0; row < store.Size(); ++row) {
    const std::string stored = store[row];
    ASSERT_EQ(store.DisplayText(row, text), Format().DisplayTextOfStored(stored)) << row;
  }
}

TEST(RowStore, RowsAppendedAfterSortingWaitAtTheEndUntilMerged) {
  RandomRecords random(3);
  const auto records = random.Interval(50, DateRun::Shuffled);
  RowStore store(RowFormat::Interval(3, 2));
  for (std::size_t i = 0; i < 40; ++i) store.Append(records[i]);
  store.Sort();
  for (std::size_t i = 40; i < 50; ++i) store.Append(records[i]);
  ASSERT_EQ(store.Size(), 50u);
  for (std::size_t row = 40; row < 50; ++row) EXPECT_EQ(store.RecordIndexAt(row), row);
}

// An archive in time order, sorted by date and time, needs no order of its own; neither do rows
// merged in at its end. Any other order costs 4 bytes a row.
TEST(RowStore, ListInReadingOrderHoldsNothingButTheRecords) {
  RandomRecords random(4);
  auto records = random.Event(3500, DateRun::Rising);
  records.erase(std::unique(records.begin(), records.end(),
                            [](const auto& a, const auto& b) { return a.bytes == b.bytes; }),
                records.end());
  ASSERT_GE(records.size(), 3000u);
  records.resize(3000);
  FakeStrings strings = AwkwardSituations();
  RowStore byDate(RowFormat::Event(1, strings));
  RowStore byReading(RowFormat::Event(5, strings));
  for (std::size_t i = 0; i < 2000; ++i) {
    byDate.Append(records[i]);
    byReading.Append(records[i]);
  }
  byDate.Sort();
  byReading.Sort();
  byDate.RemoveDuplicateRows();
  EXPECT_EQ(byDate.MemoryBytes(), byDate.RecordCount() * sizeof(ArchiveRecord));
  EXPECT_EQ(byReading.MemoryBytes(),
            byReading.RecordCount() * (sizeof(ArchiveRecord) + sizeof(RecordIndex)));

  for (std::size_t i = 2000; i < 3000; ++i) byDate.Append(records[i]);
  byDate.MergeAppended();
  EXPECT_EQ(byDate.Size(), byDate.RecordCount());
  for (std::size_t row = 0; row < byDate.Size(); row += 101)
    EXPECT_EQ(byDate.RecordIndexAt(row), row);
  EXPECT_LE(byDate.MemoryBytes(), 2 * 3000 * sizeof(ArchiveRecord)) << "no order written out";
}

TEST(RowStore, ClearDropsRowsAndMemoryButKeepsTheFormat) {
  RandomRecords random(5);
  RowStore store(RowFormat::Interval(2, 3));
  for (const ArchiveRecord& record : random.Interval(5000, DateRun::Shuffled)) store.Append(record);
  store.Sort();
  store.Clear();
  EXPECT_TRUE(store.Empty());
  EXPECT_EQ(store.MemoryBytes(), 0u);
  EXPECT_EQ(store.Format().SortColumn(), 3);
  store.Append(random.Interval(1, DateRun::Rising)[0]);
  store.Sort();
  EXPECT_EQ(store.Size(), 1u);
}

// What a filtered view does: keep the places of rows whose display text holds a typed text, or
// whose situation is among chosen ones, in the list's order.
TEST(SelectRows, KeepsThePlacesOfAcceptedRowsInListOrder) {
  RandomRecords random(6);
  FakeStrings strings = AwkwardSituations();
  RowStore store(RowFormat::Event(4, strings));
  for (const ArchiveRecord& record : random.Event(4000, DateRun::WithEquals)) store.Append(record);
  store.Sort();

  RowText text;
  const std::vector<RowNumber> withText = SelectRows(store, [&](const ArchiveRecord& record) {
    return store.Format().DisplayText(record, text).find("0a") != std::string_view::npos;
  });
  const std::vector<RowNumber> alarms = SelectRows(store, [](const ArchiveRecord& record) {
    const char code = static_cast<char>(record.bytes[kEventSituationByte]);
    return code == 'H' || code == 'L';
  });

  std::vector<RowNumber> expectedText;
  std::vector<RowNumber> expectedAlarms;
  for (std::size_t row = 0; row < store.Size(); ++row) {
    if (store.DisplayText(row, text).find("0a") != std::string_view::npos)
      expectedText.push_back(static_cast<RowNumber>(row));
    const char code = static_cast<char>(store.RecordAt(row).bytes[kEventSituationByte]);
    if (code == 'H' || code == 'L') expectedAlarms.push_back(static_cast<RowNumber>(row));
  }
  EXPECT_EQ(withText, expectedText);
  EXPECT_EQ(alarms, expectedAlarms);
  EXPECT_FALSE(withText.empty());
  EXPECT_FALSE(alarms.empty());
}

}  // namespace
}  // namespace telvoran
