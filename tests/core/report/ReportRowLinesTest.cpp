#include "core/report/ReportRowLines.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "core/view/ViewContent.h"
#include "support/FakeStrings.h"
#include "support/RandomRecords.h"

namespace telvoran {
namespace {

using test::DateRun;
using test::RandomRecords;

// A view of an event archive sorted by its reading, so that the rows reach the records in no
// order, with enough rows for two threads.
ViewContent EventView(const test::FakeStrings& strings, std::size_t records) {
  ViewContent content;
  content.kind = ArchiveKind::Event;
  content.sortColumn = 5;
  content.rows = RowStore(RowFormat::Event(5, strings));
  for (const ArchiveRecord& record : RandomRecords(5).Event(records, DateRun::WithEquals))
    content.rows.Append(record);
  content.rows.Sort();
  content.rows.RemoveDuplicateRows();
  content.ReselectShown();
  return content;
}

// What the report's rows are by definition: each row's DisplayText and CR LF.
std::string RowByRow(const ViewReport& report) {
  std::string lines;
  for (std::size_t row = 0; row < report.RowCount(); ++row) {
    lines += report.DisplayText(row);
    lines += "\r\n";
  }
  return lines;
}

std::string Produced(const ViewReport& report, bool twoThreads) {
  std::string lines;
  auto write = [&lines](std::string_view block) {
    lines += block;
    return true;
  };
  if (twoThreads) {
    ProduceReportRowLines(report, write);
  } else {
    ProduceReportRowLinesOnOneThread(report, write);
  }
  return lines;
}

TEST(ReportRowLines, AreTheRowsOneByOneOnOneThreadOrTwo) {
  const test::FakeStrings strings({{160, "Stan"}, {162, "Alarm \xA5"}});
  // Either side of the end of a block of lines (4096 rows), and of the shortest report that is
  // built on two threads.
  for (std::size_t records : {std::size_t{0}, std::size_t{1}, std::size_t{4095}, std::size_t{4097},
                              kRowsForTwoThreads - 1, kRowsForTwoThreads + 3000}) {
    ViewContent content = EventView(strings, records);
    const ViewReport report(content);
    const std::string expected = RowByRow(report);
    EXPECT_EQ(Produced(report, true), expected) << records;
    EXPECT_EQ(Produced(report, false), expected) << records;
  }
}

// A slow writer (a pipe to a slow reader): the helper thread fills every buffer and waits for
// the writes, and a refusal then ends the work without a block more, nothing left waiting.
TEST(ReportRowLines, SlowWriterGetsTheSameBlocksAndCanStop) {
  const test::FakeStrings strings({{160, "Stan"}});
  ViewContent content = EventView(strings, 3 * kRowsForTwoThreads);
  const ViewReport report(content);
  const auto slowly = [](int& calls) {
    if (calls++ < 8) std::this_thread::sleep_for(std::chrono::milliseconds(3));
  };
  std::string lines;
  int calls = 0;
  ProduceReportRowLines(report, [&](std::string_view block) {
    slowly(calls);
    lines += block;
    return true;
  });
  EXPECT_EQ(lines, RowByRow(report));

  calls = 0;
  ProduceReportRowLines(report, [&](std::string_view) {
    slowly(calls);
    return calls < 6;
  });
  EXPECT_EQ(calls, 6);
}

TEST(ReportRowLines, FilteredViewGivesTheRowsShown) {
  const test::FakeStrings strings({{160, "Stan"}});
  ViewContent content = EventView(strings, 3 * kRowsForTwoThreads);
  RowFilter filter;
  filter.SetText("a");
  content.shown.SetFilter(filter, content.rows);
  const ViewReport report(content);
  ASSERT_GT(report.RowCount(), kRowsForTwoThreads);
  ASSERT_LT(report.RowCount(), content.rows.Size());
  EXPECT_EQ(Produced(report, true), RowByRow(report));
}

TEST(ReportRowLines, NoBlockFollowsARefusedOne) {
  const test::FakeStrings strings({{160, "Stan"}});
  ViewContent content = EventView(strings, 4 * kRowsForTwoThreads);
  const ViewReport report(content);
  for (int refused : {0, 1, 2, 5}) {
    int calls = 0;
    ProduceReportRowLines(report, [&](std::string_view) { return calls++ < refused; });
    EXPECT_EQ(calls, refused + 1);
  }
}

}  // namespace
}  // namespace telvoran
