// Going to a date: the shown row nearest to a moment, in a list that may hold rows without a
// real date, repeated times and rows a filter hides.
#include "core/view/NearestRow.h"

#include <gtest/gtest.h>

#include "core/view/ViewContent.h"
#include "support/ArchiveRecords.h"

namespace telvoran {
namespace {

ArchiveSeconds At(int hour, int minute, int second = 0) {
  return ToArchiveSeconds({2005, 3, 14, hour, minute, second});
}

ArchiveRecord Row(int hour, int minute, std::string values = " 21.5101.0") {
  return test::MakeRecord(test::DateBytes(5, 3, 14, hour, minute, 0) + values, kIntervalKind);
}

ViewContent Content(const std::vector<ArchiveRecord>& records, std::string_view filter = "") {
  ViewContent content;
  content.rows = RowStore(RowFormat::Interval(2, 1));
  for (const ArchiveRecord& record : records) content.rows.Append(record);
  content.rows.Sort();
  RowFilter kept;
  kept.SetText(filter);
  content.shown.SetFilter(kept, content.rows);
  return content;
}

TEST(NearestRowTest, FindsTheShownRowNearestToAMomentTheEarlierOfTwoEquallyNear) {
  // Rows in list order: 08:00, 08:10, 08:10 (another value), 08:30, then one of month 13.
  const ViewContent all =
      Content({Row(8, 30), Row(8, 10, " 22.0101.0"), Row(8, 0), Row(8, 10),
               test::MakeRecord(test::DateBytes(5, 13, 1, 0, 0, 0) + " 1.0", kIntervalKind)});
  ASSERT_EQ(all.ShownCount(), 5u);
  const struct {
    ArchiveSeconds target;
    std::size_t row;
  } cases[] = {
      {At(7, 0), 0},      // before the first row
      {At(8, 0), 0},      // exactly on it
      {At(8, 4, 59), 0},  // nearer the first
      {At(8, 5), 0},      // halfway: the earlier
      {At(8, 5, 1), 1},   // nearer the second; of two rows at 08:10 the first in the list
      {At(8, 20), 1},     // halfway between 08:10 and 08:30
      {At(8, 21), 3},     //
      {At(23, 59), 3},    // after the last real date: the month-13 row is passed over
      {At(8, 10) + 86400, 3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(FormatArchiveTime(c.target));
    EXPECT_EQ(NearestShownRow(all, c.target), c.row);
  }

  // With a filter the rows counted are the shown ones: 08:10 (22.0) is shown row 0.
  const ViewContent filtered = Content({Row(8, 0), Row(8, 10, " 22.0101.0"), Row(8, 30)}, "22.0");
  ASSERT_EQ(filtered.ShownCount(), 1u);
  EXPECT_EQ(NearestShownRow(filtered, At(8, 29)), 0u);
  EXPECT_EQ(ShownRowTime(filtered, 0), At(8, 10));

  // No shown row with a real date, and no shown row at all.
  EXPECT_EQ(
      NearestShownRow(
          Content({test::MakeRecord(test::DateBytes(5, 2, 30, 0, 0, 0), kIntervalKind)}), At(8, 0)),
      std::nullopt);
  EXPECT_EQ(NearestShownRow(Content({Row(8, 0)}, "nothing like it"), At(8, 0)), std::nullopt);
}

}  // namespace
}  // namespace telvoran
