// Records whose fields hold bytes the writer never writes: zero bytes in text fields and date,
// time and address bytes of 0 and 255. Read through an archive file, every such record still
// gives one whole row, drawn the same under every sort column.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/archive/ArchiveFile.h"
#include "core/rows/EventRows.h"
#include "core/rows/IntervalRows.h"
#include "core/rows/RowReading.h"
#include "core/view/ViewContent.h"
#include "core/view/ViewTexts.h"
#include "support/ArchiveReading.h"
#include "support/ArchiveRecords.h"
#include "support/FakeStrings.h"
#include "support/RecordingReporter.h"
#include "support/TempDir.h"

namespace telvoran {
namespace {

using namespace test;

ViewContent Content(ArchiveKind kind, int sortColumn) {
  ViewContent content;
  content.kind = kind;
  content.sortColumn = sortColumn;
  return content;
}

class OddRecordTest : public ::testing::Test, protected test::ArchiveReading {
 protected:
  // The one row of an interval archive with four channels and `record`, as drawn when sorted
  // by `sortColumn`; empty when the reading fails.
  std::string IntervalRowRead(const std::vector<ArchiveRecord>& header, const ArchiveRecord& record,
                              int sortColumn) {
    ViewContent content = Content(ArchiveKind::Interval, sortColumn);
    const auto path = dir.Write("a.czt", Join(header, std::vector{record}));
    if (!ReloadIntervalRows(file, path, sortColumn, kOpenMessages, content.rows) ||
        content.rows.Size() != 1)
      return {};
    return std::string(content.DisplayText(content.rows[0]));
  }
  std::string IntervalRowRead(const ArchiveRecord& record, int sortColumn) {
    return IntervalRowRead(IntervalHeader('4'), record, sortColumn);
  }

  std::string EventRowRead(const ArchiveRecord& record, int sortColumn) {
    ViewContent content = Content(ArchiveKind::Event, sortColumn);
    const auto path = dir.Write("a.zdr", {record});
    if (!ReloadEventRows(file, path, sortColumn, kOpenMessages, content.rows) ||
        content.rows.Size() != 1)
      return {};
    return std::string(content.DisplayText(content.rows[0]));
  }

  // The row as drawn when sorted by date and time, after checking that every other column
  // draws it the same (an interval row sorted by a channel without its last space).
  std::string IntervalRowUnderEveryColumn(const ArchiveRecord& record) {
    const std::string byDate = IntervalRowRead(record, 1);
    for (int column = 2; column <= kIntervalSortColumns; ++column)
      EXPECT_EQ(IntervalRowRead(record, column), byDate.substr(0, byDate.size() - 1)) << column;
    EXPECT_TRUE(reporter.events.empty());
    return byDate;
  }
  std::string EventRowUnderEveryColumn(const ArchiveRecord& record) {
    const std::string byDate = EventRowRead(record, 1);
    for (int column = 2; column <= kEventSortColumns; ++column)
      EXPECT_EQ(EventRowRead(record, column), byDate) << column;
    EXPECT_TRUE(reporter.events.empty());
    return byDate;
  }
};

const std::string kIntervalValues = "12.3423.4534.5645.67";
const std::string kEventDate = "2009-03-05  07:05:09";

// Positions 21 onward of the row of EventRecord() up to the situation text, with the text
// fields as given: they are not filled up when the record text ends inside them.
std::string EventColumns(std::string_view address, char channel, std::string_view medium,
                         std::string_view reading, std::string_view unit) {
  return std::string(address) + "     " + channel + "   " + std::string(medium) + "  " +
         std::string(reading) + "  " + std::string(unit) + "  ";
}

// One byte of a record changed, and the text the changed field comes out as.
struct OddByte {
  const char* field;
  std::size_t offset;
  unsigned char value;
  std::string text;
};

class OddIntervalDate : public OddRecordTest, public ::testing::WithParamInterface<OddByte> {};

TEST_P(OddIntervalDate, GivesAWiderOrNegativeFieldInAWholeRow) {
  ArchiveRecord record = IntervalRecord(5, kIntervalValues);
  record.bytes[GetParam().offset] = GetParam().value;
  const std::string row = IntervalRowUnderEveryColumn(record);
  const std::string gap(11, ' ');
  EXPECT_EQ(row, GetParam().text + std::string(7, ' ') + "12.34" + gap + "23.45" + gap + "34.56" +
                     gap + "45.67" + gap);
}

INSTANTIATE_TEST_SUITE_P(ZeroAnd255, OddIntervalDate,
                         ::testing::Values(OddByte{"year", 0, 0, "200-10-03-14  08:05:00"},
                                           OddByte{"year", 0, 255, "20245-03-14  08:05:00"},
                                           OddByte{"month", 1, 0, "2005-0-10-14  08:05:00"},
                                           OddByte{"month", 1, 255, "2005-245-14  08:05:00"},
                                           OddByte{"day", 2, 0, "2005-03-0-10  08:05:00"},
                                           OddByte{"day", 2, 255, "2005-03-245  08:05:00"},
                                           OddByte{"hour", 3, 0, "2005-03-14  0-10:05:00"},
                                           OddByte{"hour", 3, 255, "2005-03-14  245:05:00"},
                                           OddByte{"minute", 4, 0, "2005-03-14  08:0-10:00"},
                                           OddByte{"minute", 4, 255, "2005-03-14  08:245:00"},
                                           OddByte{"second", 5, 0, "2005-03-14  08:05:0-10"},
                                           OddByte{"second", 5, 255, "2005-03-14  08:05:245"}),
                         [](const auto& info) {
                           return std::string(info.param.field) + std::to_string(info.param.value);
                         });

class OddEventNumber : public OddRecordTest, public ::testing::WithParamInterface<OddByte> {};

// A zero byte among bytes 0 to 6 also ends the record text, so medium, reading and unit are
// empty; 255 leaves them whole.
TEST_P(OddEventNumber, GivesAWiderOrNegativeFieldInAWholeRow) {
  ArchiveRecord record = EventRecord(5);
  record.bytes[GetParam().offset] = GetParam().value;
  const std::string row = EventRowUnderEveryColumn(record);
  const bool textCut = GetParam().value == 0;
  const std::string address = GetParam().offset == 0 ? GetParam().text : "    5";
  const std::string date = GetParam().offset == 0 ? kEventDate : GetParam().text;
  const std::string columns = textCut ? EventColumns(address, '2', "", "", "")
                                      : EventColumns(address, '2', "AB  ", " 45.0", "cd  ");
  EXPECT_EQ(row, date + columns + "S162");
}

INSTANTIATE_TEST_SUITE_P(ZeroAnd255, OddEventNumber,
                         ::testing::Values(OddByte{"address", 0, 0, "    -10"},
                                           OddByte{"address", 0, 255, "   245"},
                                           OddByte{"year", 1, 0, "200-10-03-05  07:05:09"},
                                           OddByte{"year", 1, 255, "20245-03-05  07:05:09"},
                                           OddByte{"month", 2, 0, "2009-0-10-05  07:05:09"},
                                           OddByte{"month", 2, 255, "2009-245-05  07:05:09"},
                                           OddByte{"day", 3, 0, "2009-03-0-10  07:05:09"},
                                           OddByte{"day", 3, 255, "2009-03-245  07:05:09"},
                                           OddByte{"hour", 4, 0, "2009-03-05  0-10:05:09"},
                                           OddByte{"hour", 4, 255, "2009-03-05  245:05:09"},
                                           OddByte{"minute", 5, 0, "2009-03-05  07:0-10:09"},
                                           OddByte{"minute", 5, 255, "2009-03-05  07:245:09"},
                                           OddByte{"second", 6, 0, "2009-03-05  07:05:0-10"},
                                           OddByte{"second", 6, 255, "2009-03-05  07:05:245"}),
                         [](const auto& info) {
                           return std::string(info.param.field) + std::to_string(info.param.value);
                         });

using ZeroByteTest = OddRecordTest;

TEST_F(ZeroByteTest, InAnIntervalValueShowsAsASpace) {
  for (std::size_t offset = 6; offset <= 25; ++offset) {
    SCOPED_TRACE(offset);
    ArchiveRecord record = IntervalRecord(5, kIntervalValues);
    record.bytes[offset] = 0;
    std::string expected = IntervalRowUnderEveryColumn(IntervalRecord(5, kIntervalValues));
    expected[27 + (offset - 6) / 5 * 16 + (offset - 6) % 5] = ' ';
    EXPECT_EQ(IntervalRowUnderEveryColumn(record), expected);
  }
}

TEST_F(ZeroByteTest, InAHeaderNameOrUnitMovesTheRestOfTheHeaderLeft) {
  // Channel 1's name and unit lie in bytes 2 to 9 of the first header record. A zero there
  // ends that record's text: channel 1 is then titled from the start of the second record's
  // text, and the rows are read as before.
  const auto intact = IntervalHeader('4');
  const std::string second(intact[1].RecordText());
  for (std::size_t offset = 2; offset <= 9; ++offset) {
    SCOPED_TRACE(offset);
    auto header = intact;
    header[0].bytes[offset] = 0;
    const std::string row = IntervalRowRead(header, IntervalRecord(5, kIntervalValues), 1);
    EXPECT_EQ(row.size(), 91u);
    EXPECT_EQ(file.IntervalHeader().size(), 132 - (33 - offset));
    EXPECT_EQ(file.IntervalHeader().substr(offset),
              second + std::string(intact[2].RecordText()) + std::string(intact[3].RecordText()));
    // With the zero on the name's first byte, the name is read from the second record's text:
    // the "2" of channel 2's unit "U2", then spaces.
    if (offset == 2) {
      EXPECT_EQ(ChannelPanelCaptions(file.IntervalHeader())[0], "1 2    [    ]");
    }
  }
  EXPECT_TRUE(reporter.events.empty());
}

TEST_F(ZeroByteTest, InTheChannelCountTakesTheCountFromTheNextRecord) {
  auto header = IntervalHeader('4');
  header[0].bytes[1] = 0;
  header[1].bytes[0] = '1';
  EXPECT_EQ(IntervalRowRead(header, IntervalRecord(5, kIntervalValues), 1).size(), 43u);
  header[1].bytes[0] = 'x';
  EXPECT_EQ(IntervalRowRead(header, IntervalRecord(5, kIntervalValues), 1), "");
  EXPECT_EQ(reporter.events, (std::vector<std::string>{"beep", "message:S108\rS109"}));
}

TEST_F(ZeroByteTest, InAnEventTextFieldEmptiesTheTextFieldsAfterIt) {
  struct Case {
    const char* field;
    std::size_t offset;
    std::string columns;
  };
  const std::vector<Case> cases = {
      {"channel", 7, EventColumns("    5", ' ', "", "", "")},
      {"reading", 9, EventColumns("    5", '2', "", "", "")},
      {"reading's third", 11, EventColumns("    5", '2', "", " 4", "")},
      {"medium", 14, EventColumns("    5", '2', "", " 45.0", "")},
      {"medium's second", 15, EventColumns("    5", '2', "A", " 45.0", "")},
      {"unit", 18, EventColumns("    5", '2', "AB  ", " 45.0", "")},
      {"unit's fourth", 21, EventColumns("    5", '2', "AB  ", " 45.0", "cd ")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.field);
    ArchiveRecord record = EventRecord(5);
    record.bytes[c.offset] = 0;
    EXPECT_EQ(EventRowUnderEveryColumn(record), kEventDate + c.columns + "S162");
  }
}

TEST_F(ZeroByteTest, AsTheSituationCodeGivesARowWithoutSituation) {
  ArchiveRecord record = EventRecord(5);
  record.bytes[8] = 0;
  // Drawn without the second of the two closing spaces.
  EXPECT_EQ(EventRowUnderEveryColumn(record), kEventDate + std::string(31 + 1, ' '));
}

}  // namespace
}  // namespace telvoran
