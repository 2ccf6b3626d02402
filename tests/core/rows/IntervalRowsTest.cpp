#include "core/rows/IntervalRows.h"

#include <gtest/gtest.h>

#include <string>

#include "support/Records.h"

namespace telvoran {
namespace {

using test::DateBytes;
using test::MakeRecord;

// 2005-03-14 08:05:00, channel 1 " 21.5", channel 2 "101.0".
ArchiveRecord WorkedExample() {
  return MakeRecord(std::string("\x0F\x0D\x18\x12\x0F\x0A") + " 21.5" + "101.0", kIntervalKind);
}

const std::string kWorkedRow = "2005-03-14  08:05:00        21.5           101.0           ";

TEST(IntervalRow, WorkedExampleComesOutByteForByte) {
  ASSERT_EQ(kWorkedRow.size(), 59u);
  EXPECT_EQ(IntervalRow(WorkedExample(), 2, 1).Text(), kWorkedRow);
  EXPECT_EQ(IntervalRow(WorkedExample(), 2, 2).Text(), " 21.5" + kWorkedRow);
  EXPECT_EQ(IntervalRow(WorkedExample(), 2, 3).Text(), "101.0" + kWorkedRow);
}

TEST(IntervalRow, DisplayTextDropsPrefixAndLastSpaceOnlyForChannelColumns) {
  for (int column : {2, 3}) {
    const std::string stored(IntervalRow(WorkedExample(), 2, column).Text());
    EXPECT_EQ(IntervalDisplayText(stored, column), kWorkedRow.substr(0, 58)) << column;
  }
  EXPECT_EQ(IntervalDisplayText(kWorkedRow, 1), kWorkedRow);
}

TEST(IntervalRow, RowLengthFollowsTheChannelCount) {
  const auto record = MakeRecord(DateBytes(5, 1, 2, 3, 4, 5) + "AAAAABBBBBCCCCCDDDDD", 26);
  for (int n = 0; n <= 4; ++n) {
    const std::string row(IntervalRow(record, n, 1).Text());
    EXPECT_EQ(row.size(), 27u + 16u * n) << n;
    EXPECT_EQ(row.substr(row.size() - (n == 0 ? 7 : 11)), std::string(n == 0 ? 7 : 11, ' '));
  }
  EXPECT_EQ(IntervalRow(record, 0, 1).Text(), "2005-01-02  03:04:05       ");
}

TEST(IntervalRow, EachChannelColumnPrefixesItsOwnValue) {
  const auto record = MakeRecord(DateBytes(5, 1, 2, 3, 4, 5) + "AAAAABBBBBCCCCCDDDDD", 26);
  const std::string base(IntervalRow(record, 4, 1).Text());
  ASSERT_EQ(base.size(), 91u);
  const char* values[] = {"AAAAA", "BBBBB", "CCCCC", "DDDDD"};
  for (int column = 2; column <= 5; ++column) {
    const std::string stored(IntervalRow(record, 4, column).Text());
    EXPECT_EQ(stored, values[column - 2] + base) << column;
    EXPECT_EQ(IntervalDisplayText(stored, column), base.substr(0, 90)) << column;
  }
}

TEST(IntervalRow, ColumnOfAnAbsentChannelGetsNoPrefix) {
  const auto record = MakeRecord(DateBytes(5, 1, 2, 3, 4, 5) + "AAAAABBBBB", 26);
  const std::string base(IntervalRow(record, 1, 1).Text());
  EXPECT_EQ(IntervalRow(record, 1, 3).Text(), base);
  EXPECT_EQ(IntervalDisplayText(base, 3), base.substr(0, base.size() - 1));
}

struct DateCase {
  std::string bytes;
  std::string dateTime;
};

class IntervalDateTime : public ::testing::TestWithParam<DateCase> {};

TEST_P(IntervalDateTime, FormatsEveryFieldByTheBelowTenRule) {
  const auto record = MakeRecord(GetParam().bytes, 26);
  const std::string row(IntervalRow(record, 0, 1).Text());
  EXPECT_EQ(row.substr(0, row.size() - 7), GetParam().dateTime);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IntervalDateTime,
    ::testing::Values(
        DateCase{DateBytes(9, 1, 1, 0, 0, 0), "2009-01-01  00:00:00"},
        DateCase{DateBytes(10, 12, 31, 23, 59, 59), "2010-12-31  23:59:59"},
        DateCase{DateBytes(5, 3, 14, 9, 8, 7), "2005-03-14  09:08:07"},
        DateCase{DateBytes(5, 3, 14, 10, 10, 10), "2005-03-14  10:10:10"},
        DateCase{DateBytes(99, 99, 99, 99, 99, 99), "2099-99-99  99:99:99"},
        DateCase{DateBytes(0, 0, 0, 0, 0, 0), "2000-00-00  00:00:00"},
        // Out of range: a year from 100 up has three digits, a negative number keeps the
        // zero lead-in in front of its minus sign.
        DateCase{std::string("\x6E\x0D\x18\x12\x0F\x0A"), "20100-03-14  08:05:00"},
        DateCase{std::string("\x0F\x05\x18\x12\x0F\x0A"), "2005-0-5-14  08:05:00"},
        DateCase{DateBytes(5, 3, 14, 8, 5, 100), "2005-03-14  08:05:100"},
        DateCase{std::string("\x0F\x0D\x18\x00\x0F\x0A", 6), "2005-03-14  0-10:05:00"},
        DateCase{std::string("\xFF\xFF\xFF\xFF\xFF\xFF"), "20245-245-245  245:245:245"}));

TEST(IntervalRow, ZeroByteInAValueBecomesASpaceAndTheRowStaysWhole) {
  const auto record = MakeRecord(DateBytes(5, 1, 2, 3, 4, 5) + std::string("1\0"
                                                                           "3.5",
                                                                           5),
                                 26);
  const std::string row(IntervalRow(record, 1, 2).Text());
  EXPECT_EQ(row.size(), 5u + 43u);
  EXPECT_EQ(row.find('\0'), std::string::npos);
  EXPECT_EQ(row.substr(0, 5), "1 3.5");
}

TEST(IntervalRow, OutOfRangeRowKeepsPrefixPositionsOfTheTable) {
  // The year 20100 pushes everything one place right; the prefix is still taken from
  // positions 28 to 32.
  const auto record = MakeRecord(std::string("\x6E\x0D\x18\x12\x0F\x0A") + "ABCDE", 26);
  const std::string base(IntervalRow(record, 1, 1).Text());
  const std::string stored(IntervalRow(record, 1, 2).Text());
  EXPECT_EQ(stored, base.substr(27, 5) + base);
  EXPECT_EQ(IntervalDisplayText(stored, 2), base.substr(0, base.size() - 1));
}

}  // namespace
}  // namespace telvoran
