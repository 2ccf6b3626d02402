// Which rows a filter keeps: the typed text against each row's display text, letters folded as
// the sort folds them, and the situations of event rows.
#include "core/rows/RowFilter.h"

#include <gtest/gtest.h>

#include "core/rows/EventRows.h"
#include "core/rows/IntervalRows.h"
#include "core/text/Cp1250.h"
#include "support/ArchiveRecords.h"
#include "support/FakeStrings.h"

namespace telvoran {
namespace {

using test::EventRecord;
using test::IntervalRecord;

test::FakeStrings Situations() {
  test::FakeStrings strings;
  strings.Set(160, "Stan normalny");
  strings.Set(161, "Alarm niski");
  strings.Set(162, Utf8ToCp1250("Przekroczenie GÓRNE Łącza"));
  strings.Set(163, "Pomiar");
  strings.Set(164, "Ostrzezenie");
  strings.Set(165, "Odlaczenie");
  strings.Set(166, "Awaria");
  return strings;
}

RowFilter WithText(std::string_view utf8) {
  RowFilter filter;
  filter.SetText(utf8);
  return filter;
}

bool Keeps(const RowFilter& filter, const ArchiveRecord& record, const RowFormat& format) {
  RowText text;
  return filter.Keeps(record, format, text);
}

TEST(FoldAsSorted, FoldsTheCaseOfEveryLetterTheSortFoldsAndNothingElse) {
  EXPECT_EQ(FoldAsSorted(Utf8ToCp1250("ĄĆĘŁŃÓŚŹŻ")), Utf8ToCp1250("ąćęłńóśźż"));
  EXPECT_EQ(FoldAsSorted("ABCXYZ abcxyz"), "abcxyz abcxyz");
  EXPECT_EQ(FoldAsSorted("0123 .,;-+<>%"), "0123 .,;-+<>%");
  // A Polish letter stays a letter of its own, as in the sort.
  EXPECT_NE(FoldAsSorted(Utf8ToCp1250("Ł")), "l");
  EXPECT_NE(FoldAsSorted(Utf8ToCp1250("ó")), "o");
  // Bytes the sort weighs one by one are not folded: Windows-1250 letters beyond Polish.
  EXPECT_EQ(FoldAsSorted(Utf8ToCp1250("ÄÖÜ")), Utf8ToCp1250("ÄÖÜ"));
}

struct TextCase {
  const char* typed;
  bool kept;
};

class EventRowText : public ::testing::TestWithParam<TextCase> {};

// The row of an H record: "2009-03-05  07:04:09    5     2   AB     45.0  cd    Przekroczenie GÓRNE
// Łącza" (the colour digit is stored after it but never drawn).
TEST_P(EventRowText, IsMatchedAsTheSortComparesLetters) {
  const test::FakeStrings strings = Situations();
  for (int sortColumn = 1; sortColumn <= kEventSortColumns; ++sortColumn) {
    SCOPED_TRACE(sortColumn);
    EXPECT_EQ(Keeps(WithText(GetParam().typed), EventRecord(4, 'H'),
                    RowFormat::Event(sortColumn, strings)),
              GetParam().kept);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EventRowText,
    ::testing::Values(TextCase{"", true}, TextCase{"GÓRNE", true}, TextCase{"górne", true},
                      TextCase{"gÓrNe", true}, TextCase{"łącza", true}, TextCase{"ŁĄCZA", true},
                      // Polish letters are not their base letters.
                      TextCase{"gorne", false}, TextCase{"lacza", false},
                      // Across columns, and the date as drawn.
                      TextCase{"ab     45.0  cd", true}, TextCase{"2009-03-05  07:04:09", true},
                      TextCase{"07:04:10", false},
                      // The colour digit ends the stored row but is not drawn.
                      TextCase{"Łącza2", false}, TextCase{"przekroczenie górne łącza ", false},
                      // Nothing Windows-1250 cannot hold is in any row.
                      TextCase{"Łącza ж", false}, TextCase{"ж", false}));

TEST(RowFilter, MatchesTheRowAsDrawnNotTheSortPrefixInFrontOfIt) {
  // Sorted by channel 1, the stored row begins with a copy of channel 1's value: text that runs
  // from that copy into the date is in the stored text only.
  const RowFormat format = RowFormat::Interval(2, 2);
  const ArchiveRecord record = IntervalRecord(4);
  RowText stored;
  format.StoredText(record, stored);
  ASSERT_GT(stored.PrefixLength(), 0u);
  const std::string across(stored.Text().substr(stored.PrefixLength() - 2, 6));
  RowText drawn;
  ASSERT_EQ(format.DisplayText(record, drawn).find(across), std::string_view::npos);
  EXPECT_FALSE(Keeps(WithText(across), record, format));
  EXPECT_TRUE(Keeps(WithText("101.0"), record, format));
  EXPECT_TRUE(Keeps(WithText("2005-03-14  08:04"), record, format));
}

TEST(RowFilter, HidesTheRowsOfHiddenSituationsOnly) {
  const test::FakeStrings strings = Situations();
  const RowFormat format = RowFormat::Event(1, strings);
  RowFilter filter;
  EXPECT_FALSE(filter.IsActive());
  filter.SetSituationHidden('H', true);
  filter.SetSituationHidden('F', true);
  EXPECT_TRUE(filter.IsActive());
  EXPECT_EQ(filter.HiddenSituations(), "FH");
  for (char code : std::string("GLHMWOFx")) {
    SCOPED_TRACE(code);
    EXPECT_EQ(Keeps(filter, EventRecord(1, code), format), code != 'H' && code != 'F');
  }
  // Hidden situations and text together: both must let the row through.
  filter.SetText("normalny");
  EXPECT_TRUE(Keeps(filter, EventRecord(1, 'G'), format));
  EXPECT_FALSE(Keeps(filter, EventRecord(1, 'L'), format));
  filter.SetSituationHidden('H', false);
  filter.SetSituationHidden('F', false);
  filter.SetText("");
  EXPECT_FALSE(filter.IsActive());
}

TEST(RowFilter, SituationsMeanNothingToIntervalRows) {
  RowFilter filter;
  // Byte 8 of an interval record is part of a channel value.
  const ArchiveRecord record = IntervalRecord(4, " 21.5101.0");
  filter.SetSituationHidden(static_cast<char>(record.bytes[kEventSituationByte]), true);
  EXPECT_TRUE(Keeps(filter, record, RowFormat::Interval(2, 1)));
}

TEST(RowFilter, TextNotInTheCodePageIsActiveAndNamedWithAQuestionMark) {
  const RowFilter filter = WithText("aж");
  EXPECT_TRUE(filter.IsActive());
  EXPECT_EQ(filter.Text(), "a?");
  // A question mark typed is an ordinary character, found where a row has one.
  const test::FakeStrings strings = Situations();
  test::FakeStrings asking = strings;
  asking.Set(160, "Stan a?");
  EXPECT_FALSE(Keeps(filter, EventRecord(1, 'G'), RowFormat::Event(1, asking)));
  EXPECT_TRUE(Keeps(WithText("a?"), EventRecord(1, 'G'), RowFormat::Event(1, asking)));
}

struct NarrowCase {
  const char* before;
  std::string hiddenBefore;
  const char* after;
  std::string hiddenAfter;
  bool narrows;
};

class FilterNarrowing : public ::testing::TestWithParam<NarrowCase> {};

TEST_P(FilterNarrowing, OnlyWhenEveryRowKeptIsKeptBefore) {
  const NarrowCase& c = GetParam();
  RowFilter before = WithText(c.before);
  for (char code : c.hiddenBefore) before.SetSituationHidden(code, true);
  RowFilter after = WithText(c.after);
  for (char code : c.hiddenAfter) after.SetSituationHidden(code, true);
  EXPECT_EQ(after.Narrows(before), c.narrows);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FilterNarrowing,
    ::testing::Values(NarrowCase{"", "", "a", "", true}, NarrowCase{"ab", "", "abc", "", true},
                      NarrowCase{"b", "", "ABc", "", true}, NarrowCase{"abc", "", "ab", "", false},
                      NarrowCase{"ab", "", "ba", "", false}, NarrowCase{"ł", "", "Łl", "", true},
                      NarrowCase{"l", "", "ł", "", false}, NarrowCase{"a", "H", "a", "HL", true},
                      NarrowCase{"a", "HL", "ab", "H", false}, NarrowCase{"", "", "", "G", true},
                      // A text that keeps nothing narrows anything; nothing widens from it.
                      NarrowCase{"a", "", "aж", "", true}, NarrowCase{"aж", "", "aжb", "", true},
                      NarrowCase{"aж", "", "a", "", false}));

}  // namespace
}  // namespace telvoran
