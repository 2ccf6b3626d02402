// The quick pieces a sort and a report take instead of whole rows must give what the whole rows
// give, byte for byte, on records of every shape.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <optional>
#include <random>
#include <string>

#include "core/rows/DateTimeColumn.h"
#include "core/rows/EventRows.h"
#include "core/rows/IntervalRows.h"
#include "core/rows/RowFormat.h"
#include "core/sort/DateTimeOrder.h"
#include "support/FakeStrings.h"

namespace telvoran {
namespace {

using test::FakeStrings;

// Bytes that take every path of building a row: fields in and out of range, zero bytes,
// addresses of one to three digits, codes inside and outside the table, Polish letters.
constexpr std::array<unsigned char, 20> kAwkwardBytes{
    0, 1, 9, 10, 19, 20, 109, 110, 255, ' ', '0', '9', 'G', 'L', 'O', 'F', 'x', 0xB9, 0xA5, '.'};

class RecordMaker {
 public:
  explicit RecordMaker(unsigned seed) : random_(seed) {}

  // A record whose every byte is awkward or, half of the time, usual for its field.
  ArchiveRecord Next(bool event) {
    ArchiveRecord record;
    for (unsigned char& byte : record.bytes)
      byte = random_() % 2 ? Awkward() : static_cast<unsigned char>('A' + random_() % 26);
    // Dates mostly of this century, so that the quick paths are taken too.
    const std::size_t dateByte = event ? kEventDateTimeByte : kIntervalDateTimeByte;
    if (random_() % 3 != 0) {
      for (std::size_t i = 0; i < 6; ++i)
        record.bytes[dateByte + i] = static_cast<unsigned char>(10 + random_() % 100);
    }
    if (event && random_() % 2 == 0) {
      record.bytes[0] = static_cast<unsigned char>(10 + random_() % 100);
      record.bytes[kEventSituationByte] = static_cast<unsigned char>("GLHMWOF"[random_() % 7]);
    }
    return record;
  }

 private:
  unsigned char Awkward() { return kAwkwardBytes[random_() % kAwkwardBytes.size()]; }

  std::mt19937 random_;
};

FakeStrings AwkwardSituations() {
  return FakeStrings({{160, "Stan normalny"},
                      {161, ""},
                      {162, "Przekroczenie progu wysokiego"},
                      {163, "Alarm\xB9"},
                      {164, "ALARM\xA5"},
                      {165, std::string(60, '\xA5')},
                      {166, "A"}});
}

// For every length a sort asks for: nothing past the prefix, a few characters of the date, the
// whole date, more than a head holds.
void ExpectHeadBeginsStoredText(const RowFormat& format, const ArchiveRecord& record) {
  RowText stored;
  format.StoredText(record, stored);
  for (const std::size_t length : {0, 1, 4, 7, 9, 30, 80}) {
    RowText head;
    const bool headOnly = format.StoredHead(record, length, head);
    const std::string where =
        "column " + std::to_string(format.SortColumn()) + ", length " + std::to_string(length);
    EXPECT_EQ(head.PrefixLength(), stored.PrefixLength()) << where;
    if (headOnly) {
      EXPECT_TRUE(stored.Text().starts_with(head.Text())) << where;
      const std::size_t wholeHead =
          head.PrefixLength() + DateTimeWidth(record.bytes.data() + format.DateTimeByte());
      EXPECT_GE(head.Text().size(), std::min(length, wholeHead)) << where;
    } else {
      EXPECT_EQ(head.Text(), stored.Text()) << where;
    }
  }
  // Quick heads, for every length up to past the date: exactly the stored text's beginning.
  for (std::size_t length = 0; length <= 30; ++length) {
    char quick[kQuickHeadRoom];
    const int prefix = format.QuickHead(record, length, quick);
    if (prefix < 0) continue;
    const std::string where = "column " + std::to_string(format.SortColumn()) + ", quick length " +
                              std::to_string(length);
    EXPECT_EQ(static_cast<std::size_t>(prefix), stored.PrefixLength()) << where;
    EXPECT_EQ(std::string_view(quick, length), stored.Text().substr(0, length)) << where;
  }
}

TEST(StoredHead, BeginsTheStoredTextOfEveryIntervalRow) {
  RecordMaker maker(7);
  for (int record = 0; record < 4000; ++record) {
    const ArchiveRecord bytes = maker.Next(false);
    for (int channels = 0; channels <= 4; ++channels)
      for (int column = 1; column <= kIntervalSortColumns; ++column)
        ExpectHeadBeginsStoredText(RowFormat::Interval(channels, column), bytes);
  }
}

TEST(StoredHead, BeginsTheStoredTextOfEveryEventRow) {
  const FakeStrings strings = AwkwardSituations();
  RecordMaker maker(8);
  for (int record = 0; record < 4000; ++record) {
    const ArchiveRecord bytes = maker.Next(true);
    for (int column = 1; column <= kEventSortColumns; ++column)
      ExpectHeadBeginsStoredText(RowFormat::Event(column, strings), bytes);
  }
}

TEST(StoredHead, UsualRowsNeedNoWholeText) {
  const FakeStrings strings = AwkwardSituations();
  ArchiveRecord event;
  const std::string payload =
      std::string(1, char{15}) + "\x0F\x0D\x18\x12\x45\x45" + "2G" + " 45.0" + "AB  " + "cd  ";
  std::copy(payload.begin(), payload.end(), event.bytes.begin());
  RowText head;
  for (int column = 1; column <= kEventSortColumns; ++column)
    EXPECT_TRUE(RowFormat::Event(column, strings).StoredHead(event, 80, head)) << column;
  ArchiveRecord interval = event;
  for (int column = 1; column <= kIntervalSortColumns; ++column)
    EXPECT_TRUE(RowFormat::Interval(4, column).StoredHead(interval, 80, head)) << column;

  // Their keys come straight from the bytes, for every column with a prefix of a field, as far
  // as the date reaches: a sort of many rows would be slow, not wrong, without them.
  char quick[kQuickHeadRoom];
  const std::size_t eventWidths[] = {2, 1, 4, 5, 4};
  for (int column = 2; column <= 6; ++column) {
    const RowFormat format = RowFormat::Event(column, strings);
    const std::size_t width = eventWidths[column - 2];
    EXPECT_EQ(format.QuickHead(event, width + 20, quick), static_cast<int>(width)) << column;
    EXPECT_EQ(format.QuickHead(event, width + 21, quick), -1) << column;
  }
  EXPECT_EQ(RowFormat::Event(1, strings).QuickHead(event, 4, quick), -1);
  EXPECT_EQ(RowFormat::Event(7, strings).QuickHead(event, 4, quick), -1);
  for (int column = 2; column <= kIntervalSortColumns; ++column) {
    EXPECT_EQ(RowFormat::Interval(4, column).QuickHead(interval, 25, quick), 5) << column;
    EXPECT_EQ(RowFormat::Interval(column - 2, column).QuickHead(interval, 5, quick), -1) << column;
  }
}

// Whether two rows are equal, where the records tell it: as their stored texts tell it, for
// records that differ in one byte, in every byte, or not at all.
TEST(StoredTextsEqual, TellsWhatTheStoredTextsTell) {
  const FakeStrings strings = AwkwardSituations();
  RecordMaker maker(9);
  std::mt19937 random(10);
  int told = 0;
  for (int pair = 0; pair < 6000; ++pair) {
    const ArchiveRecord a = maker.Next(true);
    ArchiveRecord b = pair % 3 == 0 ? maker.Next(true) : a;
    if (pair % 3 == 1) {
      const ArchiveRecord other = maker.Next(true);
      const std::size_t at = random() % b.bytes.size();
      b.bytes[at] = other.bytes[at];
    }
    for (int column = 1; column <= kEventSortColumns; ++column) {
      const RowFormat format = RowFormat::Event(column, strings);
      const std::optional<bool> equal = format.StoredTextsEqual(a, b);
      if (!equal) continue;
      ++told;
      RowText first;
      RowText second;
      format.StoredText(a, first);
      format.StoredText(b, second);
      EXPECT_EQ(*equal, first.Text() == second.Text()) << "pair " << pair << ", column " << column;
    }
  }
  // Most pairs of usual records are told without their rows.
  EXPECT_GT(told, 6000);
  EXPECT_FALSE(RowFormat::Interval(2, 1).StoredTextsEqual(maker.Next(false), maker.Next(false)));
}

// The definition: six bytes, year first, as one number; in range when each is 10 to 109.
DateTimeOrder::Moment ByteByByte(const unsigned char* bytes) {
  DateTimeOrder::Moment moment;
  moment.inRange = true;
  for (int i = 0; i < 6; ++i) {
    moment.date = moment.date << 8 | bytes[i];
    moment.inRange = moment.inRange && bytes[i] >= 10 && bytes[i] <= 109;
  }
  return moment;
}

TEST(DateTimeOrder, MomentOfEveryByteInEveryFieldIsItsDefinition) {
  std::mt19937 random(3);
  for (int field = 0; field < 6; ++field) {
    for (int value = 0; value < 256; ++value) {
      // Two bytes beyond the six, which must not count.
      std::array<unsigned char, 8> bytes{};
      for (unsigned char& byte : bytes) byte = static_cast<unsigned char>(10 + random() % 100);
      bytes[6] = static_cast<unsigned char>(random());
      bytes[7] = static_cast<unsigned char>(random());
      bytes[static_cast<std::size_t>(field)] = static_cast<unsigned char>(value);
      const auto expected = ByteByByte(bytes.data());
      const auto moment = DateTimeOrder::MomentOf(bytes.data());
      EXPECT_EQ(moment.date, expected.date) << field << ' ' << value;
      EXPECT_EQ(moment.inRange, expected.inRange) << field << ' ' << value;
    }
  }
}

TEST(DateTimeColumn, EveryTwoDigitFieldIsWrittenInItsPlace) {
  for (int field = 0; field < 6; ++field) {
    for (int value = 0; value < 100; ++value) {
      int numbers[6] = {5, 3, 14, 8, 0, 59};
      numbers[field] = value;
      unsigned char bytes[6];
      for (int i = 0; i < 6; ++i) bytes[i] = static_cast<unsigned char>(numbers[i] + 10);
      char expected[32];
      std::snprintf(expected, sizeof expected, "20%02d-%02d-%02d  %02d:%02d:%02d", numbers[0],
                    numbers[1], numbers[2], numbers[3], numbers[4], numbers[5]);
      RowText row;
      row.Clear();
      AppendDateTime(row, bytes);
      EXPECT_EQ(row.Row(), expected);
    }
  }
}

}  // namespace
}  // namespace telvoran
