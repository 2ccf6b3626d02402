#include "core/chart/TimeTicks.h"

#include <gtest/gtest.h>

namespace telvoran {
namespace {

std::vector<std::string> Labels(TimeSpan span, int maxTicks) {
  std::vector<std::string> labels;
  for (const TimeTick& tick : TimeTicks(span, maxTicks)) labels.push_back(tick.label);
  return labels;
}

double At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
  return static_cast<double>(ToArchiveSeconds({year, month, day, hour, minute, second}));
}

TEST(TimeTicks, TheFinestRoundStepThatFitsAndLabelsAsPreciseAsItNeeds) {
  EXPECT_EQ(
      Labels({At(2005, 3, 14, 8, 5, 3), At(2005, 3, 14, 8, 5, 13)}, 6),
      (std::vector<std::string>{"2005-03-14 08:05:04", "2005-03-14 08:05:06", "2005-03-14 08:05:08",
                                "2005-03-14 08:05:10", "2005-03-14 08:05:12"}));
  EXPECT_EQ(Labels({At(2005, 3, 14, 8, 0), At(2005, 3, 14, 9, 0)}, 5),
            (std::vector<std::string>{"2005-03-14 08:00", "2005-03-14 08:15", "2005-03-14 08:30",
                                      "2005-03-14 08:45", "2005-03-14 09:00"}));
  EXPECT_EQ(Labels({At(2005, 3, 14, 1), At(2005, 3, 16, 23)}, 6),
            (std::vector<std::string>{"2005-03-14 12:00", "2005-03-15 00:00", "2005-03-15 12:00",
                                      "2005-03-16 00:00", "2005-03-16 12:00"}));
  EXPECT_EQ(Labels({At(2005, 3, 1), At(2005, 3, 5)}, 3),
            (std::vector<std::string>{"2005-03-01", "2005-03-03", "2005-03-05"}));
  // 25 hours from 07:40 hold four 6-hour ticks: they fit, though 25 hours are more than four
  // times 6; 12-hour ticks gave a day-long chart two labels.
  EXPECT_EQ(Labels({At(2005, 3, 15, 7, 40), At(2005, 3, 16, 8, 40)}, 4),
            (std::vector<std::string>{"2005-03-15 12:00", "2005-03-15 18:00", "2005-03-16 00:00",
                                      "2005-03-16 06:00"}));
  // From 06:00 they would be five: 8-hour ticks then, three of them, rather than two at 12 hours.
  EXPECT_EQ(Labels({At(2005, 3, 15, 6, 0), At(2005, 3, 16, 6, 55)}, 4),
            (std::vector<std::string>{"2005-03-15 08:00", "2005-03-15 16:00", "2005-03-16 00:00"}));
}

TEST(TimeTicks, MonthsAndYearsFallOnTheFirstDay) {
  EXPECT_EQ(Labels({At(2005, 1, 10), At(2005, 6, 20)}, 6),
            (std::vector<std::string>{"2005-02", "2005-03", "2005-04", "2005-05", "2005-06"}));
  EXPECT_EQ(Labels({At(2004, 11, 10), At(2006, 1, 20)}, 6),
            (std::vector<std::string>{"2005-01", "2005-04", "2005-07", "2005-10", "2006-01"}));
  EXPECT_EQ(Labels({At(2000, 1, 1), At(2099, 12, 31)}, 6),
            (std::vector<std::string>{"2000", "2020", "2040", "2060", "2080"}));
}

TEST(TimeTicks, NeverMoreThanAskedForAndAlwaysInsideTheSpan) {
  for (double length : {1.0, 59.0, 3600.0, 86'400.0, 1e6, 4e7, 3e9}) {
    for (int maxTicks : {1, 2, 5, 11}) {
      SCOPED_TRACE(testing::Message() << length << " s, " << maxTicks << " ticks");
      const TimeSpan span{At(2003, 7, 9, 13, 14, 15), At(2003, 7, 9, 13, 14, 15) + length};
      const auto ticks = TimeTicks(span, maxTicks);
      EXPECT_LE(ticks.size(), static_cast<std::size_t>(maxTicks) + 1);
      for (std::size_t i = 0; i < ticks.size(); ++i) {
        EXPECT_GE(static_cast<double>(ticks[i].time), span.from);
        EXPECT_LE(static_cast<double>(ticks[i].time), span.to);
        if (i > 0) {
          EXPECT_LT(ticks[i - 1].time, ticks[i].time);
        }
      }
    }
  }
  EXPECT_TRUE(TimeTicks({10, 5}, 5).empty());
}

}  // namespace
}  // namespace telvoran
