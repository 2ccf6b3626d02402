// The width of a row's display text, found from its record without building the text, against
// the length of the text built in full; and the widest row of a store, which sets the list's
// scroll range.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "core/rows/DateTimeColumn.h"
#include "core/rows/RowFormat.h"
#include "core/rows/RowStore.h"
#include "core/text/StringIds.h"
#include "support/FakeStrings.h"
#include "support/RandomRecords.h"

namespace telvoran {
namespace {

using test::DateRun;
using test::FakeStrings;

// Situation texts of every length a library may hold: empty, cut by a zero byte, one of 60
// characters and one far too long for a row.
FakeStrings SituationsOfEveryLength() {
  return FakeStrings({{sid::kSituationG, "Stan normalny"},
                      {sid::kSituationL, ""},
                      {sid::kSituationH, std::string("Alarm\0 reszta", 13)},
                      {sid::kSituationM, std::string(60, '\xA5')},
                      {sid::kSituationW, std::string(400, 'w')},
                      {sid::kSituationO, "O"},
                      {sid::kSituationF, std::string(250, 'f')}});
}

std::vector<RowFormat> EveryFormat(const FakeStrings& strings) {
  std::vector<RowFormat> formats;
  for (int channels : {-1, 0, 1, 2, 3, 4, 7})
    for (int column = 1; column <= 5; ++column)
      formats.push_back(RowFormat::Interval(channels, column));
  for (int column = 1; column <= 7; ++column) formats.push_back(RowFormat::Event(column, strings));
  return formats;
}

void ExpectWidthOfBuiltText(const RowFormat& format, const ArchiveRecord& record) {
  RowText text;
  const std::size_t built = format.DisplayText(record, text).size();
  ASSERT_EQ(format.DisplayWidth(record), built)
      << "kind " << static_cast<int>(format.Kind()) << ", column " << format.SortColumn()
      << ", record bytes 0-8: " << int{record.bytes[0]} << ' ' << int{record.bytes[1]} << ' '
      << int{record.bytes[2]} << ' ' << int{record.bytes[3]} << ' ' << int{record.bytes[4]} << ' '
      << int{record.bytes[5]} << ' ' << int{record.bytes[6]} << ' ' << int{record.bytes[7]} << ' '
      << int{record.bytes[8]};
}

// A record of this century with printable fields and situation G.
ArchiveRecord UsualRecord() {
  ArchiveRecord record;
  for (std::size_t i = 0; i < kRecordSize; ++i) record.bytes[i] = 'a';
  for (std::size_t i = 0; i < 7; ++i) record.bytes[i] = 20;
  record.bytes[8] = 'G';
  return record;
}

TEST(DisplayWidth, EqualsTheBuiltTextForEveryByteOfEveryField) {
  const FakeStrings strings = SituationsOfEveryLength();
  for (const RowFormat& format : EveryFormat(strings)) {
    // Each byte that shapes the row in turn through all its values: dates of one digit, three
    // digits and negative numbers, addresses of every width, every situation code, zero bytes
    // cutting the text fields, with the other bytes usual.
    for (std::size_t position = 0; position < kRecordSize; ++position) {
      for (int value = 0; value < 256; ++value) {
        ArchiveRecord record = UsualRecord();
        record.bytes[position] = static_cast<unsigned char>(value);
        ExpectWidthOfBuiltText(format, record);
      }
    }
  }
}

TEST(DisplayWidth, EqualsTheBuiltTextForRandomRecords) {
  const FakeStrings strings = SituationsOfEveryLength();
  std::mt19937 random(14);
  const std::string situationCodes = "GLHMWOFx";
  for (const RowFormat& format : EveryFormat(strings)) {
    for (int i = 0; i < 3000; ++i) {
      ArchiveRecord record;
      for (auto& byte : record.bytes) byte = static_cast<unsigned char>(random() % 256);
      // Mostly a known situation, so that the channel columns get taken too.
      if (i % 4 != 0) record.bytes[8] = situationCodes[random() % situationCodes.size()];
      // Zero bytes more often than chance gives them.
      if (i % 3 == 0) record.bytes[random() % 33] = 0;
      ExpectWidthOfBuiltText(format, record);
    }
  }
}

TEST(DateTimeWidth, CountsLeadInsAndDigitsOfEveryField) {
  const unsigned char usual[6] = {15, 13, 24, 18, 15, 10};
  EXPECT_EQ(DateTimeWidth(usual), kDateTimeColumnWidth);
  // Year 245, month -10, day -1, hour 100, minute 9, second 0:
  // "20245" "-0-10" "-0-1" "  100" ":09" ":00".
  const unsigned char odd[6] = {255, 0, 9, 110, 19, 10};
  EXPECT_EQ(DateTimeWidth(odd), 5u + 5u + 4u + 5u + 3u + 3u);
  EXPECT_EQ(NumberWidth(0), 1u);
  EXPECT_EQ(NumberWidth(-10), 3u);
  EXPECT_EQ(NumberWidth(245), 3u);
}

TEST(DisplayWidth, WidestOfManyRecordsIsTheLargestBuiltText) {
  const FakeStrings strings = SituationsOfEveryLength();
  // Usual records of every situation code, among which one unusual record at a time: the
  // widest is found both among the usual ones and the unusual one.
  std::vector<ArchiveRecord> usual;
  for (int code = 0; code < 256; ++code) {
    usual.push_back(UsualRecord());
    usual.back().bytes[8] = static_cast<unsigned char>(code);
  }
  for (const RowFormat& format : EveryFormat(strings)) {
    EXPECT_EQ(format.WidestDisplayWidth({}), 0u);
    for (std::size_t position : {0, 1, 3, 6, 8, 12, 21}) {
      for (int value : {0, 9, 109, 110, 255}) {
        std::vector<ArchiveRecord> records = usual;
        records[100].bytes[position] = static_cast<unsigned char>(value);
        std::size_t widest = 0;
        RowText text;
        for (const ArchiveRecord& record : records)
          widest = std::max(widest, format.DisplayText(record, text).size());
        ASSERT_EQ(format.WidestDisplayWidth(records), widest)
            << "column " << format.SortColumn() << ", byte " << position << " = " << value;
        // One usual situation alone, then the unusual record alone.
        ASSERT_EQ(format.WidestDisplayWidth({records.data() + 71, 1}),
                  format.DisplayText(records[71], text).size());
        ASSERT_EQ(format.WidestDisplayWidth({records.data() + 100, 1}),
                  format.DisplayText(records[100], text).size());
      }
    }
  }
}

// The widest row measured in full: every row's display text built.
std::size_t WidestBuilt(const RowStore& rows) {
  std::size_t widest = 0;
  RowText text;
  for (std::size_t row = 0; row < rows.Size(); ++row)
    widest = std::max(widest, rows.DisplayText(row, text).size());
  return widest;
}

TEST(WidestDisplayText, MatchesTheFullMeasurementOnVariedArchives) {
  const FakeStrings strings = SituationsOfEveryLength();
  test::RandomRecords random(7);
  for (DateRun dates : {DateRun::Rising, DateRun::WithStrays, DateRun::Shuffled}) {
    for (std::size_t count : {0, 1, 500}) {
      const auto intervals = random.Interval(count, dates);
      const auto events = random.Event(count, dates);
      for (int column = 1; column <= 5; ++column) {
        for (int channels = 0; channels <= 4; ++channels) {
          RowStore store(RowFormat::Interval(channels, column));
          for (const ArchiveRecord& record : intervals) store.Append(record);
          store.Sort();
          EXPECT_EQ(store.WidestDisplayText(), WidestBuilt(store));
        }
      }
      for (int column = 1; column <= 7; ++column) {
        RowStore store(RowFormat::Event(column, strings));
        for (const ArchiveRecord& record : events) store.Append(record);
        store.Sort();
        store.RemoveDuplicateRows();
        EXPECT_EQ(store.WidestDisplayText(), WidestBuilt(store));
      }
    }
  }
}

TEST(WidestDisplayText, CountsRowsAppendedAndNotYetMergedAndForgetsClearedOnes) {
  const FakeStrings strings = SituationsOfEveryLength();
  RowStore store(RowFormat::Event(7, strings));
  ArchiveRecord usual = UsualRecord();
  store.Append(usual);
  store.Sort();
  const std::size_t oneRow = store.WidestDisplayText();
  // A situation of 400 characters makes the widest row a row can be, cut at the row's room.
  ArchiveRecord wide = usual;
  wide.bytes[8] = 'W';
  store.Append(wide);
  EXPECT_EQ(store.WidestDisplayText(), WidestBuilt(store));
  EXPECT_GT(store.WidestDisplayText(), oneRow);
  store.MergeAppended();
  EXPECT_EQ(store.WidestDisplayText(), WidestBuilt(store));
  // A narrower row appended later leaves the widest as it was.
  store.Append(usual);
  EXPECT_EQ(store.WidestDisplayText(), WidestBuilt(store));
  // Once cleared, the rows measured before count no more.
  store.Clear();
  EXPECT_EQ(store.WidestDisplayText(), 0u);
  store.Append(usual);
  EXPECT_EQ(store.WidestDisplayText(), oneRow);
}

}  // namespace
}  // namespace telvoran
