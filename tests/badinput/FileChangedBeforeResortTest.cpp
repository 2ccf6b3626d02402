// A view's archive file changed by someone else between the view's opening and a re-sort,
// which reads the file again: the re-sort reports what it found and never waits or crashes.
#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "core/archive/ArchiveFile.h"
#include "core/rows/RowReading.h"
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
namespace fs = std::filesystem;

class FileChangedBeforeResort : public ::testing::Test, protected test::ArchiveReading {
 protected:
  fs::path path = dir.Write("e.zdr", {EventRecord(1), EventRecord(2), EventRecord(3)});

  void SetUp() override {
    ASSERT_TRUE(Resort(1));
    ASSERT_EQ(rows.Size(), 3u);
  }
  bool Resort(int sortColumn) {
    reporter.events.clear();
    return ReloadEventRows(file, path, sortColumn, kReloadMessages, rows);
  }
};

TEST_F(FileChangedBeforeResort, CutInsideARecordKeepsTheWholeRecords) {
  fs::resize_file(path, 2 * kRecordSize + 7);
  EXPECT_TRUE(Resort(2));
  EXPECT_EQ(rows.Size(), 2u);
  EXPECT_TRUE(reporter.events.empty());
}

TEST_F(FileChangedBeforeResort, CutAfterOpeningEndsWithTheRecordsLeft) {
  ASSERT_TRUE(file.OpenArchiveFile(path, 155, 156));
  fs::resize_file(path, kRecordSize + 7);
  rows.Clear();
  EXPECT_EQ(ReadEventRows(file, 1, rows), ReadStop::EndOfFile);
  EXPECT_EQ(rows.Size(), 1u);
  EXPECT_TRUE(reporter.events.empty());
}

TEST_F(FileChangedBeforeResort, GrownAfterOpeningIsReadToItsNewEnd) {
  ASSERT_TRUE(file.OpenArchiveFile(path, 155, 156));
  Append(path, {EventRecord(4), EventRecord(5)});
  rows.Clear();
  EXPECT_EQ(ReadEventRows(file, 1, rows), ReadStop::EndOfFile);
  EXPECT_EQ(rows.Size(), 5u);
}

TEST_F(FileChangedBeforeResort, ReplacedByAFolderIsRefusedInTheErrorBox) {
  fs::remove(path);
  fs::create_directory(path);
  EXPECT_FALSE(Resort(2));
  EXPECT_EQ(reporter.events, (Events{"error:S202"}));
  EXPECT_TRUE(rows.Empty());
}

// Named pipes in the file system, permissions that deny reading and user switching are POSIX's;
// on Windows a file held open by another program stands for them (ArchiveFileSharingTest).
#ifndef _WIN32
TEST_F(FileChangedBeforeResort, ReplacedByANamedPipeIsRefusedAtOnce) {
  // Nothing writes to the pipe: reading it would wait for ever.
  const WaitGuard guard;
  fs::remove(path);
  ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0);
  EXPECT_FALSE(Resort(2));
  EXPECT_EQ(reporter.events, (Events{"error:S202"}));
  EXPECT_TRUE(rows.Empty());
  EXPECT_FALSE(file.IsOpen());
}

TEST_F(FileChangedBeforeResort, UnreadableFileIsAnErrorInThePlatformsWords) {
  ASSERT_EQ(::chmod(path.c_str(), 0), 0);
  // The superuser reads a file whatever its permissions, so the re-sort runs in a child process
  // that gives them up first. Its exit code tells what happened.
  EXPECT_EXIT(
      {
        constexpr uid_t kNobody = 65534;
        if (::geteuid() == 0 && ::setuid(kNobody) != 0) std::_Exit(3);
        const bool complete = Resort(2);
        std::_Exit(complete                                               ? 1
                   : reporter.events != Events{"error:Permission denied"} ? 2
                   : !rows.Empty()                                        ? 4
                                                                          : 0);
      },
      ::testing::ExitedWithCode(0), "");
}
#endif

}  // namespace
}  // namespace telvoran
