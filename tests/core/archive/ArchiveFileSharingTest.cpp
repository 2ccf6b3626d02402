// An archive that another program holds open on Windows, where an opening can be refused for the
// way others use the file (a sharing violation). The monitoring program may hold its archive for
// a moment; the reader waits a bounded time for it, never for ever.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "core/archive/ArchiveFile.h"
#include "support/ArchiveReading.h"
#include "support/ArchiveRecords.h"

namespace telvoran {
namespace {

using namespace test;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// The archive as another program holds it: with the given access and the sharing it allows.
class HeldFile {
 public:
  HeldFile(const std::filesystem::path& path, DWORD access, DWORD sharing)
      : handle_(CreateFileW(path.c_str(), access, sharing, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr)) {}
  ~HeldFile() { Release(); }
  HeldFile(const HeldFile&) = delete;
  HeldFile& operator=(const HeldFile&) = delete;

  bool IsHeld() const { return handle_ != INVALID_HANDLE_VALUE; }
  void Release() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
  }

 private:
  HANDLE handle_;
};

class ArchiveFileSharing : public ::testing::Test, protected ArchiveReading {
 protected:
  std::filesystem::path WriteArchive() {
    return dir.Write("held.zdr", {EventRecord(1), EventRecord(2), EventRecord(3)});
  }
  // Opens the archive and reads every record; true when all three came.
  bool OpenAndReadAll(const std::filesystem::path& path) {
    if (!file.OpenArchiveFile(path, 106, 107)) return false;
    int records = 0;
    while (file.ReadRecord()) ++records;
    file.Close();
    return records == 3;
  }
};

TEST_F(ArchiveFileSharing, WriterThatSharesReadingAndWritingDoesNotStopTheReader) {
  const auto path = WriteArchive();
  HeldFile writer(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);
  ASSERT_TRUE(writer.IsHeld());
  EXPECT_TRUE(OpenAndReadAll(path));
  EXPECT_TRUE(reporter.events.empty());
}

// Whether the reader waits for such a holder or gets by without writing, it reads the archive
// in the end.
TEST_F(ArchiveFileSharing, HolderThatDeniesWritingIsOutlasted) {
  const auto path = WriteArchive();
  HeldFile holder(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ);
  ASSERT_TRUE(holder.IsHeld());
  std::thread letGo([&holder] {
    std::this_thread::sleep_for(300ms);
    holder.Release();
  });
  const bool read = OpenAndReadAll(path);
  letGo.join();
  EXPECT_TRUE(read);
  EXPECT_TRUE(reporter.events.empty());
}

TEST_F(ArchiveFileSharing, HolderThatSharesNothingIsWaitedForWhileItHoldsTheFile) {
  const auto path = WriteArchive();
  HeldFile holder(path, GENERIC_READ, 0);
  ASSERT_TRUE(holder.IsHeld());
  const auto start = Clock::now();
  std::thread letGo([&holder] {
    std::this_thread::sleep_for(300ms);
    holder.Release();
  });
  const bool read = OpenAndReadAll(path);
  letGo.join();
  EXPECT_TRUE(read);
  EXPECT_GE(Clock::now() - start, 300ms);
  EXPECT_TRUE(reporter.events.empty());
}

TEST_F(ArchiveFileSharing, HolderThatNeverLetsGoIsReportedAfterABoundedWait) {
  const auto path = WriteArchive();
  HeldFile holder(path, GENERIC_READ, 0);
  ASSERT_TRUE(holder.IsHeld());
  const auto start = Clock::now();
  EXPECT_FALSE(file.OpenArchiveFile(path, 106, 107));
  EXPECT_LT(Clock::now() - start, 10s);
  EXPECT_FALSE(file.IsOpen());
  EXPECT_FALSE(reporter.events.empty());
}

}  // namespace
}  // namespace telvoran
