// The rows a view shows: every row, or those its filter keeps, kept right while the filter is
// narrowed or widened and while later records are merged in; and what the report and the
// printout of a filtered view put out.
#include "core/view/ShownRows.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>

#include "core/report/FilterNote.h"
#include "core/report/PageScheme.h"
#include "core/rows/EventRows.h"
#include "core/view/ViewContent.h"
#include "core/work/WorkProgress.h"
#include "support/ArchiveRecords.h"
#include "support/FakeStrings.h"
#include "support/RandomRecords.h"
#include "support/RecordingSurface.h"

namespace telvoran {
namespace {

using test::DateRun;
using test::RandomRecords;

test::FakeStrings Strings() {
  test::FakeStrings strings = test::NumberedStrings();
  strings.Set(162, "Alarm H");
  strings.Set(166, "Awaria");
  strings.Set(244, " of ");
  strings.Set(245, " rows");
  strings.Set(246, "Filter: ");
  strings.Set(247, "text ");
  strings.Set(248, "without situations: ");
  return strings;
}

RowStore SortedStore(const RowFormat& format, const std::vector<ArchiveRecord>& records) {
  RowStore store(format);
  for (const ArchiveRecord& record : records) store.Append(record);
  store.Sort();
  if (format.Kind() == ArchiveKind::Event) store.RemoveDuplicateRows();
  return store;
}

RowFilter Filter(std::string_view text, std::string_view hidden = "") {
  RowFilter filter;
  filter.SetText(text);
  for (char code : hidden) filter.SetSituationHidden(code, true);
  return filter;
}

// What the filter keeps, found the slow way: every row's display text, folded, searched.
std::vector<std::size_t> Expected(const RowStore& store, const RowFilter& filter) {
  std::vector<std::size_t> rows;
  RowText text;
  for (std::size_t row = 0; row < store.Size(); ++row) {
    const std::string drawn(store.DisplayText(row, text));
    const char code = static_cast<char>(store.RecordAt(row).bytes[kEventSituationByte]);
    if (store.Format().Kind() == ArchiveKind::Event && filter.SituationHidden(code)) continue;
    if (FoldAsSorted(drawn).find(FoldAsSorted(filter.Text())) != std::string::npos)
      rows.push_back(row);
  }
  return rows;
}

std::vector<std::size_t> Shown(const ShownRows& shown, const RowStore& store) {
  std::vector<std::size_t> rows;
  for (std::size_t i = 0; i < shown.Count(store); ++i) rows.push_back(shown.StoreRow(i));
  return rows;
}

struct StoreCase {
  const char* name;
  bool event;
  int sortColumn;
};

class ShownRowsOfStore : public ::testing::TestWithParam<StoreCase> {
 protected:
  test::FakeStrings strings = Strings();
  RowFormat format = GetParam().event ? RowFormat::Event(GetParam().sortColumn, strings)
                                      : RowFormat::Interval(4, GetParam().sortColumn);
  std::vector<ArchiveRecord> Records(std::size_t count, unsigned seed) {
    RandomRecords random(seed);
    return GetParam().event ? random.Event(count, DateRun::WithEquals)
                            : random.Interval(count, DateRun::WithEquals);
  }
};

INSTANTIATE_TEST_SUITE_P(Stores, ShownRowsOfStore,
                         ::testing::Values(StoreCase{"IntervalByDate", false, 1},
                                           StoreCase{"IntervalByChannel3", false, 4},
                                           StoreCase{"EventByDate", true, 1},
                                           StoreCase{"EventBySituation", true, 7}),
                         [](const auto& info) { return info.param.name; });

// Typing a letter at a time, deleting, and hiding situations: narrowing looks only at the rows
// shown, yet each step shows what a fresh look at every row shows.
TEST_P(ShownRowsOfStore, EachStepOfTypingShowsWhatAFreshLookShows) {
  const RowStore store = SortedStore(format, Records(3000, 11));
  ShownRows shown;
  EXPECT_EQ(Shown(shown, store).size(), store.Size()) << "no filter: every row";
  const std::vector<RowFilter> steps = {
      Filter("0"),      Filter("05"),      Filter("05-"), Filter("5"), Filter("a"),
      Filter("A", "H"), Filter("a", "HF"), Filter("a ."), Filter("a"), Filter("", "GLHMWOF"),
      Filter("zzzzzz"), Filter("0ж"),      Filter("0"),   Filter(""),
  };
  for (const RowFilter& step : steps) {
    SCOPED_TRACE(step.Text() + " / " + step.HiddenSituations());
    shown.SetFilter(step, store);
    EXPECT_EQ(Shown(shown, store), step.IsActive() && step.Text().find('?') != std::string::npos
                                       ? std::vector<std::size_t>{}
                                       : Expected(store, step));
    EXPECT_EQ(shown.Filtered(), step.IsActive());
  }
}

// A big store is looked at on several threads; rows chosen for a filter that was stopped are
// dropped and leave the rows shown as they were, and the filter typed after it then shows what
// it shows at one go.
TEST_P(ShownRowsOfStore, RowsChosenAsideOrStoppedAgreeWithAFreshLook) {
  const RowStore store = SortedStore(format, Records(150'000, 13));
  ShownRows shown;
  shown.SetFilter(Filter("1"), store);
  const std::vector<std::size_t> before = Shown(shown, store);
  EXPECT_EQ(before, Expected(store, Filter("1")));

  WorkProgress stopped;
  stopped.Cancel();
  EXPECT_FALSE(shown.Select(Filter("12"), store, &stopped));
  EXPECT_FALSE(shown.Select(Filter("7"), store, &stopped));
  EXPECT_EQ(Shown(shown, store), before);

  for (const RowFilter& next : {Filter("12"), Filter("7", "L"), Filter("")}) {
    SCOPED_TRACE(next.Text());
    WorkProgress going;
    auto selected = shown.Select(next, store, &going);
    ASSERT_TRUE(selected);
    shown.Take(next, std::move(*selected));
    EXPECT_EQ(Shown(shown, store), next.IsActive() ? Expected(store, next)
                                                   : Shown(ShownRows(), store));
  }
}

TEST_P(ShownRowsOfStore, RowsMergedInAreFilteredAndTheOthersMoveWithTheirRows) {
  const std::vector<ArchiveRecord> records = Records(2000, 12);
  for (std::size_t first : {std::size_t{0}, std::size_t{700}, std::size_t{1999}}) {
    SCOPED_TRACE(first);
    RowStore store = SortedStore(format, {records.begin(), records.begin() + long(first)});
    ShownRows shown;
    shown.SetFilter(Filter("1", "L"), store);
    for (std::size_t i = first; i < records.size(); ++i) store.Append(records[i]);
    const std::vector<RowNumber> places = store.MergeAppended();
    shown.MergeInserted(store, places);
    EXPECT_EQ(Shown(shown, store), Expected(store, shown.Filter()));
  }
}

TEST(ShownRows, FindsWhereAStoreRowIsShown) {
  RandomRecords random(13);
  const RowStore store =
      SortedStore(RowFormat::Interval(4, 1), random.Interval(500, DateRun::Rising));
  ShownRows shown;
  EXPECT_EQ(shown.ShownRowOf(123), 123u);
  shown.SetFilter(Filter("9"), store);
  const std::vector<std::size_t> rows = Shown(shown, store);
  ASSERT_FALSE(rows.empty());
  ASSERT_LT(rows.size(), store.Size());
  std::size_t next = 0;
  for (std::size_t row = 0; row < store.Size(); ++row) {
    if (next < rows.size() && rows[next] == row) {
      EXPECT_EQ(shown.ShownRowOf(row), next);
      ++next;
    } else {
      EXPECT_EQ(shown.ShownRowOf(row), std::nullopt) << row;
    }
  }
}

TEST(ShownRows, NearestShownRowIsTheRowItselfOrTheNextShownOrTheLastShown) {
  RandomRecords random(14);
  const RowStore store =
      SortedStore(RowFormat::Interval(4, 1), random.Interval(500, DateRun::Rising));
  ShownRows shown;
  EXPECT_EQ(shown.NearestShownRow(123, store), 123u);
  EXPECT_EQ(shown.NearestShownRow(store.Size() + 5, store), store.Size() - 1);

  shown.SetFilter(Filter("9"), store);
  const std::vector<std::size_t> rows = Shown(shown, store);
  ASSERT_GE(rows.size(), 2u);
  EXPECT_EQ(shown.NearestShownRow(rows[1], store), 1u);
  EXPECT_EQ(shown.NearestShownRow(rows[1] - 1, store), rows[1] - 1 == rows[0] ? 0u : 1u);
  EXPECT_EQ(shown.NearestShownRow(rows.back() + 1, store), rows.size() - 1);

  shown.SetFilter(Filter("no row holds this"), store);
  EXPECT_EQ(shown.NearestShownRow(0, store), std::nullopt);
}

ViewContent EventContent(const test::FakeStrings& strings) {
  ViewContent content;
  content.kind = ArchiveKind::Event;
  content.title = "Events";
  content.caption = "events.zdr";
  content.columnCaptions = {"Date", "C", "Ch", "M", "V", "U", "S"};
  std::vector<ArchiveRecord> records;
  for (int minute = 0; minute < 30; ++minute)
    records.push_back(test::EventRecord(minute, "GLHMWOF"[minute % 7]));
  content.rows = SortedStore(RowFormat::Event(1, strings), records);
  return content;
}

TEST(ViewReport, ListsTheRowsShownAndSaysHowTheyWereChosen) {
  const test::FakeStrings strings = Strings();
  ViewContent content = EventContent(strings);
  const ViewReport report(content);
  EXPECT_EQ(report.RowCount(), 30u);
  EXPECT_EQ(report.Filtering(), std::nullopt);

  content.shown.SetFilter(Filter(":1", "F"), content.rows);
  // Minutes 10 to 19, less 13 (F).
  ASSERT_EQ(report.RowCount(), 9u);
  for (std::size_t row = 0; row < report.RowCount(); ++row) {
    EXPECT_NE(report.DisplayText(row).find(":1"), std::string_view::npos);
    // An export of the records' fields reads the record of the same row shown.
    EXPECT_EQ(&report.Record(row), &content.rows.RecordAt(content.shown.StoreRow(row)));
  }
  EXPECT_TRUE(report.DisplayText(0).starts_with("2009-03-05  07:10:09"));
  EXPECT_TRUE(report.DisplayText(8).starts_with("2009-03-05  07:19:09"));
  const std::optional<FilterNote> note = report.Filtering();
  ASSERT_TRUE(note);
  EXPECT_EQ(note->shown, 9u);
  EXPECT_EQ(note->total, 30u);
  EXPECT_EQ(FilterNoteLine(*note, strings),
            "Filter: 9 of 30 rows; text \":1\"; without situations: Awaria");
}

TEST(CountText, GroupsThreeDigitsFromTheRight) {
  const std::pair<std::size_t, const char*> cases[] = {
      {0, "0"},
      {999, "999"},
      {1000, "1 000"},
      {20345, "20 345"},
      {100000, "100 000"},
      {1000000, "1 000 000"},
      {SIZE_MAX, nullptr},
  };
  for (const auto& [count, grouped] : cases) {
    SCOPED_TRACE(count);
    const std::string plain = std::to_string(count);
    EXPECT_EQ(CountText(count, CountDigits::kPlain), plain);
    std::string spaced = CountText(count, CountDigits::kGrouped);
    if (grouped) {
      EXPECT_EQ(spaced, grouped);
    }
    std::erase(spaced, ' ');
    EXPECT_EQ(spaced, plain);
  }
}

TEST(FilterNoteLine, NamesOnlyWhatTheFilterDoes) {
  const test::FakeStrings strings = Strings();
  EXPECT_EQ(ShownRowsText(1, 1000000, strings), "1 of 1000000 rows");
  EXPECT_EQ(ShownRowsText(20345, 1000000, strings, CountDigits::kGrouped),
            "20 345 of 1 000 000 rows");
  EXPECT_EQ(FilterNoteLine({0, 7, "x", ""}, strings), "Filter: 0 of 7 rows; text \"x\"");
  EXPECT_EQ(FilterNoteLine({3, 7, "", "HF"}, strings),
            "Filter: 3 of 7 rows; without situations: Alarm H, Awaria");
}

// The printout of a filtered view: its note centred in the free line under page 1's heading;
// the heading block and the rows stand where they stand without a filter.
TEST(ViewReport, FilteredPrintoutHasTheNoteUnderItsHeadingAndRowsInTheirUsualSlots) {
  const test::FakeStrings strings = Strings();
  ViewContent content = EventContent(strings);
  const ViewReport report(content);
  test::RecordingSurface plain(4958, 6600, 600);
  ASSERT_EQ(PrintDataView(plain, strings, "Telvoran", report, "Courier New", 8), std::nullopt);

  content.shown.SetFilter(Filter("", "F"), content.rows);
  test::RecordingSurface filtered(4958, 6600, 600);
  ASSERT_EQ(PrintDataView(filtered, strings, "Telvoran", report, "Courier New", 8), std::nullopt);

  ASSERT_EQ(filtered.centred.size(), plain.centred.size() + 1);
  const auto& heading = plain.centred[0];
  const auto& note = filtered.centred[1];
  EXPECT_EQ(note.page, 1);
  EXPECT_EQ(note.text, "Filter: 26 of 30 rows; without situations: Awaria");
  const int lineHeight = heading.rect.top;
  EXPECT_EQ(note.rect.top, 3 * lineHeight);
  EXPECT_EQ(note.rect.bottom, 4 * lineHeight);
  EXPECT_EQ(note.rect.left, heading.rect.left);
  EXPECT_EQ(note.rect.right, heading.rect.right);
  // Heading block and rows: the same places, the rows of minutes 6, 13, 20 and 27 left out.
  std::vector<std::string> expectedTexts;
  for (const auto& text : plain.texts)
    if (text.text.find("07:06:09") == std::string::npos &&
        text.text.find("07:13:09") == std::string::npos &&
        text.text.find("07:20:09") == std::string::npos &&
        text.text.find("07:27:09") == std::string::npos)
      expectedTexts.push_back(text.text);
  ASSERT_EQ(filtered.texts.size(), expectedTexts.size());
  for (std::size_t i = 0; i < expectedTexts.size(); ++i) {
    EXPECT_EQ(filtered.texts[i].text, expectedTexts[i]);
    EXPECT_EQ(filtered.texts[i].y, plain.texts[i].y) << i;
  }
}

}  // namespace
}  // namespace telvoran
