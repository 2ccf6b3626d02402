#include "core/archive/ArchiveFile.h"

#include <gtest/gtest.h>

#ifdef __linux__
#include <unistd.h>
#endif

#include <cstdlib>

#include "core/platform/Utf8Path.h"
#include "support/ArchiveReading.h"
#include "support/ArchiveRecords.h"
#include "support/FakeStrings.h"
#include "support/RecordingReporter.h"
#include "support/TempDir.h"

namespace telvoran {
namespace {

using namespace test;
using Events = std::vector<std::string>;

class ArchiveFileTest : public ::testing::Test, protected test::ArchiveReading {
 protected:
  bool Open(const std::filesystem::path& path) { return file.OpenArchiveFile(path, 106, 107); }
};

TEST_F(ArchiveFileTest, MissingFileOrFolderGivesTheMissingFileMessage) {
  EXPECT_FALSE(Open(dir / "none.czt"));
  EXPECT_FALSE(Open(dir.Path()));
  EXPECT_EQ(reporter.events, (Events{"beep", "message:S106", "beep", "message:S106"}));
  EXPECT_FALSE(file.IsOpen());
}

TEST_F(ArchiveFileTest, FileWithoutAWholeRecordGivesTheEmptyFileMessage) {
  for (std::size_t size : {0, 1, 39}) {
    reporter.events.clear();
    EXPECT_FALSE(Open(dir.Write("short.zdr", std::string(size, 'x')))) << size;
    EXPECT_EQ(reporter.events, (Events{"beep", "message:S107"})) << size;
    EXPECT_FALSE(file.IsOpen());
  }
}

TEST_F(ArchiveFileTest, TrailingPieceOfARecordIsNeverRead) {
  const auto path = dir.Write("two.zdr", {EventRecord(1), EventRecord(2)}, "x");
  ASSERT_TRUE(Open(path));
  EXPECT_EQ(file.RecordCount(), 2u);
  EXPECT_TRUE(file.ReadRecord());
  EXPECT_TRUE(file.ReadRecord());
  EXPECT_TRUE(file.AtEnd());
  EXPECT_FALSE(file.ReadRecord());
  EXPECT_TRUE(reporter.events.empty());
}

TEST_F(ArchiveFileTest, RecordsComeInFileOrderAcrossReadBlocks) {
  std::vector<ArchiveRecord> records;
  for (int i = 0; i < 5000; ++i) records.push_back(EventRecord(i % 60, 'G', 1000 + i));
  ASSERT_TRUE(Open(dir.Write("many.zdr", records)));
  for (int i = 0; i < 5000; ++i) {
    ASSERT_TRUE(file.ReadRecord());
    ASSERT_EQ(file.Record().Kind(), 1000u + i);
  }
  EXPECT_TRUE(file.AtEnd());
}

// On Windows the permissions stand for the read-only attribute.
TEST_F(ArchiveFileTest, ReadOnlyFileOpensAndStaysWritableAfterwards) {
  const auto path = dir.Write("ro.czt", {EventRecord(1)});
  MakeReadOnly(path);
  ASSERT_TRUE(Open(path));
  EXPECT_TRUE(IsWritable(path));
}

#ifdef __linux__
TEST_F(ArchiveFileTest, FileThatRefusesWritingIsStillReadForShowing) {
  // An immutable file cannot be opened for writing even by the superuser, as on a read-only
  // medium; the viewer must read it all the same.
  const auto path = dir.Write("locked.zdr", {EventRecord(1)});
  if (::geteuid() != 0 ||
      std::system(("chattr +i '" + path.string() + "' 2>/dev/null").c_str()) != 0)
    GTEST_SKIP() << "needs the superuser and chattr";
  const bool opened = Open(path);
  const bool read = opened && file.ReadRecord();
  file.Close();
  std::system(("chattr -i '" + path.string() + "'").c_str());
  EXPECT_TRUE(opened);
  EXPECT_TRUE(read);
  EXPECT_TRUE(reporter.events.empty());
}
#endif

// Names that the ANSI code page of a Windows system cannot spell, and paths longer than the
// 260 characters of its classic limit, reach the system whole.
TEST_F(ArchiveFileTest, OpensNamesWithPolishLettersAndLongPaths) {
  const std::filesystem::path polish = dir.Path() / PathFromUtf8(
                                                        "\xC5\x82\xC3\xB3"
                                                        "d\xC5\xBA.zdr");
  std::filesystem::path deep = dir.Path();
  while (deep.native().size() < 300) deep /= std::string(40, 'f');
  std::filesystem::create_directories(deep);

  for (const std::filesystem::path& path : {polish, deep / "long.zdr"}) {
    SCOPED_TRACE(Utf8FromPath(path));
    dir.Write(std::filesystem::relative(path, dir.Path()), {EventRecord(1)});
    ASSERT_TRUE(Open(path));
    EXPECT_EQ(file.RecordCount(), 1u);
    EXPECT_TRUE(file.ReadRecord());
    file.Close();
  }
  EXPECT_TRUE(reporter.events.empty());
}

TEST_F(ArchiveFileTest, FileThatShrinksWhileReadIsAReadError) {
  const auto path = dir.Write("shrink.zdr", {EventRecord(1), EventRecord(2)});
  ASSERT_TRUE(Open(path));
  std::filesystem::resize_file(path, 40);
  EXPECT_FALSE(file.ReadRecord());
  EXPECT_FALSE(file.ErrorText().empty());
}

class IntervalHeaderTest : public ArchiveFileTest {
 protected:
  bool OpenAndReadHeader(const std::vector<ArchiveRecord>& records) {
    return Open(dir.Write("a.czt", records)) && file.ReadIntervalHeader(110);
  }
};

TEST_F(IntervalHeaderTest, FourHeaderRecordsAndOneMoreGiveTheHeader) {
  ASSERT_TRUE(OpenAndReadHeader(Join(IntervalHeader('2'), std::vector{IntervalRecord(5)})));
  EXPECT_EQ(file.IntervalHeader().size(), 132u);
  EXPECT_EQ(file.IntervalHeader().substr(0, 2), "H2");
  EXPECT_EQ(ChannelCount(file.IntervalHeader()), 2);
  EXPECT_TRUE(file.IsOpen());
  EXPECT_TRUE(reporter.events.empty());
}

TEST_F(IntervalHeaderTest, HeaderRecordsMayBeOfEitherKind) {
  EXPECT_TRUE(
      OpenAndReadHeader(Join(IntervalHeader('2', kEventKind), std::vector{IntervalRecord(5)})));
}

TEST_F(IntervalHeaderTest, ArchiveOfOneToFourRecordsEndsInsideItsHeader) {
  for (std::size_t count = 1; count <= 4; ++count) {
    reporter.events.clear();
    auto records = IntervalHeader();
    records.resize(count);
    EXPECT_FALSE(OpenAndReadHeader(records)) << count;
    EXPECT_EQ(reporter.events, (Events{"beep", "message:S110"})) << count;
    EXPECT_FALSE(file.IsOpen());
  }
}

TEST_F(IntervalHeaderTest, HeaderRecordOfAnotherKindIsTheWrongKind) {
  for (std::size_t bad = 0; bad < 4; ++bad) {
    reporter.events.clear();
    auto records = Join(IntervalHeader(), std::vector{IntervalRecord(5)});
    records[bad] = MakeRecord("H2", 27);
    EXPECT_FALSE(OpenAndReadHeader(records)) << bad;
    EXPECT_EQ(reporter.events, (Events{"beep", "message:S108\rS109"})) << bad;
    EXPECT_FALSE(file.IsOpen());
  }
}

TEST_F(IntervalHeaderTest, ChannelCountOutsideZeroToFourIsTheWrongKind) {
  for (char count : {'5', '9', 'x', ' '}) {
    reporter.events.clear();
    EXPECT_FALSE(OpenAndReadHeader(Join(IntervalHeader(count), std::vector{IntervalRecord(5)})));
    EXPECT_EQ(reporter.events, (Events{"beep", "message:S108\rS109"})) << count;
  }
  // A first header record whose text ends after one character has no count at all.
  reporter.events.clear();
  auto records = Join(IntervalHeader(), std::vector{IntervalRecord(5)});
  records[0] = MakeRecord("H", 26);
  records[1] = records[2] = records[3] = MakeRecord("", 26);
  EXPECT_FALSE(OpenAndReadHeader(records));
  EXPECT_EQ(reporter.events, (Events{"beep", "message:S108\rS109"}));
}

TEST_F(IntervalHeaderTest, ShortRecordTextShiftsTheRestOfTheHeaderLeft) {
  auto records = Join(IntervalHeader(), std::vector{IntervalRecord(5)});
  records[0].bytes[20] = 0;  // the first record text now holds 20 characters
  ASSERT_TRUE(OpenAndReadHeader(records));
  EXPECT_EQ(file.IntervalHeader().size(), 132u - 13u);
  const auto full = IntervalHeader();
  EXPECT_EQ(file.IntervalHeader().substr(20), std::string(full[1].RecordText()) +
                                                  std::string(full[2].RecordText()) +
                                                  std::string(full[3].RecordText()));
}

}  // namespace
}  // namespace telvoran
