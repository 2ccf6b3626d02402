#include "core/chart/ArchiveTime.h"

#include <gtest/gtest.h>

#include <string>

#include "support/Records.h"

namespace telvoran {
namespace {

std::optional<ArchiveSeconds> TimeOf(int year, int month, int day, int hour, int minute,
                                     int second) {
  const std::string bytes = test::DateBytes(year, month, day, hour, minute, second);
  return RecordTime(reinterpret_cast<const unsigned char*>(bytes.data()));
}

TEST(ArchiveTime, RecordBytesGiveTheWallClockMoment) {
  const auto time = TimeOf(5, 3, 14, 8, 5, 0);
  ASSERT_TRUE(time);
  EXPECT_EQ(FormatArchiveTime(*time), "2005-03-14 08:05:00");
  EXPECT_EQ(TimeOf(0, 1, 1, 0, 0, 0), 0);
  EXPECT_EQ(FormatArchiveTime(*TimeOf(99, 12, 31, 23, 59, 59)), "2099-12-31 23:59:59");
  EXPECT_EQ(FormatArchiveTime(*TimeOf(4, 2, 29, 12, 0, 0)), "2004-02-29 12:00:00");
}

TEST(ArchiveTime, EveryDayHasTheSameLengthWhateverTheSeason) {
  // The last Sunday of March and of October: the clocks of a zone with summer time change then.
  EXPECT_EQ(*TimeOf(5, 3, 28, 0, 0, 0) - *TimeOf(5, 3, 27, 0, 0, 0), 86'400);
  EXPECT_EQ(*TimeOf(5, 10, 31, 0, 0, 0) - *TimeOf(5, 10, 30, 0, 0, 0), 86'400);
  EXPECT_EQ(*TimeOf(5, 3, 27, 2, 30, 0) - *TimeOf(5, 3, 27, 1, 30, 0), 3600);
}

TEST(ArchiveTime, BytesThatNameNoRealMomentGiveNothing) {
  const struct {
    int year, month, day, hour, minute, second;
  } cases[] = {
      {5, 0, 14, 8, 0, 0},  {5, 13, 14, 8, 0, 0},
      {5, 3, 0, 8, 0, 0},   {5, 3, 32, 8, 0, 0},
      {5, 2, 29, 8, 0, 0},  {5, 4, 31, 8, 0, 0},
      {5, 3, 14, 24, 0, 0}, {5, 3, 14, 8, 60, 0},
      {5, 3, 14, 8, 0, 60}, {-1, 3, 14, 8, 0, 0},
      {100, 1, 1, 0, 0, 0}, {5, 3, 14, -1, 0, 0},
      {5, 3, -10, 8, 0, 0}, {245, 245, 245, 245, 245, 245},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.year << "-" << c.month << "-" << c.day << " " << c.hour
                                    << ":" << c.minute << ":" << c.second);
    EXPECT_FALSE(TimeOf(c.year, c.month, c.day, c.hour, c.minute, c.second));
  }
}

TEST(ArchiveTime, CivilTimeRoundTripsOverTheCentury) {
  for (ArchiveSeconds seconds = 0; seconds < 100LL * 366 * 86'400; seconds += 7'777'777) {
    SCOPED_TRACE(seconds);
    EXPECT_EQ(ToArchiveSeconds(ToDateTime(seconds)), seconds);
  }
  const DateTime before = ToDateTime(-1);
  EXPECT_EQ(before.year, 1999);
  EXPECT_EQ(before.second, 59);
}

}  // namespace
}  // namespace telvoran
