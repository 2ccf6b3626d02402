// The document's three operations, with a fresh opening of the file as the oracle: reading again
// by another column and taking what was appended give the rows a new opening gives; failures
// are told once and keep the rows read before them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/text/StringIds.h"
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

class ArchiveDocumentTest : public ::testing::Test, protected ArchiveReading {
 protected:
  std::vector<std::string> FreshOpening(const std::filesystem::path& path, int column) {
    RecordingReporter quiet;
    ArchiveDocument fresh(strings, quiet);
    EXPECT_EQ(fresh.Open(path, column), Outcome::kComplete);
    return RowTexts(fresh.Content().rows);
  }
};

TEST_F(ArchiveDocumentTest, RereadAndAppendedRowsAreThoseOfAFreshOpening) {
  RandomRecords random(21);
  for (const bool interval : {false, true}) {
    const std::string name = interval ? "2005-03-14_C07.czt" : "alarm2005.zdr";
    const int columns = interval ? 5 : 7;
    const auto path = dir.Write(
        name, interval ? Join(IntervalHeader('4'), random.Interval(2000, DateRun::Shuffled))
                       : random.Event(2000, DateRun::Shuffled));
    ArchiveDocument document(strings, reporter);
    ASSERT_EQ(document.Open(path, 1), Outcome::kComplete) << name;
    EXPECT_EQ(document.Content().caption, name);
    for (int column = columns; column >= 1; --column) {
      ASSERT_EQ(document.Reread(column), Outcome::kComplete) << name << column;
      EXPECT_EQ(RowTexts(document.Content().rows), FreshOpening(path, column)) << name << column;
    }
    Append(path, interval ? random.Interval(700, DateRun::Shuffled)
                          : random.Event(700, DateRun::WithEquals));
    EXPECT_EQ(document.TakeAppended(), ArchiveDocument::Appended::kNewRows) << name;
    EXPECT_EQ(RowTexts(document.Content().rows), FreshOpening(path, 1)) << name;
    EXPECT_EQ(document.TakeAppended(), ArchiveDocument::Appended::kNothingNew) << name;
    EXPECT_FALSE(document.File().IsOpen());
  }
  EXPECT_TRUE(reporter.events.empty());
}

TEST_F(ArchiveDocumentTest, FailuresAreToldOnceAndKeepTheRowsReadBeforeThem) {
  const auto path = dir.Write(
      "a.zdr", Join(std::vector{EventRecord(1), EventRecord(2), EventRecord(3, 'H', kIntervalKind)},
                    std::vector{EventRecord(4)}));
  ArchiveDocument document(strings, reporter);
  EXPECT_EQ(document.Open(path, 7), Outcome::kStopped);
  EXPECT_EQ(document.Content().rows.Size(), 2u);
  EXPECT_EQ(reporter.events, (Events{"beep", "message:S108\rS109"}));
  EXPECT_TRUE(document.Content().caption.empty());

  // An incomplete reading is read again from the start at the next look of a follower.
  reporter.events.clear();
  dir.Write("a.zdr", std::vector{EventRecord(5), EventRecord(6), EventRecord(7)});
  EXPECT_EQ(document.TakeAppended(), ArchiveDocument::Appended::kReadAgain);
  EXPECT_EQ(document.Content().rows.Size(), 3u);

  std::filesystem::remove(path);
  EXPECT_EQ(document.Reread(1), Outcome::kNotOpened);
  EXPECT_TRUE(document.Content().rows.Empty());
  EXPECT_EQ(reporter.events, (Events{"beep", "message:S155"}));
  EXPECT_FALSE(document.File().IsOpen());

  ArchiveDocument other(strings, reporter);
  EXPECT_EQ(other.OpenFile(dir.Write("notes.txt", std::vector{EventRecord(1)}), kOpenMessages),
            ArchiveKind::Other);
  EXPECT_FALSE(other.File().IsOpen());
}

// Read in halves, as the program reads away from its window: a finished reading is that of the
// one-step operation, a cancelled one leaves the rows, order and sort column and tells nothing,
// even where the file has gone meanwhile.
TEST_F(ArchiveDocumentTest, ReadingAsideGivesTheOneStepRowsAndCancelledLeavesAllAsItWas) {
  RandomRecords random(5);
  const auto path = dir.Write("alarm2006.zdr", random.Event(3000, DateRun::Shuffled));
  ArchiveDocument document(strings, reporter);
  ASSERT_TRUE(document.OpenFile(path, kOpenMessages));
  ASSERT_TRUE(document.ReadHeader(kOpenMessages));
  WorkProgress progress;
  document.ReadRowsAside(1, &progress);
  EXPECT_TRUE(document.Content().rows.Empty()) << "nothing in place before it is taken";
  EXPECT_EQ(document.TakeRowsReadAside(), Outcome::kComplete);
  EXPECT_EQ(progress.StepText(), sid::kWorkSorting);
  const std::vector<std::string> byDate = RowTexts(document.Content().rows);
  EXPECT_EQ(byDate, FreshOpening(path, 1));

  WorkProgress resort;
  document.RereadAside(4, &resort);
  EXPECT_EQ(RowTexts(document.Content().rows), byDate) << "the old rows stay in sight";
  EXPECT_EQ(document.TakeRowsReadAside(), Outcome::kComplete);
  EXPECT_EQ(RowTexts(document.Content().rows), FreshOpening(path, 4));
  EXPECT_EQ(document.SortColumn(), 4);

  const std::vector<std::string> byChannel = RowTexts(document.Content().rows);
  for (const bool fileGone : {false, true}) {
    if (fileGone) std::filesystem::remove(path);
    WorkProgress cancelled;
    cancelled.Cancel();
    document.RereadAside(2, &cancelled);
    EXPECT_EQ(document.TakeRowsReadAside(), Outcome::kCancelled);
    EXPECT_EQ(RowTexts(document.Content().rows), byChannel);
    EXPECT_EQ(document.SortColumn(), 4);
    EXPECT_TRUE(document.ReadingComplete());
    EXPECT_FALSE(document.File().IsOpen());
  }
  EXPECT_TRUE(reporter.events.empty());

  // A cancelled opening leaves no rows.
  const auto other = dir.Write("alarm2007.zdr", random.Event(500, DateRun::Shuffled));
  ArchiveDocument opening(strings, reporter);
  ASSERT_TRUE(opening.OpenFile(other, kOpenMessages));
  ASSERT_TRUE(opening.ReadHeader(kOpenMessages));
  WorkProgress stop;
  stop.Cancel();
  opening.ReadRowsAside(1, &stop);
  EXPECT_EQ(opening.TakeRowsReadAside(), Outcome::kCancelled);
  EXPECT_TRUE(opening.Content().rows.Empty());
  EXPECT_FALSE(opening.File().IsOpen());
  EXPECT_TRUE(reporter.events.empty());
}

}  // namespace
}  // namespace telvoran
