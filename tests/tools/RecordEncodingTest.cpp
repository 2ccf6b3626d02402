#include "tools/mkarchive/RecordEncoding.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace telvoran {
namespace {

std::string BytesAsText(const ArchiveRecord& record, std::size_t first, std::size_t count) {
  return std::string(record.bytes.begin() + first, record.bytes.begin() + first + count);
}

std::vector<int> BytesAsNumbers(const ArchiveRecord& record, std::size_t first, std::size_t count) {
  return std::vector<int>(record.bytes.begin() + first, record.bytes.begin() + first + count);
}

// The header text a reader builds: the four record texts joined.
std::string HeaderText(const std::vector<ArchiveRecord>& header) {
  std::string text;
  for (const ArchiveRecord& record : header) text += record.RecordText();
  return text;
}

TEST(IntervalRecordEncoding, PutsEveryFieldAtItsByte) {
  IntervalSample sample{{2005, 3, 14, 8, 5, 0}, {" 21.5", "101.0"}};
  const ArchiveRecord record = EncodeIntervalRecord(sample);

  EXPECT_EQ(BytesAsNumbers(record, 0, 6), (std::vector<int>{15, 13, 24, 18, 15, 10}));
  EXPECT_EQ(BytesAsText(record, 6, 5), " 21.5");
  EXPECT_EQ(BytesAsText(record, 11, 5), "101.0");
  EXPECT_EQ(BytesAsText(record, 16, 10), std::string(10, ' '));  // channels 3 and 4 unused
  EXPECT_EQ(record.Kind(), kIntervalKind);
  EXPECT_EQ(BytesAsNumbers(record, 36, 4), (std::vector<int>{26, 0, 0, 0}));
}

TEST(IntervalRecordEncoding, PutsChannelKAtBytes5kPlus1) {
  IntervalSample sample{{2010, 12, 31, 23, 59, 59}, {"aaaaa", "bbbbb", "ccccc", "ddddd"}};
  const ArchiveRecord record = EncodeIntervalRecord(sample);
  EXPECT_EQ(BytesAsNumbers(record, 0, 6), (std::vector<int>{20, 22, 41, 33, 69, 69}));
  for (std::size_t k = 1; k <= 4; ++k) {
    EXPECT_EQ(BytesAsText(record, 5 * k + 1, 5), std::string(5, sample.values[k - 1][0]));
  }
}

TEST(EventRecordEncoding, PutsEveryFieldAtItsByte) {
  EventSample sample{5, {2009, 3, 5, 7, 4, 9}, '2', 'H', " 45.0", "AB", "cd"};
  const ArchiveRecord record = EncodeEventRecord(sample);

  EXPECT_EQ(BytesAsNumbers(record, 0, 7), (std::vector<int>{15, 19, 13, 15, 17, 14, 19}));
  EXPECT_EQ(record.bytes[7], '2');
  EXPECT_EQ(record.bytes[8], 'H');
  EXPECT_EQ(BytesAsText(record, 9, 5), " 45.0");
  EXPECT_EQ(BytesAsText(record, 14, 4), "AB  ");
  EXPECT_EQ(BytesAsText(record, 18, 4), "cd  ");
  EXPECT_EQ(record.Kind(), kEventKind);
}

TEST(EventRecordEncoding, KeepsSingleByteTextAsItStands) {
  EventSample sample{0,
                     {2000, 1, 1, 0, 0, 0},
                     '1',
                     'G',
                     "-12.5",
                     "Woda",
                     "\xB0"
                     "C"};
  const ArchiveRecord record = EncodeEventRecord(sample);
  EXPECT_EQ(record.bytes[0], 10);
  EXPECT_EQ(BytesAsText(record, 18, 4),
            "\xB0"
            "C  ");
}

TEST(RecordEncoding, RefusesWhatItCannotStore) {
  IntervalSample longValue{{2005, 1, 1, 0, 0, 0}, {"123456"}};
  EXPECT_THROW(EncodeIntervalRecord(longValue), std::invalid_argument);

  IntervalSample yearTooLate{{2246, 1, 1, 0, 0, 0}, {}};
  EXPECT_THROW(EncodeIntervalRecord(yearTooLate), std::out_of_range);
  IntervalSample yearTooEarly{{1989, 1, 1, 0, 0, 0}, {}};
  EXPECT_THROW(EncodeIntervalRecord(yearTooEarly), std::out_of_range);

  EventSample addressTooHigh{246, {2005, 1, 1, 0, 0, 0}, '1', 'G', "", "", ""};
  EXPECT_THROW(EncodeEventRecord(addressTooHigh), std::out_of_range);
  EventSample longMedium{1, {2005, 1, 1, 0, 0, 0}, '1', 'G', "", "Water", ""};
  EXPECT_THROW(EncodeEventRecord(longMedium), std::invalid_argument);
}

TEST(RecordEncoding, StoresAnyBiasedByteInRange) {
  // Out-of-range dates are legitimate test material as long as the byte holds them.
  IntervalSample earliest{{1990, -10, -10, -10, -10, -10}, {}};
  EXPECT_EQ(BytesAsNumbers(EncodeIntervalRecord(earliest), 0, 6),
            (std::vector<int>{0, 0, 0, 0, 0, 0}));
  IntervalSample latest{{2245, 245, 245, 245, 245, 245}, {}};
  EXPECT_EQ(BytesAsNumbers(EncodeIntervalRecord(latest), 0, 6),
            (std::vector<int>{255, 255, 255, 255, 255, 255}));
}

TEST(KindEncoding, StoresLittleEndian) {
  ArchiveRecord record;
  SetKind(record, 0x01020304);
  EXPECT_EQ(BytesAsNumbers(record, 36, 4), (std::vector<int>{4, 3, 2, 1}));
  EXPECT_EQ(record.Kind(), 0x01020304u);
}

TEST(IntervalHeaderEncoding, HasFourRecordsOfTheChosenKindWithFullTexts) {
  const std::vector<ChannelLabel> channels = {{"T1",
                                               "\xB0"
                                               "C"},
                                              {"P1", "kPa"}};
  for (std::uint32_t kind : {kIntervalKind, kEventKind}) {
    const auto header = MakeIntervalHeader(channels, kind);
    ASSERT_EQ(header.size(), 4u);
    for (const ArchiveRecord& record : header) {
      EXPECT_EQ(record.Kind(), kind);
      EXPECT_EQ(record.RecordText().size(), kRecordTextLength);
    }
  }
}

TEST(IntervalHeaderEncoding, PutsCountNamesAndUnitsAtTheirTextPositions) {
  const std::vector<ChannelLabel> channels = {{"T1",
                                               "\xB0"
                                               "C"},
                                              {"P1", "kPa"},
                                              {"Q1", "m3/h"},
                                              {"H1", "%RH"}};
  for (std::size_t count = 0; count <= 4; ++count) {
    SCOPED_TRACE("channels: " + std::to_string(count));
    const std::string text =
        HeaderText(MakeIntervalHeader(std::span(channels).first(count), kIntervalKind));
    ASSERT_EQ(text.size(), 132u);
    EXPECT_EQ(text[1], static_cast<char>('0' + count));  // position 2
    for (std::size_t k = 1; k <= 4; ++k) {
      // Name at positions 26k-23..26k-20, unit at 26k-19..26k-16 (counted from 1).
      const std::string name = text.substr(26 * k - 24, 4);
      const std::string unit = text.substr(26 * k - 20, 4);
      if (k <= count) {
        EXPECT_EQ(name, (channels[k - 1].name + "    ").substr(0, 4));
        EXPECT_EQ(unit, (channels[k - 1].unit + "    ").substr(0, 4));
      } else {
        EXPECT_EQ(name + unit, std::string(8, ' '));
      }
    }
  }
}

TEST(IntervalHeaderEncoding, RefusesMoreThanFourChannelsAndLongLabels) {
  EXPECT_THROW(MakeIntervalHeader(std::vector<ChannelLabel>(5)), std::invalid_argument);
  EXPECT_THROW(MakeIntervalHeader(std::vector<ChannelLabel>{{"Temp1", "C"}}),
               std::invalid_argument);
}

}  // namespace
}  // namespace telvoran
