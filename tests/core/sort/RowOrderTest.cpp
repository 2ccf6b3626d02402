#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "core/sort/Collation.h"
#include "core/work/WorkProgress.h"
#include "support/TextRows.h"

namespace telvoran {
namespace {

using test::RowTexts;
using test::TextRows;

TextRows ListOf(const std::vector<std::string>& rows) {
  TextRows list;
  for (const auto& row : rows) list.Append(row);
  return list;
}

TEST(Collation, OrdersSpacePunctuationDigitsLettersThenEverythingElse) {
  // Each text orders strictly before the next.
  const std::vector<std::string> ascending = {
      " ",     "!",    "-", ".",    ":",    "@",    "[",    "_",    "~",    "0",    "9",   "a",
      "A\xB9", "\xA5", "b", "c",    "\xE6", "d",    "e",    "\xEA", "l",    "\xB3", "n",   "\xF1",
      "o",     "\xD3", "s", "\x9C", "z",    "\x9F", "\xBF", "\x01", "\x7F", "\x80", "\xE4"};
  for (std::size_t i = 0; i + 1 < ascending.size(); ++i)
    EXPECT_LT(Collation::Compare(ascending[i], ascending[i + 1]), 0)
        << "'" << ascending[i] << "' before '" << ascending[i + 1] << "'";
}

TEST(Collation, IgnoresCaseOfAsciiAndPolishLetters) {
  EXPECT_EQ(Collation::Compare("Abc", "aBC"), 0);
  EXPECT_EQ(Collation::Compare("\xA5\xC6\xCA\xA3\xD1\xD3\x8C\x8F\xAF",
                               "\xB9\xE6\xEA\xB3\xF1\xF3\x9C\x9F\xBF"),
            0);
  EXPECT_NE(Collation::Compare("\xC4", "\xE4"), 0) << "other letters are plain bytes";
}

TEST(Collation, PrefixComesFirst) {
  EXPECT_LT(Collation::Compare("abc", "abcd"), 0);
  EXPECT_LT(Collation::Compare("", " "), 0);
  EXPECT_TRUE(Collation::RowLess("AB", "ab")) << "equal texts are ordered by their bytes";
  EXPECT_FALSE(Collation::RowLess("ab", "AB"));
  EXPECT_FALSE(Collation::RowLess("ab", "ab"));
}

TEST(RowOrder, SpaceBeforeDigitGivesNumericOrderOfRightAlignedValues) {
  TextRows list = ListOf({"101.0 b", " 21.5 a", "  5.0 c", "100.0 d"});
  list.Sort();
  EXPECT_EQ(RowTexts(list), (std::vector<std::string>{"  5.0 c", " 21.5 a", "100.0 d", "101.0 b"}));
}

TEST(RowOrder, SortAgreesWithTheCollationOnRandomRows) {
  // Rows share long beginnings, as rows sorted by a situation text do, and differ in case
  // and length, so that every way of ordering two rows is taken.
  std::mt19937 random(7);
  const std::string alphabet = " -:0123456789aAbB\xB9\xA5zZ\xBF\xAF\xFF";
  const std::string beginnings[] = {"", "Stan normalny0", "STAN normalny0 2005-03-14", "a"};
  std::vector<std::string> rows;
  for (int i = 0; i < 20000; ++i) {
    std::string tail(random() % 14, ' ');
    for (char& c : tail) c = alphabet[random() % alphabet.size()];
    rows.push_back(beginnings[random() % 4] + tail);
  }
  TextRows list = ListOf(rows);
  list.Sort();
  std::sort(rows.begin(), rows.end(), Collation::RowLess);
  EXPECT_EQ(RowTexts(list), rows);
}

// Rows read from an archive in time order and led by a sort prefix: within each prefix they are
// in order already, except where a record is out of place.
// Rows whose texts, once `cancelAfter` of them have been built, ask the sort to stop, as Esc
// pressed in the middle of a sort would.
class RowsCancellingTheSort final : public SortSource {
 public:
  RowsCancellingTheSort(std::size_t count, std::size_t cancelAfter, WorkProgress& progress)
      : cancelAfter_(cancelAfter), progress_(progress) {
    std::mt19937 random(7);
    for (std::size_t i = 0; i < count; ++i) texts_.push_back(std::to_string(random() % 1000000));
  }
  void StoredText(RecordIndex index, RowText& text) const override {
    if (++built_ == cancelAfter_) progress_.Cancel();
    text.Clear();
    text.Append(texts_[index]);
  }
  bool SameDateTime(RecordIndex, RecordIndex) const override { return false; }
  bool WithoutPrefixes() const override { return false; }
  std::size_t WidestPrefix() const override { return 0; }
  std::size_t Built() const { return built_; }

 private:
  std::vector<std::string> texts_;
  std::size_t cancelAfter_;
  WorkProgress& progress_;
  mutable std::atomic<std::size_t> built_{0};
};

TEST(RowOrder, ACancelledSortStopsSoonAndOneNotCancelledIsTheSame) {
  constexpr std::size_t kRows = 400'000;
  WorkProgress cancelled;
  const RowsCancellingTheSort stopping(kRows, 1000, cancelled);
  EXPECT_THROW(SortByCollation(stopping, 0, kRows, DateTimeOrder::Unknown(), nullptr, &cancelled),
               SortCancelled);
  // A look every 65536 rows on each of two threads.
  EXPECT_LT(stopping.Built(), 1000u + 2 * 65536u);

  WorkProgress running;
  const RowsCancellingTheSort going(kRows, kRows * 100, running);
  const CollationOrder withProgress =
      SortByCollation(going, 0, kRows, DateTimeOrder::Unknown(), nullptr, &running);
  const CollationOrder without = SortByCollation(going, 0, kRows, DateTimeOrder::Unknown());
  ASSERT_FALSE(without.readingOrder);
  ASSERT_FALSE(withProgress.readingOrder);
  EXPECT_TRUE(std::equal(without.indices.begin(), without.indices.end(),
                         withProgress.indices.begin()));
}

TEST(RowOrder, SortsRowsThatAreInOrderWithinEachPrefix) {
  std::mt19937 random(11);
  const std::string prefixes[] = {" 21.5", "101.0", "  5.0", " 21.5", "ab", "AB", "  5.0"};
  std::vector<std::string> rows;
  for (int minute = 0; minute < 100000; ++minute) {
    char time[64];
    std::snprintf(time, sizeof time, "2005-03-14  %06d:00%24s", minute, "");
    rows.push_back(prefixes[random() % 7] + time);
  }
  std::swap(rows[100], rows[90000]);  // one record written out of time order
  rows.push_back(rows[17]);           // and one twice
  TextRows list = ListOf(rows);
  list.Sort();
  std::sort(rows.begin(), rows.end(), Collation::RowLess);
  EXPECT_EQ(RowTexts(list), rows);
}

}  // namespace
}  // namespace telvoran
