// A span of days read as one document, with one file of all the days' records as the oracle.
#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "core/report/CsvReport.h"
#include "core/report/TextReport.h"
#include "core/view/ArchiveDocument.h"
#include "core/work/WorkProgress.h"
#include "support/ArchiveReading.h"
#include "support/ArchiveRecords.h"
#include "support/FileSystemThings.h"
#include "support/RandomRecords.h"

namespace telvoran {
namespace {

using namespace test;
using Outcome = ArchiveDocument::Outcome;
using Events = std::vector<std::string>;

class DaySpanTest : public ::testing::Test, protected ArchiveReading {
 protected:
  std::filesystem::path Day(const std::string& day, const std::vector<ArchiveRecord>& records) {
    return dir.Write(day + "_C07.czt", records);
  }
  DaySpan Span(std::vector<std::filesystem::path> files, std::string to = "2005-03-16") {
    return DaySpan{"07", "2005-03-14", std::move(to), std::move(files)};
  }
  std::vector<std::string> OneFileRows(const std::vector<ArchiveRecord>& records, int column) {
    RecordingReporter quiet;
    ArchiveDocument oracle(strings, quiet);
    EXPECT_EQ(oracle.Open(dir.Write("all.czt", records), column), Outcome::kComplete);
    return RowTexts(oracle.Content().rows);
  }
};

TEST_F(DaySpanTest, RowsInEveryOrderAreThoseOfOneFileOfAllTheDays) {
  RandomRecords random(5);
  std::vector<ArchiveRecord> all = IntervalHeader('4');
  std::vector<std::filesystem::path> files;
  for (const char* day : {"2005-03-14", "2005-03-15", "2005-03-16"}) {
    const std::vector<ArchiveRecord> records = random.Interval(900, DateRun::Shuffled);
    files.push_back(Day(day, Join(IntervalHeader('4'), records)));
    all = Join(all, records);
  }
  ArchiveDocument document(strings, reporter);
  ASSERT_EQ(document.OpenSpan(Span(files), 3), Outcome::kComplete);
  EXPECT_EQ(RowTexts(document.Content().rows), OneFileRows(all, 3));
  for (int column : {1, 5, 2}) {
    ASSERT_EQ(document.Reread(column), Outcome::kComplete);
    EXPECT_EQ(RowTexts(document.Content().rows), OneFileRows(all, column)) << column;
  }
  EXPECT_EQ(document.Content().title, "S11107S3112005-03-14S3122005-03-16");
  EXPECT_EQ(document.Content().caption, "S31307: 2005-03-14S3122005-03-16");
  // The newest day is the one followed and named.
  EXPECT_EQ(document.FilePath(), files.back());
  EXPECT_EQ(document.FileName(), "2005-03-16_C07.czt");
  EXPECT_TRUE(reporter.events.empty());

  // The report and the spreadsheet export name the span first.
  const ViewReport report(document.Content());
  std::ostringstream csv;
  ASSERT_FALSE(WriteCsvReport(report, csv));
  EXPECT_TRUE(csv.str().starts_with("S11107S3112005-03-14S3122005-03-16\r\ndate_time,"))
      << csv.str().substr(0, 80);
}

TEST_F(DaySpanTest, DaysThatDifferOrFailAreToldOnceWithTheRowsReadBeforeKept) {
  auto header = [](const char* channel2) {
    std::vector<ArchiveRecord> records = IntervalHeader('2');
    std::memcpy(records[0].bytes.data() + 28, channel2, 5);
    return records;
  };
  const std::vector<std::filesystem::path> files = {
      dir.Write("unreadable_C07.czt", std::string(3, 'x')),  // holds no whole record
      Day("2005-03-14", Join(IntervalHeader('2'), std::vector{IntervalRecord(1)})),
      Day("2005-03-15", Join(IntervalHeader('3'), std::vector{IntervalRecord(2)})),
      Day("2005-03-16", Join(header("P2  b"), std::vector{IntervalRecord(3)})),
      Day("2005-03-17",
          Join(IntervalHeader('2'), std::vector{IntervalRecord(4), IntervalRecord(5, " 1", 33)},
               std::vector{IntervalRecord(6)})),
      dir / "2005-03-18_C07.czt",  // gone since the catalogue was read
      Day("2005-03-19", Join(IntervalHeader('2'), std::vector{IntervalRecord(7)})),
  };
  ArchiveDocument document(strings, reporter);
  // The newest day was read whole: the span is complete, with its failures told.
  ASSERT_EQ(document.OpenSpan(Span(files, "2005-03-19"), 1), Outcome::kComplete);
  std::vector<std::string> minutes;
  for (const std::string& row : RowTexts(document.Content().rows))
    minutes.push_back(row.substr(14, 3));
  EXPECT_EQ(minutes, (std::vector<std::string>{":01", ":04", ":07"}));
  EXPECT_EQ(reporter.events,
            (Events{"beep",
                    "message:S315\r2005-03-15_C07.czt: S3163S3172\r"
                    "2005-03-16_C07.czt: S3182 P2 [b2]S317C2 [U2]",
                    "beep",
                    "message:S314\runreadable_C07.czt: S107\r2005-03-17_C07.czt: S108 S109\r"
                    "2005-03-18_C07.czt: S106"}));

  // The first day that can be read gives the span its header; a span of no day is told.
  EXPECT_EQ(document.Content().columnCaptions[2], "2 C2   [U2  ]");
  reporter.events.clear();
  ArchiveDocument none(strings, reporter);
  EXPECT_EQ(none.OpenSpan(Span({}), 1), Outcome::kNotOpened);
  EXPECT_EQ(none.OpenSpan(Span({files[0], files[5]}), 1), Outcome::kNotOpened);
  EXPECT_EQ(reporter.events,
            (Events{"beep", "message:S319", "beep",
                    "message:S314\runreadable_C07.czt: S107\r2005-03-18_C07.czt: S106"}));
}

// Read in halves, as the program reads a span away from its window: rows, outcome and every
// message of the reading in one go, in the same order.
TEST_F(DaySpanTest, ASpanReadAsideTellsWhatItsReadingInOneGoTells) {
  RandomRecords random(9);
  const std::vector<std::filesystem::path> files = {
      Day("2005-03-14", Join(IntervalHeader('2'), random.Interval(300, DateRun::Shuffled))),
      dir.Write("2005-03-15_C07.czt", std::string(5, 'x')),  // holds no whole record
      Day("2005-03-16", Join(IntervalHeader('3'), random.Interval(10, DateRun::Shuffled))),
      Day("2005-03-17", Join(IntervalHeader('2'), random.Interval(300, DateRun::Shuffled),
                             std::vector{IntervalRecord(9, " 1", kEventKind)})),
  };
  RecordingReporter oneGoTold;
  ArchiveDocument oneGo(strings, oneGoTold);
  ASSERT_EQ(oneGo.OpenSpan(Span(files, "2005-03-17"), 3), Outcome::kStopped);
  const std::vector<std::string> byChannel = RowTexts(oneGo.Content().rows);
  ASSERT_EQ(oneGo.Reread(1), Outcome::kStopped);
  ASSERT_EQ(oneGoTold.events.size(), 8u);

  ArchiveDocument aside(strings, reporter);
  ASSERT_TRUE(aside.OpenSpan(Span(files, "2005-03-17")));
  WorkProgress progress;
  aside.ReadRowsAside(3, &progress);
  EXPECT_TRUE(reporter.events.empty()) << "nothing told before the rows are taken";
  EXPECT_EQ(aside.TakeRowsReadAside(), Outcome::kStopped);
  EXPECT_EQ(RowTexts(aside.Content().rows), byChannel);
  aside.RereadAside(1, &progress);
  EXPECT_EQ(aside.TakeRowsReadAside(), Outcome::kStopped);
  EXPECT_EQ(RowTexts(aside.Content().rows), RowTexts(oneGo.Content().rows));
  EXPECT_EQ(aside.DaysNotRead(), oneGo.DaysNotRead());
  EXPECT_EQ(reporter.events, oneGoTold.events);
}

TEST_F(DaySpanTest, FollowingTakesTheNewestDayAndTheNextOneWithinTheSpan) {
  const std::vector<std::filesystem::path> files = {
      Day("2005-03-14", Join(IntervalHeader('2'), std::vector{IntervalRecord(1)})),
      Day("2005-03-15", Join(IntervalHeader('2'), std::vector{IntervalRecord(2)}))};
  ArchiveDocument document(strings, reporter);
  ASSERT_EQ(document.OpenSpan(Span(files), 1), Outcome::kComplete);
  Append(files[1], {IntervalRecord(3)});
  EXPECT_EQ(document.TakeAppended(), ArchiveDocument::Appended::kNewRows);
  EXPECT_EQ(document.Content().rows.Size(), 3u);
  EXPECT_EQ(document.TakeAppended(), ArchiveDocument::Appended::kNothingNew);

  Day("2005-03-17", Join(IntervalHeader('2'), std::vector{IntervalRecord(9)}));  // after the span
  const auto next = Day("2005-03-16", Join(IntervalHeader('2'), std::vector{IntervalRecord(4)}));
  EXPECT_EQ(document.TakeAppended(), ArchiveDocument::Appended::kReadAgain);
  EXPECT_EQ(document.FilePath(), next);
  EXPECT_EQ(document.Content().rows.Size(), 4u);
  EXPECT_EQ(document.TakeAppended(), ArchiveDocument::Appended::kNothingNew);
  EXPECT_EQ(document.Span()->files.size(), 3u);
  EXPECT_TRUE(reporter.events.empty());
}

TEST_F(DaySpanTest, ADayWrittenLateBetweenTwoDaysReadShowsOnTheNextLook) {
  const std::filesystem::path first =
      Day("2005-03-14", Join(IntervalHeader('2'), std::vector{IntervalRecord(1)}));
  std::filesystem::create_directory(dir / "next");
  const std::filesystem::path last =
      dir.Write("next/2005-03-17_C07.czt", Join(IntervalHeader('2'), std::vector{IntervalRecord(5)}));
  ArchiveDocument document(strings, reporter);
  ASSERT_EQ(document.OpenSpan(Span({first, last}, "2005-03-17"), 1), Outcome::kComplete);
  EXPECT_EQ(document.TakeAppended(), ArchiveDocument::Appended::kNothingNew);

  // One day beside the earlier file, one beside the later; another unit's day is no concern.
  dir.Write("2005-03-15_C08.czt", Join(IntervalHeader('2'), std::vector{IntervalRecord(7)}));
  const auto beside = Day("2005-03-15", Join(IntervalHeader('2'), std::vector{IntervalRecord(2)}));
  const auto later =
      dir.Write("next/2005-03-16_C07.czt", Join(IntervalHeader('2'), std::vector{IntervalRecord(3)}));
  EXPECT_EQ(document.TakeAppended(), ArchiveDocument::Appended::kReadAgain);
  EXPECT_EQ(document.Span()->files, (std::vector{first, beside, later, last}));
  EXPECT_EQ(document.FilePath(), last) << "the newest day is still the one followed";
  EXPECT_EQ(document.Content().rows.Size(), 4u);
  EXPECT_EQ(document.TakeAppended(), ArchiveDocument::Appended::kNothingNew);
  EXPECT_TRUE(reporter.events.empty());
}

}  // namespace
}  // namespace telvoran
