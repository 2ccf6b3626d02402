#include "core/report/ReportLines.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <string>

namespace telvoran {
namespace {

// The text at 1-based columns first..last of a line.
std::string Columns(const std::string& line, std::size_t first, std::size_t last) {
  return line.substr(first - 1, last - first + 1);
}

std::string Letters(std::size_t count) {
  std::string text;
  for (std::size_t i = 0; i < count; ++i) text += static_cast<char>('A' + i % 26);
  return text;
}

// What the C library makes of the interval pattern, for titles of at most 20 characters.
std::string PrintfIntervalLine(const std::array<std::string, 5>& t) {
  const int w1 = static_cast<int>(t[0].size()) + (20 - static_cast<int>(t[0].size())) / 2;
  char buffer[512];
  std::snprintf(buffer, sizeof buffer, "%*.20s%-*s   %-13.13s  %-13.13s  %-13.13s  %-13.13s", w1,
                t[0].c_str(), 20 - w1, " ", t[1].c_str(), t[2].c_str(), t[3].c_str(), t[4].c_str());
  return buffer;
}

std::string PrintfEventLine(const std::array<std::string, 7>& t) {
  const int w1 = static_cast<int>(t[0].size()) + (20 - static_cast<int>(t[0].size())) / 2;
  const int w7 = static_cast<int>(t[6].size()) + (24 - static_cast<int>(t[6].size())) / 2;
  char buffer[512];
  std::snprintf(buffer, sizeof buffer, "%*.20s%-*s  %-4.4s  %-4.4s  %-4.4s  %-5.5s  %-4.4s  %*.20s",
                w1, t[0].c_str(), 20 - w1, " ", t[1].c_str(), t[2].c_str(), t[3].c_str(),
                t[4].c_str(), t[5].c_str(), w7, t[6].c_str());
  return buffer;
}

TEST(ReportRule, IsNinetyTwoHyphens) {
  EXPECT_EQ(ReportRule(), std::string(92, '-'));
}

TEST(IntervalColumnTitleLine, BuiltInCaptionsLieInTheirColumns) {
  const std::string line = IntervalColumnTitleLine({"Data i godzina", "1", "2", "3", "4"});
  EXPECT_EQ(line,
            "   Data i godzina   "
            "   1            "
            "  2            "
            "  3            "
            "  4            ");
  ASSERT_EQ(line.size(), 81u);
  EXPECT_EQ(Columns(line, 4, 17), "Data i godzina");
  EXPECT_EQ(line[24 - 1], '1');
  EXPECT_EQ(line[39 - 1], '2');
  EXPECT_EQ(line[54 - 1], '3');
  EXPECT_EQ(line[69 - 1], '4');
}

TEST(IntervalColumnTitleLine, CutsChannelTitlesToThirteen) {
  const std::string line =
      IntervalColumnTitleLine({"Czas", "Temperatura wody", "Ci\x9cnienie", "", "1234567890123"});
  EXPECT_EQ(Columns(line, 24, 36), "Temperatura w");
  EXPECT_EQ(Columns(line, 39, 51), "Ci\x9cnienie    ");
  EXPECT_EQ(Columns(line, 54, 66), std::string(13, ' '));
  EXPECT_EQ(Columns(line, 69, 81), "1234567890123");
  EXPECT_EQ(line.size(), 81u);
}

TEST(EventColumnTitleLine, BuiltInCaptionsLieOverTheirFields) {
  const std::string line =
      EventColumnTitleLine({"Data i godzina", "Cen.", "Kan.", "Med.", "Wart.", "Jedn.", "Stan"});
  EXPECT_EQ(line, "   Data i godzina     Cen.  Kan.  Med.  Wart.  Jedn            Stan");
  ASSERT_EQ(line.size(), 67u);
  EXPECT_EQ(Columns(line, 23, 26), "Cen.");
  EXPECT_EQ(Columns(line, 29, 32), "Kan.");
  EXPECT_EQ(Columns(line, 35, 38), "Med.");
  EXPECT_EQ(Columns(line, 41, 45), "Wart.");
  EXPECT_EQ(Columns(line, 48, 51), "Jedn");
  EXPECT_EQ(Columns(line, 64, 67), "Stan");
}

// The situation title is cut to 20 characters but its field width follows its full length.
TEST(EventColumnTitleLine, SituationTitleFieldFollowsTheIntegerArithmetic) {
  struct Case {
    std::size_t length;
    std::size_t spacesBefore;
  };
  for (const Case& c : {Case{0, 12}, Case{4, 10}, Case{20, 2}, Case{21, 2}, Case{22, 3},
                        Case{24, 4}, Case{25, 5}, Case{30, 7}}) {
    SCOPED_TRACE(c.length);
    const std::string title = Letters(c.length);
    const std::string line = EventColumnTitleLine({"Data", "a", "b", "c", "d", "e", title});
    EXPECT_EQ(line.substr(53), std::string(c.spacesBefore, ' ') + title.substr(0, 20));
  }
}

// The C library is the reference for every title of up to 20 characters, whatever the bytes.
TEST(ColumnTitleLines, MatchThePrintfPatternsForTitlesUpToTwenty) {
  for (std::size_t length = 0; length <= 20; ++length) {
    SCOPED_TRACE(length);
    const std::string dateTime = Letters(length);
    const std::string other = Letters((length * 7) % 23);
    const std::array<std::string, 5> interval = {dateTime, other, "%d%s\xb3", Letters(13),
                                                 Letters(14)};
    EXPECT_EQ(
        IntervalColumnTitleLine({interval[0], interval[1], interval[2], interval[3], interval[4]}),
        PrintfIntervalLine(interval));
    const std::array<std::string, 7> event = {
        dateTime, other, "%n", Letters(3), Letters(6), Letters(length % 6), Letters(length + 4)};
    EXPECT_EQ(EventColumnTitleLine(
                  {event[0], event[1], event[2], event[3], event[4], event[5], event[6]}),
              PrintfEventLine(event));
  }
}

TEST(ColumnTitleLines, TwentyCharacterDateTitleShiftsLaterColumnsByOne) {
  const std::string title = Letters(20);
  const std::string interval = IntervalColumnTitleLine({title, "1", "2", "3", "4"});
  EXPECT_EQ(interval.substr(0, 24), title + "    ");
  EXPECT_EQ(interval[25 - 1], '1');
  EXPECT_EQ(interval.size(), 82u);
  const std::string event =
      EventColumnTitleLine({title, "Cen.", "Kan.", "Med.", "Wart.", "Jedn.", "Stan"});
  EXPECT_EQ(Columns(event, 24, 27), "Cen.");
  EXPECT_EQ(event.size(), 68u);
}

TEST(ColumnTitleLines, LongerDateTitleKeepsTheColumnsOfATwentyCharacterTitle) {
  const std::string twenty = Letters(20);
  for (std::size_t length : {21u, 22u, 30u, 60u}) {
    SCOPED_TRACE(length);
    const std::string title = Letters(length);
    EXPECT_EQ(IntervalColumnTitleLine({title, "1", "2", "3", "4"}),
              IntervalColumnTitleLine({twenty, "1", "2", "3", "4"}));
    EXPECT_EQ(EventColumnTitleLine({title, "C", "K", "M", "W", "J", "S"}),
              EventColumnTitleLine({twenty, "C", "K", "M", "W", "J", "S"}));
  }
}

TEST(ColumnTitleLines, EmptyDateTitleLeavesTwentySpaces) {
  EXPECT_EQ(IntervalColumnTitleLine({"", "1", "2", "3", "4"}).substr(0, 24),
            std::string(23, ' ') + "1");
}

TEST(SortMarkLine, PutsTheMarkUnderEachColumn) {
  const int intervalEnds[] = {11, 30, 45, 60, 75};
  for (int column = 1; column <= 5; ++column) {
    SCOPED_TRACE(column);
    EXPECT_EQ(IntervalSortMarkLine(column), std::string(intervalEnds[column - 1] - 2, ' ') + "<>");
  }
  const int eventEnds[] = {11, 25, 31, 37, 44, 50, 66};
  for (int column = 1; column <= 7; ++column) {
    SCOPED_TRACE(column);
    EXPECT_EQ(EventSortMarkLine(column), std::string(eventEnds[column - 1] - 2, ' ') + "<>");
  }
  EXPECT_EQ(Columns(IntervalSortMarkLine(3), 44, 45), "<>");
  EXPECT_EQ(Columns(EventSortMarkLine(7), 65, 66), "<>");
}

TEST(SortMarkLine, IsEmptyForAColumnTheViewLacks) {
  for (int column : {0, -1, 6, 8, 1000, INT_MIN, INT_MAX}) {
    SCOPED_TRACE(column);
    EXPECT_EQ(IntervalSortMarkLine(column), "");
    if (column != 6) {
      EXPECT_EQ(EventSortMarkLine(column), "");
    }
  }
}

}  // namespace
}  // namespace telvoran
