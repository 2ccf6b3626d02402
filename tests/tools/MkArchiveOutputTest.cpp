#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <set>
#include <string>
#include <system_error>
#include <vector>

#include "tools/MkArchiveTestSupport.h"
#include "tools/mkarchive/RecordEncoding.h"

namespace telvoran {
namespace {

using test::ReadBytes;
using test::ReadRecords;
using test::RunTool;
using test::TempFolder;

std::string HeaderText(const std::vector<ArchiveRecord>& records) {
  std::string text;
  for (std::size_t r = 0; r < 4; ++r) text += records[r].RecordText();
  return text;
}

std::string Field(const ArchiveRecord& record, std::size_t offset, std::size_t width) {
  return std::string(record.bytes.begin() + offset, record.bytes.begin() + offset + width);
}

// Runs the tool with `arguments` plus an output file in a fresh folder.
class MkArchiveOutput : public ::testing::Test {
 protected:
  std::filesystem::path Write(const std::string& fileName, std::vector<std::string> arguments) {
    const auto path = folder_ / fileName;
    arguments.insert(arguments.begin(), {"--output", path.string()});
    const auto run = RunTool(arguments);
    EXPECT_EQ(run.exitStatus, kExitSuccess) << run.err;
    return path;
  }

  TempFolder folder_;
};

struct SizeCase {
  std::string fileName;
  std::vector<std::string> arguments;
  std::uintmax_t expectedSize;
};

class MkArchiveFileSize : public MkArchiveOutput, public ::testing::WithParamInterface<SizeCase> {};

TEST_P(MkArchiveFileSize, Is40TimesTheRecordsPlusTheTrailingBytes) {
  const auto path = Write(GetParam().fileName, GetParam().arguments);
  EXPECT_EQ(std::filesystem::file_size(path), GetParam().expectedSize);
}

INSTANTIATE_TEST_SUITE_P(
    MkArchive, MkArchiveFileSize,
    ::testing::Values(SizeCase{"a.czt", {"-n", "10"}, 40 * (4 + 10)},
                      SizeCase{"a.czt", {"-n", "0"}, 40 * 4},
                      SizeCase{"a.czt", {"-n", "1"}, 40 * 5},
                      SizeCase{"a.czt", {"-n", "3", "--header-records", "2"}, 40 * (2 + 3)},
                      SizeCase{"a.czt", {"-n", "1", "--trailing", "1"}, 40 * 5 + 1},
                      SizeCase{"a.czt", {"-c", "0", "-n", "5"}, 40 * 9},
                      SizeCase{"a.zdr", {"-n", "10"}, 40 * 10}, SizeCase{"a.zdr", {"-n", "0"}, 0},
                      SizeCase{"a.zdr", {"-n", "0", "--trailing", "39"}, 39},
                      SizeCase{"a.zdr", {"-n", "2", "--trailing", "1"}, 81},
                      SizeCase{"a.zdr", {"-n", "500", "--duplicates", "50"}, 40 * 500}));

TEST_F(MkArchiveOutput, IntervalArchiveHasItsHeaderThenRecordsOneStepApart) {
  const auto records = ReadRecords(
      Write("2005-03-14_C07.czt",
            {"-n", "3", "-c", "3", "--start", "2005-03-14T23:50", "--step", "10m", "--name", "3=Q1",
             "--unit", "3=m3/h", "--format", "3=int", "--range", "3=100:200"}));
  ASSERT_EQ(records.size(), 7u);

  const std::string header = HeaderText(records);
  EXPECT_EQ(header[1], '3');
  EXPECT_EQ(header.substr(2, 8),
            "T1  \xB0"
            "C  ");
  EXPECT_EQ(header.substr(54, 8), "Q1  m3/h");
  for (std::size_t r = 0; r < 4; ++r) EXPECT_EQ(records[r].Kind(), kIntervalKind);

  // 2005-03-14 23:50, 2005-03-15 00:00, 2005-03-15 00:10, each byte the number plus 10.
  const std::vector<std::vector<int>> expectedTimes = {
      {15, 13, 24, 33, 60, 10}, {15, 13, 25, 10, 10, 10}, {15, 13, 25, 10, 20, 10}};
  for (std::size_t i = 0; i < 3; ++i) {
    const ArchiveRecord& record = records[4 + i];
    EXPECT_EQ(std::vector<int>(record.bytes.begin(), record.bytes.begin() + 6), expectedTimes[i]);
    EXPECT_EQ(record.Kind(), kIntervalKind);
    const double temperature = std::stod(Field(record, 6, 5));
    EXPECT_TRUE(temperature >= 15 && temperature <= 25) << Field(record, 6, 5);
    EXPECT_EQ(Field(record, 6, 5)[3], '.');    // fixed:1, right-aligned
    EXPECT_EQ(Field(record, 16, 5)[0], ' ');   // int: at most three digits of five
    EXPECT_EQ(Field(record, 21, 5), "     ");  // channel 4 is not in use
  }
}

TEST_F(MkArchiveOutput, EventArchiveDrawsEverySituationCodeChannelAndAddress) {
  const auto records = ReadRecords(
      Write("alarm2005.zdr", {"-n", "400", "-c", "2", "--address", "9-10", "--step", "1h",
                              "--codes", "G=1,L=1,H=1,M=1,W=1,O=1,F=1,other=1", "--other-codes",
                              "Xg", "--name", "2=Gaz", "--unit", "2=kPa", "--format", "2=text"}));
  ASSERT_EQ(records.size(), 400u);

  std::set<char> codes;
  std::set<int> addresses;
  for (const ArchiveRecord& record : records) {
    EXPECT_EQ(record.Kind(), kEventKind);
    codes.insert(static_cast<char>(record.bytes[8]));
    addresses.insert(record.bytes[0] - 10);
    const char channel = static_cast<char>(record.bytes[7]);
    ASSERT_TRUE(channel == '1' || channel == '2');
    EXPECT_EQ(Field(record, 14, 8), channel == '1' ? "T1  \xB0"
                                                     "C  "
                                                   : "Gaz kPa ");
  }
  EXPECT_EQ(codes, (std::set<char>{'G', 'L', 'H', 'M', 'W', 'O', 'F', 'X', 'g'}));
  EXPECT_EQ(addresses, (std::set<int>{9, 10}));
}

TEST_F(MkArchiveOutput, EventTimesNeverGoBackNorJumpMoreThanOneStep) {
  const auto records = ReadRecords(Write("a.zdr", {"-n", "300", "--step", "90"}));
  int previousSeconds = -1;
  for (const ArchiveRecord& record : records) {
    // All 300 events lie within one day: at most 300 x 90 s after 08:00.
    ASSERT_EQ(record.bytes[3], 14 + 10);
    const int seconds =
        (record.bytes[4] - 10) * 3600 + (record.bytes[5] - 10) * 60 + (record.bytes[6] - 10);
    if (previousSeconds >= 0) {
      EXPECT_GE(seconds, previousSeconds);
      EXPECT_LE(seconds - previousSeconds, 90);
    }
    previousSeconds = seconds;
  }
}

TEST_F(MkArchiveOutput, DuplicatesRepeatTheRecordBefore) {
  const auto all = ReadRecords(Write("all.zdr", {"-n", "20", "--duplicates", "100"}));
  EXPECT_TRUE(std::all_of(all.begin(), all.end(),
                          [&](const ArchiveRecord& r) { return r.bytes == all[0].bytes; }));

  const auto none = ReadRecords(Write("none.zdr", {"-n", "200"}));
  for (std::size_t i = 1; i < none.size(); ++i) EXPECT_NE(none[i].bytes, none[i - 1].bytes);

  const auto some = ReadRecords(Write("some.zdr", {"-n", "1000", "--duplicates", "25"}));
  std::size_t repeats = 0;
  for (std::size_t i = 1; i < some.size(); ++i) repeats += some[i].bytes == some[i - 1].bytes;
  EXPECT_GT(repeats, 150u);
  EXPECT_LT(repeats, 350u);
}

TEST_F(MkArchiveOutput, ShuffleMovesTheSameRecordsOutOfTimeOrder) {
  const std::vector<std::string> options = {"-n", "500", "--duplicates", "10"};
  auto with = [&](const std::string& name, std::vector<std::string> more) {
    more.insert(more.begin(), options.begin(), options.end());
    return ReadRecords(Write(name, more));
  };
  auto sorted = [](std::vector<ArchiveRecord> records) {
    std::sort(records.begin(), records.end(),
              [](const ArchiveRecord& a, const ArchiveRecord& b) { return a.bytes < b.bytes; });
    return records;
  };
  auto bytes = [](const std::vector<ArchiveRecord>& records) {
    std::vector<std::array<unsigned char, kRecordSize>> all;
    for (const ArchiveRecord& r : records) all.push_back(r.bytes);
    return all;
  };
  const auto inOrder = with("a.zdr", {});
  EXPECT_EQ(bytes(with("none.zdr", {"--shuffle", "0"})), bytes(inOrder));
  for (const char* percent : {"30", "100"}) {
    const auto shuffled = with(std::string("s") + percent + ".zdr", {"--shuffle", percent});
    EXPECT_NE(bytes(shuffled), bytes(inOrder)) << percent;
    EXPECT_EQ(bytes(sorted(shuffled)), bytes(sorted(inOrder))) << percent;
  }
}

TEST_F(MkArchiveOutput, SameSeedGivesTheSameBytes) {
  const std::vector<std::string> options = {
      "-n", "200", "--duplicates", "10", "--codes", "G=1,O=1,other=1", "--format", "2=text"};
  auto seeded = [&](const std::string& name, const std::string& seed) {
    auto arguments = options;
    arguments.insert(arguments.end(), {"--seed", seed});
    return ReadBytes(Write(name, arguments));
  };
  EXPECT_EQ(seeded("a.zdr", "42"), seeded("b.zdr", "42"));
  EXPECT_NE(seeded("c.zdr", "42"), seeded("d.zdr", "43"));
}

TEST_F(MkArchiveOutput, WrongKindsLandOnTheirRecordsOnly) {
  const auto records = ReadRecords(
      Write("a.czt", {"-n", "3", "--wrong-kind", "1:33", "--wrong-kind", "5:4294967295"}));
  const std::vector<std::uint32_t> expected = {33, 26, 26, 26, 4294967295u, 26, 26};
  ASSERT_EQ(records.size(), expected.size());
  for (std::size_t i = 0; i < records.size(); ++i) EXPECT_EQ(records[i].Kind(), expected[i]);
}

TEST_F(MkArchiveOutput, ByteFaultsLandAtTheirRecordAndOffset) {
  const auto interval =
      ReadRecords(Write("a.czt", {"-n", "3", "--zero", "6:value1", "--set-byte", "7:month=255",
                                  "--set-byte", "5:0=0", "--zero", "2:39"}));
  EXPECT_EQ(interval[5].bytes[6], 0);
  EXPECT_EQ(interval[6].bytes[1], 255);
  EXPECT_EQ(interval[4].bytes[0], 0);
  EXPECT_EQ(interval[1].bytes[39], 0);
  // Everything else is untouched: the same file without faults differs only in those bytes.
  const auto clean = ReadRecords(Write("b.czt", {"-n", "3"}));
  std::size_t differences = 0;
  for (std::size_t r = 0; r < clean.size(); ++r) {
    for (std::size_t b = 0; b < kRecordSize; ++b) {
      differences += clean[r].bytes[b] != interval[r].bytes[b];
    }
  }
  EXPECT_EQ(differences, 3u);  // byte 39 of a header record is 0 already

  const auto event = ReadRecords(
      Write("a.zdr", {"-n", "2", "--set-byte", "2:address=255", "--set-byte", "1:code=0"}));
  EXPECT_EQ(event[1].bytes[0], 255);
  EXPECT_EQ(event[0].bytes[8], 0);
}

TEST_F(MkArchiveOutput, ShortHeaderLetsDataRecordsTakeTheHeadersPlace) {
  const auto records = ReadRecords(Write("a.czt", {"-n", "2", "--header-records", "3"}));
  ASSERT_EQ(records.size(), 5u);
  EXPECT_EQ(records[2].RecordText().size(), kRecordTextLength);  // header record 3
  EXPECT_EQ(records[3].bytes[0], 15);  // a data record, year 2005, in the fourth place
}

TEST_F(MkArchiveOutput, HeaderKindAndChannelCountCharacterAreReplaced) {
  const auto kind33 = ReadRecords(Write("a.czt", {"-n", "1", "--header-kind", "33"}));
  for (std::size_t r = 0; r < 4; ++r) EXPECT_EQ(kind33[r].Kind(), kEventKind);
  EXPECT_EQ(kind33[4].Kind(), kIntervalKind);

  for (const std::string character : {"5", "x"}) {
    const auto records = ReadRecords(Write("b.czt", {"-n", "1", "--count-char", character}));
    const std::string header = HeaderText(records);
    EXPECT_EQ(header.size(), 132u);
    EXPECT_EQ(header.substr(1, 1), character);
  }
}

TEST_F(MkArchiveOutput, MissingChannelCountLeavesAHeaderTextOfOneCharacter) {
  // A zero byte in record 1 alone would let record 2's text move into position 2.
  const auto records = ReadRecords(Write("a.czt", {"-n", "1", "--count-char", "missing"}));
  EXPECT_EQ(HeaderText(records).size(), 1u);
  EXPECT_EQ(records[4].bytes[0], 15);  // the data record is unharmed
}

TEST_F(MkArchiveOutput, TrailingBytesAreTheStartOfOneMoreRecord) {
  const auto bytes = ReadBytes(Write(
      "a.czt", {"-n", "1", "--start", "2005-03-14T08:00", "--step", "5m", "--trailing", "6"}));
  ASSERT_EQ(bytes.size(), 206u);
  EXPECT_EQ(std::vector<int>(bytes.end() - 6, bytes.end()),
            (std::vector<int>{15, 13, 24, 18, 15, 10}));  // 2005-03-14 08:05:00
}

TEST_F(MkArchiveOutput, UnwritableOutputExitsWith1AndTheSystemsText) {
  const auto missingFolder = folder_ / "nowhere" / "a.czt";
  const auto run = RunTool({"--output", missingFolder.string()});
  EXPECT_EQ(run.exitStatus, kExitWriteFailed);
  EXPECT_NE(run.err.find(std::generic_category().message(ENOENT)), std::string::npos) << run.err;
  EXPECT_NE(run.err.find(missingFolder.string()), std::string::npos) << run.err;

  const auto folderAsFile = folder_ / "taken.zdr";
  std::filesystem::create_directory(folderAsFile);
  EXPECT_EQ(RunTool({"--output", folderAsFile.string()}).exitStatus, kExitWriteFailed);
  EXPECT_TRUE(std::filesystem::is_directory(folderAsFile));
}

}  // namespace
}  // namespace telvoran
