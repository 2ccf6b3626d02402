// The bytes telvoran-report writes for each kind of archive and each sort column: the heading
// block with the Polish texts of the built string library, then the rows in the order of the
// column, without their sort prefixes, every line ended by CR LF.
#include <gtest/gtest.h>

#include "tools/ReportTestSupport.h"

namespace telvoran {
namespace {

using test::CrLfLines;
using test::kRule;
using test::ReportRun;
using test::RunReportWith;
using test::SortMark;

// --- Interval archive: four channels, three records stored out of time order --------------

const std::string kIntervalTitle =
    "Pami\xea\xe6 przedzia\xb3owa, zestaw kana\xb3\xf3w nr 07 z dnia 2005-03-14";
const std::string kIntervalColumns =
    "   Data i godzina      1 C1   [U1  ]  2 C2   [U2  ]  3 C3   [U3  ]  4 C4   [U4  ]";

// Each record's row; every one ends in the eleven spaces after the last value.
const std::string kIntervalRows[] = {
    "2005-03-14  08:01:00        23.0           100.5             7.0             0.2           ",
    "2005-03-14  08:02:00        21.0           101.5             6.0             0.1           ",
    "2005-03-14  08:03:00        22.0            99.5             5.0             0.3           ",
};

std::filesystem::path WriteIntervalArchive(const test::TempDir& folder) {
  using test::IntervalRecord;
  return folder.Write("2005-03-14_C07.czt",
                      test::Join(test::IntervalHeader('4'),
                                 std::vector{IntervalRecord(3, " 22.0 99.5  5.0  0.3"),
                                             IntervalRecord(1, " 23.0100.5  7.0  0.2"),
                                             IntervalRecord(2, " 21.0101.5  6.0  0.1")}));
}

struct SortCase {
  int column;
  std::vector<int> order;  // indexes of the rows, in list order
  std::size_t markEnd;     // the column in which "<>" ends
};

class IntervalReport : public testing::TestWithParam<SortCase> {};

TEST_P(IntervalReport, ListsTheRowsInTheOrderOfTheSortColumn) {
  const SortCase& sort = GetParam();
  test::TempDir folder;
  const auto archive = WriteIntervalArchive(folder);

  const ReportRun run = RunReportWith({"--sort", std::to_string(sort.column), archive.string()});

  std::vector<std::string> lines = {kIntervalTitle, kRule, kIntervalColumns, SortMark(sort.markEnd),
                                    kRule};
  for (int row : sort.order) {
    std::string line = kIntervalRows[row];
    // Rows sorted by a channel are saved one closing space shorter.
    if (sort.column > 1) line.pop_back();
    lines.push_back(line);
  }
  EXPECT_EQ(run.exitStatus, kReportDone) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out, CrLfLines(lines));
}

INSTANTIATE_TEST_SUITE_P(EveryColumn, IntervalReport,
                         testing::Values(SortCase{1, {0, 1, 2}, 11}, SortCase{2, {1, 2, 0}, 30},
                                         SortCase{3, {2, 0, 1}, 45}, SortCase{4, {2, 1, 0}, 60},
                                         SortCase{5, {1, 0, 2}, 75}));

TEST(IntervalReport, ArchiveOfFiveRecordsGivesOneRowAndTitlesAbsentChannelsByNumber) {
  test::TempDir folder;
  const auto archive = folder.Write(
      "abc.czt",
      test::Join(test::IntervalHeader('2'), std::vector{test::IntervalRecord(5, " 21.5101.0")}));

  const ReportRun run = RunReportWith({archive.string()});

  EXPECT_EQ(run.exitStatus, kReportDone) << run.err;
  EXPECT_EQ(run.out,
            "Pami\xea\xe6 przedzia\xb3owa, zestaw kana\xb3\xf3w nr  z dnia abc.czt\r\n" + kRule +
                "\r\n"
                "   Data i godzina      1 C1   [U1  ]  2 C2   [U2  ]  3              4            "
                "\r\n"
                "         <>\r\n" +
                kRule +
                "\r\n"
                "2005-03-14  08:05:00        21.5           101.0           \r\n");
}

// --- Event archive: four distinct records and a duplicate, one of them of code O ------------

const std::string kEventTitle = "Pami\xea\xe6 zdarze\xf1: alarm20";
const std::string kEventColumns =
    "   Data i godzina     Cen.  Kan.  Med.  Wart.  Jedn            Stan";

const std::string kEventRows[] = {
    "2009-03-05  07:01:09   12     1   Gaz    50.0  C     Stan normalny",
    "2009-03-05  07:02:09    5     2   Woda    7.5  kPa   Przekroczony g\xf3rny pr\xf3g alarmowy",
    "2009-03-05  07:03:09    8     3   Para  120.0  bar   Ostrze\xbf"
    "enie",
    "2009-03-05  07:04:09                                 Kana\xb3 wy\xb3\xb9"
    "czony",
};

ArchiveRecord Event(int address, int minute, char channel, char code, std::string reading,
                    std::string medium, std::string unit) {
  return test::MakeRecord(std::string(1, static_cast<char>(address + 10)) +
                              test::DateBytes(9, 3, 5, 7, minute, 9) + channel + code + reading +
                              medium + unit,
                          kEventKind);
}

std::filesystem::path WriteEventArchive(const test::TempDir& folder) {
  const ArchiveRecord normal = Event(12, 1, '1', 'G', " 50.0", "Gaz ", "C   ");
  const ArchiveRecord high = Event(5, 2, '2', 'H', "  7.5", "Woda", "kPa ");
  const ArchiveRecord warning = Event(8, 3, '3', 'W', "120.0", "Para", "bar ");
  const ArchiveRecord off = Event(3, 4, '4', 'O', "  1.0", "Olej", "x   ");
  return folder.Write("alarm2009.zdr", std::vector{high, off, normal, high, warning});
}

class EventReport : public testing::TestWithParam<SortCase> {};

TEST_P(EventReport, ListsEachDistinctRowOnceInTheOrderOfTheSortColumn) {
  const SortCase& sort = GetParam();
  test::TempDir folder;
  const auto archive = WriteEventArchive(folder);

  const ReportRun run = RunReportWith({"--sort=" + std::to_string(sort.column), archive.string()});

  std::vector<std::string> lines = {kEventTitle, kRule, kEventColumns, SortMark(sort.markEnd),
                                    kRule};
  for (int row : sort.order) lines.push_back(kEventRows[row]);
  EXPECT_EQ(run.exitStatus, kReportDone) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out, CrLfLines(lines));
}

// A row of code O has blank columns 2 to 6, which sort before every filled column.
INSTANTIATE_TEST_SUITE_P(
    EveryColumn, EventReport,
    testing::Values(SortCase{1, {0, 1, 2, 3}, 11}, SortCase{2, {3, 1, 2, 0}, 25},
                    SortCase{3, {3, 0, 1, 2}, 31}, SortCase{4, {3, 0, 2, 1}, 37},
                    SortCase{5, {3, 1, 0, 2}, 44}, SortCase{6, {3, 2, 0, 1}, 50},
                    SortCase{7, {3, 2, 1, 0}, 66}));

TEST(EventReport, ArchiveOfOneRecordGivesOneRow) {
  test::TempDir folder;
  const auto archive = folder.Write("a.zdr", std::vector{test::EventRecord(4, 'H')});

  const ReportRun run = RunReportWith({archive.string()});

  EXPECT_EQ(run.exitStatus, kReportDone) << run.err;
  EXPECT_EQ(run.out,
            CrLfLines({"Pami\xea\xe6 zdarze\xf1: a.zdr", kRule, kEventColumns, SortMark(11), kRule,
                       "2009-03-05  07:04:09    5     2   AB     45.0  cd    "
                       "Przekroczony g\xf3rny pr\xf3g alarmowy"}));
}

}  // namespace
}  // namespace telvoran
