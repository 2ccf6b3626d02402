// Replacing a report file: what the user has set up around it survives (links, permissions,
// owner), and the steps come in the order that survives a power cut.
#include "core/platform/ReplacingFile.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <system_error>
#include <vector>

#include "support/FileSystemThings.h"
#include "support/TempDir.h"

// The calls that put the report on the disk, as this program makes them, recorded in order
// while `gRecording` is set: "fsync <file>" and "rename <from> <to>". This test program
// defines them itself and passes them on to the C library.
namespace {
bool gRecording = false;
std::vector<std::string> gCalls;

std::string NameOfDescriptor(int fd) {
  std::error_code error;
  const auto name = std::filesystem::read_symlink("/proc/self/fd/" + std::to_string(fd), error);
  return error ? "?" : name.string();
}

template <typename Function>
Function Next(const char* name) {
  return reinterpret_cast<Function>(::dlsym(RTLD_NEXT, name));
}
}  // namespace

extern "C" int fsync(int fd) {
  if (gRecording) gCalls.push_back("fsync " + NameOfDescriptor(fd));
  static const auto next = Next<int (*)(int)>("fsync");
  return next(fd);
}

extern "C" int rename(const char* from, const char* to) {
  if (gRecording) gCalls.push_back(std::string("rename ") + from + " " + to);
  static const auto next = Next<int (*)(const char*, const char*)>("rename");
  return next(from, to);
}

namespace telvoran {
namespace {

using test::ReadBytes;
using test::TempDir;
namespace fs = std::filesystem;

constexpr uid_t kNobody = 65534;
constexpr gid_t kNoGroup = 65534;

std::string PlatformText(int error) {
  return std::generic_category().message(error);
}

std::vector<std::string> EntriesOf(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

struct stat StatusOf(const fs::path& path) {
  struct stat info = {};
  EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
  return info;
}

// Replaces `target` with `text`; empty on success, else the failure.
std::optional<std::string> Replace(const fs::path& target, const std::string& text) {
  ReplacingFile file(target);
  if (auto failure = file.Open()) return failure;
  file.Write(text);
  return file.Commit();
}

// Runs `body` in a child process that has become the user nobody, as the superuser may
// write into any folder; the child's exit status is what `body` returns.
template <typename Body>
void ExpectAsNobody(Body body) {
  EXPECT_EXIT(
      {
        if (::geteuid() == 0 &&
            (::setgroups(0, nullptr) != 0 || ::setgid(kNoGroup) != 0 || ::setuid(kNobody) != 0))
          std::_Exit(100);
        std::_Exit(body());
      },
      ::testing::ExitedWithCode(0), "");
}

TEST(ReplacingFile, SymbolicLinkIsWrittenThroughAndStaysALink) {
  TempDir folder;
  fs::create_directory(folder / "real");
  const auto target = folder.Write("real/report.txt", "old report");
  fs::create_symlink("real/report.txt", folder / "link.txt");
  fs::create_symlink("link.txt", folder / "link-to-link.txt");

  ASSERT_EQ(Replace(folder / "link-to-link.txt", "new report"), std::nullopt);

  EXPECT_EQ(ReadBytes(target), "new report");
  EXPECT_TRUE(fs::is_symlink(folder / "link.txt"));
  EXPECT_TRUE(fs::is_symlink(folder / "link-to-link.txt"));
  EXPECT_EQ(fs::read_symlink(folder / "link.txt"), "real/report.txt");
  EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"link-to-link.txt", "link.txt", "real"}));
  EXPECT_EQ(EntriesOf(folder / "real"), std::vector<std::string>{"report.txt"});
}

TEST(ReplacingFile, LinkToNothingGetsItsFileMade) {
  TempDir folder;
  fs::create_symlink("made.txt", folder / "link.txt");
  ASSERT_EQ(Replace(folder / "link.txt", "new report"), std::nullopt);
  EXPECT_TRUE(fs::is_symlink(folder / "link.txt"));
  EXPECT_EQ(ReadBytes(folder / "made.txt"), "new report");
}

TEST(ReplacingFile, LoopOfLinksIsRefused) {
  TempDir folder;
  fs::create_symlink("b.txt", folder / "a.txt");
  fs::create_symlink("a.txt", folder / "b.txt");
  EXPECT_EQ(Replace(folder / "a.txt", "new report"), PlatformText(ELOOP));
  EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"a.txt", "b.txt"}));
}

TEST(ReplacingFile, FileWithSeveralHardLinksIsRewrittenInPlace) {
  TempDir folder;
  const auto target = folder.Write("report.txt", std::string(5000, 'x'));
  fs::create_hard_link(target, folder / "other-name.txt");
  const ino_t inode = StatusOf(target).st_ino;

  ReplacingFile file(target);
  ASSERT_EQ(file.Open(), std::nullopt);
  EXPECT_TRUE(file.RewritesInPlace());
  EXPECT_EQ(file.WritePath(), target);
  file.Write("new report");
  ASSERT_EQ(file.Commit(), std::nullopt);

  EXPECT_EQ(ReadBytes(folder / "other-name.txt"), "new report");
  EXPECT_EQ(StatusOf(target).st_ino, inode);
  EXPECT_EQ(StatusOf(target).st_nlink, 2u);
  EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"other-name.txt", "report.txt"}));
}

TEST(ReplacingFile, ReplacedFileKeepsItsPermissionsAndOwner) {
  TempDir folder;
  const auto target = folder.Write("report.txt", "old report");
  ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
  if (::geteuid() == 0) {
    ASSERT_EQ(::chown(target.c_str(), kNobody, kNoGroup), 0);
  }
  const struct stat before = StatusOf(target);

  ReplacingFile file(target);
  ASSERT_EQ(file.Open(), std::nullopt);
  EXPECT_FALSE(file.RewritesInPlace());
  file.Write("new report");
  ASSERT_EQ(file.Commit(), std::nullopt);

  const struct stat after = StatusOf(target);
  EXPECT_EQ(ReadBytes(target), "new report");
  EXPECT_NE(after.st_ino, before.st_ino);  // a new file took the old one's place
  EXPECT_EQ(after.st_mode, before.st_mode);
  EXPECT_EQ(after.st_uid, before.st_uid);
  EXPECT_EQ(after.st_gid, before.st_gid);
}

// A file the user may write, in a folder where the user may not create files: the temporary
// file cannot be made, so the file is rewritten in place.
TEST(ReplacingFile, WritableFileInALockedFolderIsRewrittenInPlace) {
  TempDir folder;
  fs::create_directory(folder / "locked");
  const auto target = folder.Write("locked/report.txt", "old report");
  ASSERT_EQ(::chmod(target.c_str(), 0666), 0);
  ASSERT_EQ(::chmod((folder / "locked").c_str(), 0555), 0);

  ExpectAsNobody([&] {
    ReplacingFile file(target);
    if (file.Open()) return 1;
    if (!file.RewritesInPlace()) return 2;
    file.Write("new report");
    return file.Commit() ? 3 : 0;
  });
  EXPECT_EQ(ReadBytes(target), "new report");
  EXPECT_EQ(EntriesOf(folder / "locked"), std::vector<std::string>{"report.txt"});
  // A new report cannot be made there at all, and says so.
  ExpectAsNobody([&] {
    return Replace(folder / "locked" / "new.txt", "new report") == PlatformText(EACCES) ? 0 : 1;
  });
}

// A file of the superuser that the user may write, in a folder of the user's: a new file could
// not be given the superuser as owner, so the file is rewritten in place and stays theirs.
TEST(ReplacingFile, FileWhoseOwnerANewFileCannotGetIsRewrittenInPlace) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs the superuser to give a file to another user";
  TempDir folder;
  fs::create_directory(folder / "mine");
  ASSERT_EQ(::chown((folder / "mine").c_str(), kNobody, kNoGroup), 0);
  const auto target = folder.Write("mine/report.txt", "old report");
  ASSERT_EQ(::chmod(target.c_str(), 0666), 0);

  ExpectAsNobody([&] {
    ReplacingFile file(target);
    if (file.Open()) return 1;
    if (!file.RewritesInPlace()) return 2;
    file.Write("new report");
    return file.Commit() ? 3 : 0;
  });
  EXPECT_EQ(ReadBytes(target), "new report");
  EXPECT_EQ(StatusOf(target).st_uid, 0u);
  EXPECT_EQ(EntriesOf(folder / "mine"), std::vector<std::string>{"report.txt"});
}

// In place there is no old file to fall back on: what was written stays, and the failure is
// told in the platform's words. A file size limit makes the writing fail, as a full disk would.
TEST(ReplacingFile, FailedWriteInPlaceSaysSoAndKeepsWhatWasWritten) {
  TempDir folder;
  const auto target = folder.Write("report.txt", "old report");
  fs::create_hard_link(target, folder / "other-name.txt");

  struct sigaction ignore = {}, previous = {};
  ignore.sa_handler = SIG_IGN;
  sigaction(SIGXFSZ, &ignore, &previous);
  rlimit saved = {};
  getrlimit(RLIMIT_FSIZE, &saved);
  rlimit limit = saved;
  limit.rlim_cur = 100'000;
  setrlimit(RLIMIT_FSIZE, &limit);
  ReplacingFile file(target);
  const auto opened = file.Open();
  for (int piece = 0; piece < 10; ++piece) file.Write(std::string(30'000, 'r'));
  const auto failure = file.Commit();
  setrlimit(RLIMIT_FSIZE, &saved);
  sigaction(SIGXFSZ, &previous, nullptr);

  ASSERT_EQ(opened, std::nullopt);
  EXPECT_EQ(failure, PlatformText(EFBIG));
  EXPECT_EQ(fs::file_size(target), 100'000u);
  EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"other-name.txt", "report.txt"}));
}

// A device is written where it is, never replaced by a file (the superuser could otherwise put
// a plain file in the place of /dev/null).
TEST(ReplacingFile, DeviceIsWrittenInPlace) {
  ReplacingFile file("/dev/null");
  ASSERT_EQ(file.Open(), std::nullopt);
  EXPECT_TRUE(file.RewritesInPlace());
  file.Write("new report");
  EXPECT_EQ(file.Commit(), std::nullopt);
  EXPECT_TRUE(S_ISCHR(StatusOf("/dev/null").st_mode));
}

TEST(ReplacingFile, NamedPipeWithoutReaderIsRefusedAtOnce) {
  const test::WaitGuard guard;
  TempDir folder;
  ASSERT_EQ(::mkfifo((folder / "pipe").c_str(), 0644), 0);
  EXPECT_EQ(Replace(folder / "pipe", "new report"), PlatformText(ENXIO));
  EXPECT_TRUE(fs::is_fifo(folder / "pipe"));
}

// After a power cut the name leads to the old file or to the whole new one: the new file is
// flushed before it takes the name, and the folder after.
TEST(ReplacingFile, FlushesTheFileBeforeTheRenameAndTheFolderAfter) {
  TempDir folder;
  const auto target = folder.Write("report.txt", "old report");
  ReplacingFile file(target);
  ASSERT_EQ(file.Open(), std::nullopt);
  const std::string temporary = file.WritePath().string();
  file.Write("new report");

  gCalls.clear();
  gRecording = true;
  const auto failure = file.Commit();
  gRecording = false;

  ASSERT_EQ(failure, std::nullopt);
  EXPECT_EQ(gCalls, (std::vector<std::string>{"fsync " + temporary,
                                              "rename " + temporary + " " + target.string(),
                                              "fsync " + folder.Path().string()}));
  EXPECT_EQ(ReadBytes(target), "new report");
}

TEST(ReplacingFile, RewriteInPlaceIsFlushedBeforeItCountsAsDone) {
  TempDir folder;
  const auto target = folder.Write("report.txt", "old report");
  fs::create_hard_link(target, folder / "other-name.txt");
  ReplacingFile file(target);
  ASSERT_EQ(file.Open(), std::nullopt);
  file.Write("new report");

  gCalls.clear();
  gRecording = true;
  const auto failure = file.Commit();
  gRecording = false;

  ASSERT_EQ(failure, std::nullopt);
  EXPECT_EQ(gCalls, std::vector<std::string>{"fsync " + target.string()});
}

}  // namespace
}  // namespace telvoran
