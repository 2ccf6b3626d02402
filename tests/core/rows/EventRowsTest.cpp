#include "core/rows/EventRows.h"

#include <gtest/gtest.h>

#include <string>

#include "support/FakeStrings.h"
#include "support/Records.h"

namespace telvoran {
namespace {

using test::DateBytes;
using test::FakeStrings;
using test::MakeRecord;

const std::string kHigh = "Przekroczenie progu wysokiego";  // 29 characters

FakeStrings Situations() {
  return FakeStrings({{160, "Stan normalny"},
                      {161, "Przekroczenie progu niskiego"},
                      {162, kHigh},
                      {163, "Awaria czujnika"},
                      {164, "Ostrzeżenie"},
                      {165, "Kanał wyłączony"},
                      {166, "Awaria centrali"}});
}

// Central unit 5, 2009-03-05 07:04:09, channel '2', code H, reading " 45.0", medium "AB  ",
// unit "cd  ".
std::string EventPayload(char code, int address = 5) {
  return std::string(1, static_cast<char>(address + 10)) + DateBytes(9, 3, 5, 7, 4, 9) + "2" +
         code + " 45.0" + "AB  " + "cd  ";
}

const std::string kWorkedRow = "2009-03-05  07:04:09    5     2   AB     45.0  cd    ";

TEST(EventRow, WorkedExampleComesOutByteForByte) {
  const FakeStrings strings = Situations();
  ASSERT_EQ(kWorkedRow.size(), 53u);
  const auto record = MakeRecord(EventPayload('H'), kEventKind);
  const std::string row = kWorkedRow + kHigh + "2";
  EXPECT_EQ(EventRow(record, 1, strings).Text(), row);

  const std::string prefixes[] = {" 5", "2", "AB  ", " 45.0", "cd  ", (kHigh + "2").substr(0, 29)};
  for (int column = 2; column <= 7; ++column) {
    const std::string stored(EventRow(record, column, strings).Text());
    EXPECT_EQ(stored, prefixes[column - 2] + row) << column;
    EXPECT_EQ(EventDisplayText(stored, column), kWorkedRow + kHigh) << column;
  }
  EXPECT_EQ(EventDisplayText(row, 1), kWorkedRow + kHigh);
}

TEST(SituationText, EachCodeHasItsTextAndColourDigit) {
  const FakeStrings strings = Situations();
  EXPECT_EQ(SituationText('G', strings).Row(), "Stan normalny0");
  EXPECT_EQ(SituationText('L', strings).Row(), "Przekroczenie progu niskiego1");
  EXPECT_EQ(SituationText('H', strings).Row(), kHigh + "2");
  EXPECT_EQ(SituationText('M', strings).Row(), "Awaria czujnika3");
  EXPECT_EQ(SituationText('W', strings).Row(), "Ostrzeżenie4");
  EXPECT_EQ(SituationText('O', strings).Row(), "Kanał wyłączony5");
  EXPECT_EQ(SituationText('F', strings).Row(), "Awaria centrali5");
  for (char other : {'g', 'h', 'X', ' ', '\0', '\xFF'})
    EXPECT_EQ(SituationText(other, strings).Row(), "") << int(other);
}

TEST(EventRow, CentralAddressBelowTenIsRightAligned) {
  const FakeStrings strings = Situations();
  const std::string nine(EventRow(MakeRecord(EventPayload('G', 9), 33), 2, strings).Text());
  EXPECT_EQ(nine.substr(0, 2), " 9");
  EXPECT_EQ(nine.substr(2 + 20, 5), "    9");
  const std::string ten(EventRow(MakeRecord(EventPayload('G', 10), 33), 2, strings).Text());
  EXPECT_EQ(ten.substr(0, 2), "10");
  EXPECT_EQ(ten.substr(2 + 20, 5), "   10");
}

TEST(EventRow, SwitchedOffAndFailureRowsHaveBlankChannelColumns) {
  const FakeStrings strings = Situations();
  for (char code : {'O', 'F'}) {
    const auto record = MakeRecord(EventPayload(code), 33);
    const std::string row(EventRow(record, 1, strings).Text());
    EXPECT_EQ(row.substr(20, 33), std::string(33, ' ')) << code;
    EXPECT_EQ(row.back(), '5');
    for (int column = 2; column <= 6; ++column) {
      const std::string stored(EventRow(record, column, strings).Text());
      const std::size_t prefix = stored.size() - row.size();
      EXPECT_EQ(stored.substr(0, prefix), std::string(prefix, ' ')) << code << column;
      EXPECT_EQ(EventDisplayText(stored, column), row.substr(0, row.size() - 1));
    }
  }
}

TEST(EventRow, CodeOutsideTheTableGivesA53CharacterRow) {
  const FakeStrings strings = Situations();
  for (char code : {'h', 'Z', '\0'}) {
    const auto record = MakeRecord(EventPayload(code), 33);
    const std::string row(EventRow(record, 1, strings).Text());
    EXPECT_EQ(row, kWorkedRow.substr(0, 20) + std::string(33, ' ')) << int(code);
    EXPECT_EQ(EventRow(record, 7, strings).Text(), row) << "no prefix for the situation column";
    EXPECT_EQ(EventDisplayText(row, 7), row.substr(0, 52));
  }
}

TEST(EventRow, ZeroByteInTheReadingCutsReadingMediumAndUnit) {
  const FakeStrings strings = Situations();
  std::string payload = EventPayload('H');
  payload[11] = '\0';  // the third character of the reading
  const std::string row(EventRow(MakeRecord(payload, 33), 1, strings).Text());
  // Medium and unit are empty, the reading is cut to " 4".
  EXPECT_EQ(row,
            "2009-03-05  07:04:09    5     2"
            "   "
            "  "
            " 4"
            "  "
            "  " +
                kHigh + "2");
  EXPECT_EQ(row.find('\0'), std::string::npos);
}

TEST(EventRow, ZeroChannelByteNeverReachesTheRow) {
  const FakeStrings strings = Situations();
  std::string payload = EventPayload('G');
  payload[7] = '\0';
  const std::string row(EventRow(MakeRecord(payload, 33), 1, strings).Text());
  EXPECT_EQ(row.find('\0'), std::string::npos);
  EXPECT_EQ(row[30], ' ');
}

TEST(EventRow, ShortSituationTextIsTheWholePrefixForTheSituationColumn) {
  FakeStrings strings = Situations();
  strings.Set(160, "OK");
  const auto record = MakeRecord(EventPayload('G'), 33);
  const std::string row(EventRow(record, 1, strings).Text());
  const std::string stored(EventRow(record, 7, strings).Text());
  EXPECT_EQ(stored, "OK0" + row);
  EXPECT_EQ(EventDisplayText(stored, 7), kWorkedRow + "OK");
}

TEST(EventRow, SixtyCharacterSituationTextIsCutTo29InThePrefix) {
  FakeStrings strings = Situations();
  strings.Set(162, std::string(60, 'x'));
  const std::string stored(EventRow(MakeRecord(EventPayload('H'), 33), 7, strings).Text());
  EXPECT_EQ(stored.size(), 29u + 53u + 61u);
  EXPECT_EQ(EventDisplayText(stored, 7), kWorkedRow + std::string(60, 'x'));
}

TEST(EventRow, DateFieldsFollowTheBelowTenRule) {
  const FakeStrings strings = Situations();
  std::string payload = EventPayload('G');
  payload.replace(1, 6, DateBytes(10, 12, 31, 0, 59, 10));
  EXPECT_EQ(std::string(EventRow(MakeRecord(payload, 33), 1, strings).Text()).substr(0, 20),
            "2010-12-31  00:59:10");
}

TEST(EventRow, OutOfRangeNumbersNeverBreakTheRow) {
  const FakeStrings strings = Situations();
  for (char byte : {'\0', '\xFF'}) {
    const auto record = MakeRecord(std::string(9, byte).replace(8, 1, "H"), 33);
    for (int column = 1; column <= 7; ++column) {
      const std::string stored(EventRow(record, column, strings).Text());
      EXPECT_LE(EventDisplayText(stored, column).size(), stored.size());
      EXPECT_EQ(stored.find('\0'), std::string::npos);
    }
  }
  const std::string address245(EventRow(MakeRecord(EventPayload('G', 245), 33), 1, strings).Text());
  EXPECT_EQ(address245.substr(20, 6), "   245");
}

}  // namespace
}  // namespace telvoran
