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
#include "support/FileSystemThings.h"
#include "support/RecordingReporter.h"
#include "support/TempDir.h"

namespace telvoran {
namespace {

using namespace test;
using Events = std::vector<std::string>;

// Event records whose kinds count up from 1000 + `first`, to tell them apart.
std::vector<ArchiveRecord> NumberedEvents(int first, int count) {
  std::vector<ArchiveRecord> records;
  for (int i = first; i < first + count; ++i)
    records.push_back(EventRecord(i % 60, 'G', static_cast<std::uint32_t>(1000 + i)));
  return records;
}

#ifndef _WIN32
struct stat StatusOf(const std::filesystem::path& path) {
  struct stat info = {};
  EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
  return info;
}
#endif

class ArchiveFileTest : public ::testing::Test, protected test::ArchiveReading {
 protected:
  bool Open(const std::filesystem::path& path) { return file.OpenArchiveFile(path, 106, 107); }

  // Reads every record left and checks that their kinds count on; returns the last kind's
  // number (kind minus 1000), as NumberedEvents() wrote them.
  std::uint32_t KindsReadToTheEnd() {
    std::uint32_t last = file.Record().Kind() - 1000;
    while (!file.AtEnd()) {
      if (!file.ReadRecord()) {
        ADD_FAILURE() << file.ErrorText();
        break;
      }
      EXPECT_EQ(file.Record().Kind(), 1000 + last + 1);
      last = file.Record().Kind() - 1000;
    }
    return last;
  }
};

TEST_F(ArchiveFileTest, MissingFileGivesTheMissingFileMessage) {
  EXPECT_FALSE(Open(dir / "none.czt"));
  EXPECT_EQ(reporter.events, (Events{"beep", "message:S106"}));
  EXPECT_FALSE(file.IsOpen());
}

TEST_F(ArchiveFileTest, FolderIsRefusedInTheErrorBox) {
  EXPECT_FALSE(Open(dir.Path()));
  EXPECT_EQ(reporter.events, (Events{"error:S202"}));
  EXPECT_FALSE(file.IsOpen());
}

#ifndef _WIN32
// Nothing but a regular file is ever opened: a pipe without a writer, a device or a socket
// could make the reading wait for ever, or hand out bytes that are no archive at all.
TEST_F(ArchiveFileTest, NameThatIsNotAFileIsRefusedInTheErrorBoxWithoutWaiting) {
  const WaitGuard guard;
  ASSERT_EQ(::mkfifo((dir / "pipe.zdr").c_str(), 0644), 0);
  const UnixSocket socket(dir / "socket.zdr");
  ASSERT_TRUE(socket.Bound());
  for (const std::filesystem::path& path :
       {dir / "pipe.zdr", std::filesystem::path("/dev/null"), dir / "socket.zdr"}) {
    reporter.events.clear();
    EXPECT_FALSE(Open(path)) << path;
    EXPECT_EQ(reporter.events, (Events{"error:S202"})) << path;
    EXPECT_FALSE(file.IsOpen());
  }
}
#endif

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
  ASSERT_TRUE(Open(dir.Write("many.zdr", NumberedEvents(0, 5000))));
  for (int i = 0; i < 5000; ++i) {
    ASSERT_TRUE(file.ReadRecord());
    ASSERT_EQ(file.Record().Kind(), 1000u + i);
  }
  EXPECT_TRUE(file.AtEnd());
}

// On Windows the permissions stand for the read-only attribute.
TEST_F(ArchiveFileTest, ReadOnlyFileOpensAndStaysReadOnly) {
  const auto path = dir.Write("ro.czt", {EventRecord(1)});
  MakeReadOnly(path);
  ASSERT_TRUE(Open(path));
  file.Close();
  EXPECT_FALSE(IsWritable(path));
}

#ifndef _WIN32
// Reading changes nothing the user owns: not the mode, not even the time of the last change
// of the file's attributes. A read-only archive, and a file that turns out to be no archive,
// stay read-only.
TEST_F(ArchiveFileTest, OpeningAndReadingChangeNothingAboutTheFile) {
  for (const char* name : {"ro.zdr", "notes.txt", "DATA.CZT"}) {
    const auto path = dir.Write(name, {EventRecord(1), EventRecord(2)});
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    const struct stat before = StatusOf(path);
    ASSERT_TRUE(Open(path)) << name;
    while (!file.AtEnd()) ASSERT_TRUE(file.ReadRecord());
    file.Close();
    const struct stat after = StatusOf(path);
    EXPECT_EQ(after.st_mode & 07777, 0444u) << name;
    EXPECT_EQ(after.st_ctim.tv_sec, before.st_ctim.tv_sec) << name;
    EXPECT_EQ(after.st_ctim.tv_nsec, before.st_ctim.tv_nsec) << name;
  }
}
#endif

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
  EXPECT_EQ(std::system(("chattr -i '" + path.string() + "'").c_str()), 0);
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

// The monitoring program appends to its archives while they are read: reading goes on to the
// file's end as it is when each block is fetched, whole records only.
TEST_F(ArchiveFileTest, FileGrownBetweenTwoBlockReadsIsReadToItsNewEnd) {
  const auto path = dir.Write("grow.zdr", NumberedEvents(0, 2000));
  ASSERT_TRUE(Open(path));
  ASSERT_TRUE(file.ReadRecord());  // fetches the first block, short of the file's end
  Append(path, NumberedEvents(2000, 500), "piece");
  EXPECT_EQ(KindsReadToTheEnd(), 2499u);
  EXPECT_EQ(file.RecordsRead(), 2500u);
  EXPECT_EQ(file.Record().Kind(), 1000u + 2499);
  EXPECT_TRUE(reporter.events.empty());
}

TEST_F(ArchiveFileTest, FileCutBetweenTwoBlockReadsEndsWithTheRecordsItStillHas) {
  const auto path = dir.Write("cut.zdr", NumberedEvents(0, 3000));
  ASSERT_TRUE(Open(path));
  ASSERT_TRUE(file.ReadRecord());
  std::filesystem::resize_file(path, 1700 * kRecordSize + 13);
  EXPECT_EQ(KindsReadToTheEnd(), 1699u);
  EXPECT_EQ(file.Record().Kind(), 1000u + 1699);
  EXPECT_FALSE(file.ReadRecord());
  EXPECT_EQ(file.ErrorText(), "Read beyond end of file");
  EXPECT_TRUE(reporter.events.empty());
}

TEST_F(ArchiveFileTest, FileCutToNothingAfterOpeningIsAtItsEnd) {
  const auto path = dir.Write("gone.zdr", {EventRecord(1)});
  ASSERT_TRUE(Open(path));
  std::filesystem::resize_file(path, 0);
  EXPECT_TRUE(file.AtEnd());
}

// The place where a reading ended, kept when the file is closed: where a later reading of what
// has been appended starts.
TEST_F(ArchiveFileTest, ClosingKeepsWhereTheReadingEnded) {
  const auto path = dir.Write("e.zdr", NumberedEvents(0, 3));
  ASSERT_TRUE(Open(path));
  while (!file.AtEnd()) ASSERT_TRUE(file.ReadRecord());
  file.Close();
  EXPECT_EQ(file.LastReadingEnd().records, 3u);
  EXPECT_EQ(file.LastReadingEnd().lastRecord.Kind(), 1002u);
  EXPECT_NE(file.LastReadingEnd().file, platform::FileIdentity{});
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

TEST_F(IntervalHeaderTest, FileCutIntoItsHeaderAfterOpeningEndsInsideTheHeader) {
  for (std::uintmax_t records : {0, 2}) {
    reporter.events.clear();
    const auto path = dir.Write("cut.czt", Join(IntervalHeader(), std::vector{IntervalRecord(5)}));
    ASSERT_TRUE(Open(path));
    std::filesystem::resize_file(path, records * kRecordSize);
    EXPECT_FALSE(file.ReadIntervalHeader(110)) << records;
    EXPECT_EQ(reporter.events, (Events{"beep", "message:S110"})) << records;
    EXPECT_FALSE(file.IsOpen());
  }
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

// Opening a file again after an earlier reading, to read only what has been appended since.
class ContinueAfterTest : public ArchiveFileTest {
 protected:
  std::filesystem::path path = dir.Write("e.zdr", NumberedEvents(0, 3));
  ReadingEnd end;

  void SetUp() override {
    ASSERT_TRUE(Open(path));
    while (!file.AtEnd()) ASSERT_TRUE(file.ReadRecord());
    file.Close();
    end = file.LastReadingEnd();
  }
  ArchiveFile::Continuation Continue() { return file.ContinueAfter(path, end); }
};

TEST_F(ContinueAfterTest, GoesOnAfterTheLastRecordRead) {
  Append(path, NumberedEvents(3, 2), "piece");
  ASSERT_EQ(Continue(), ArchiveFile::Continuation::kContinued);
  EXPECT_EQ(file.RecordsRead(), 3u);
  EXPECT_EQ(KindsReadToTheEnd(), 4u);
  file.Close();
  EXPECT_EQ(file.LastReadingEnd().records, 5u);
}

TEST_F(ContinueAfterTest, FileThatHasNotGrownIsAtItsEnd) {
  ASSERT_EQ(Continue(), ArchiveFile::Continuation::kContinued);
  EXPECT_TRUE(file.AtEnd());
}

TEST_F(ContinueAfterTest, ShrunkRewrittenOrReplacedFileHasChanged) {
  std::filesystem::resize_file(path, 2 * kRecordSize);
  EXPECT_EQ(Continue(), ArchiveFile::Continuation::kChanged);

  dir.Write("e.zdr", NumberedEvents(10, 4));  // written anew in place, longer than before
  EXPECT_EQ(Continue(), ArchiveFile::Continuation::kChanged);

  // The same records in another file put in its place.
  dir.Write("other.zdr", NumberedEvents(0, 4));
  std::filesystem::rename(dir / "other.zdr", path);
  EXPECT_EQ(Continue(), ArchiveFile::Continuation::kChanged);
  EXPECT_FALSE(file.IsOpen());
}

TEST_F(ContinueAfterTest, MissingFileOrNoFileLeavesNothingToRead) {
  std::filesystem::remove(path);
  EXPECT_EQ(Continue(), ArchiveFile::Continuation::kNoFile);
#ifndef _WIN32
  const WaitGuard guard;
  ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0);
  EXPECT_EQ(Continue(), ArchiveFile::Continuation::kNoFile);
#else
  std::filesystem::create_directory(path);
  EXPECT_EQ(Continue(), ArchiveFile::Continuation::kNoFile);
#endif
  EXPECT_FALSE(file.IsOpen());
  EXPECT_TRUE(reporter.events.empty());
}

}  // namespace
}  // namespace telvoran
