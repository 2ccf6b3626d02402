// Replacing a report file: what the user has set up around it survives (links, permissions,
// owner), the steps come in the order that survives a power cut, and a failure of any call
// leaves the old report whole.
//
// The test program defines C library calls of its own below; the fortified inline versions of
// some of them would stand in the way.
#undef _FORTIFY_SOURCE
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
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <string>
#include <system_error>
#include <vector>

#include "support/FileSystemThings.h"
#include "support/TempDir.h"

// The calls that put the report on the disk, as this program makes them, recorded in order
// while `gRecording` is set: "fsync <file>" and "rename <from> <to>". This test program
// defines them itself and passes them on to the C library. While `gCounting` is set, the calls
// below that write, flush, size or close a file (not the standard streams) or make a temporary
// file are counted by name, and `gFault` makes the `nth` of one name fail with `error`.
namespace {
bool gRecording = false;
std::vector<std::string> gCalls;

struct Fault {
  std::string call;
  int nth = 0;
  int error = 0;
};
bool gCounting = false;
std::optional<Fault> gFault;
std::map<std::string, int> gCounts;

std::string NameOfDescriptor(int fd) {
  std::error_code error;
  const auto name = std::filesystem::read_symlink("/proc/self/fd/" + std::to_string(fd), error);
  return error ? "?" : name.string();
}

template <typename Function>
Function Next(const char* name) {
  return reinterpret_cast<Function>(::dlsym(RTLD_NEXT, name));
}

// Counts the call; the error it is to fail with, else 0.
int FaultOf(const char* call, bool counted) {
  if (!gCounting || !counted) return 0;
  const int nth = gCounts[call]++;
  return gFault && gFault->call == call && gFault->nth == nth ? gFault->error : 0;
}
}  // namespace

#define FAULTY_CALL(type, name, parameters, arguments, failed)   \
  extern "C" type name parameters {                              \
    static const auto next = Next<type(*) parameters>(#name);    \
    if (const int error = FaultOf(#name, fd > 2)) return failed; \
    return next arguments;                                       \
  }
FAULTY_CALL(ssize_t, write, (int fd, const void* b, size_t n), (fd, b, n), (errno = error, -1))
FAULTY_CALL(ssize_t, pwrite, (int fd, const void* b, size_t n, off_t at), (fd, b, n, at),
            (errno = error, -1))
FAULTY_CALL(int, ftruncate, (int fd, off_t n), (fd, n), (errno = error, -1))
FAULTY_CALL(int, posix_fallocate, (int fd, off_t at, off_t n), (fd, at, n), error)

extern "C" int fsync(int fd) {
  if (gRecording) gCalls.push_back("fsync " + NameOfDescriptor(fd));
  static const auto next = Next<int (*)(int)>("fsync");
  if (const int error = FaultOf("fsync", fd > 2)) return errno = error, -1;
  return next(fd);
}

extern "C" int rename(const char* from, const char* to) {
  if (gRecording) gCalls.push_back(std::string("rename ") + from + " " + to);
  static const auto next = Next<int (*)(const char*, const char*)>("rename");
  return next(from, to);
}

// A failing close has closed the file all the same, as the system's does.
extern "C" int close(int fd) {
  static const auto next = Next<int (*)(int)>("close");
  const int error = FaultOf("close", fd > 2);
  const int closed = next(fd);
  return error ? (errno = error, -1) : closed;
}

extern "C" int open(const char* path, int flags, ...) {
  static const auto next = Next<int (*)(const char*, int, ...)>("open");
  va_list arguments;
  va_start(arguments, flags);
  const mode_t mode = flags & O_CREAT ? va_arg(arguments, mode_t) : 0;
  va_end(arguments);
  if (const int error = FaultOf("open", std::strstr(path, ".telvoran-") != nullptr))
    return errno = error, -1;
  return next(path, flags, mode);
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

// Replaces `target` with `text`, handed over in pieces of `piece` bytes; empty on success,
// else the failure.
std::optional<std::string> Replace(const fs::path& target, const std::string& text,
                                   std::size_t piece = std::string::npos) {
  ReplacingFile file(target);
  if (auto failure = file.Open()) return failure;
  for (std::size_t at = 0; at < text.size(); at += piece) file.Write(text.substr(at, piece));
  return file.Commit();
}

// A report of `size` bytes that differ from place to place, so a piece out of place shows.
std::string ReportBytes(char tag, std::size_t size) {
  std::string bytes;
  for (std::size_t line = 0; bytes.size() < size; ++line) bytes += tag + std::to_string(line);
  bytes.resize(size);
  return bytes;
}

// Points TMPDIR, where a rewrite in place gathers the new bytes, at a folder of its own.
struct OwnTemporaryFolder : TempDir {
  OwnTemporaryFolder() { ::setenv("TMPDIR", Path().c_str(), 1); }
  ~OwnTemporaryFolder() { saved ? ::setenv("TMPDIR", saved->c_str(), 1) : ::unsetenv("TMPDIR"); }
  std::optional<std::string> saved =
      std::getenv("TMPDIR") ? std::optional<std::string>(std::getenv("TMPDIR")) : std::nullopt;
};

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

  // Written by name, as the printer writes.
  ReplacingFile file(target);
  ASSERT_EQ(file.Open(), std::nullopt);
  EXPECT_TRUE(file.RewritesInPlace());
  EXPECT_NE(file.WritePath().parent_path(), folder.Path());
  { std::ofstream(file.WritePath(), std::ios::binary) << "new report"; }
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

// A failed rewrite in place is told in the platform's words and leaves the old file whole. A
// file size limit makes the writing fail, as a full disk would.
TEST(ReplacingFile, FailedWriteInPlaceSaysSoAndKeepsTheOldFile) {
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
  EXPECT_EQ(ReadBytes(target), "old report");
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

// Replaces `target` with `text`, in pieces of `piece` bytes, while the calls are counted and
// `fault` fails one; empty on success, else the failure. `accepted` gets what Write() said.
std::optional<std::string> ReplaceWithFault(const fs::path& target, const std::string& text,
                                            std::optional<Fault> fault, std::size_t piece,
                                            std::vector<bool>* accepted = nullptr) {
  gFault = std::move(fault);
  gCounts.clear();
  gCalls.clear();
  gCounting = gRecording = true;
  ReplacingFile file(target);
  auto failure = file.Open();
  for (std::size_t at = 0; !failure && at < text.size(); at += piece) {
    const bool taken = file.Write(text.substr(at, piece));
    if (accepted) accepted->push_back(taken);
  }
  if (!failure) failure = file.Commit();
  gCounting = gRecording = false;
  gFault.reset();
  return failure;
}

// As databases test their journals: each write, flush, resize and temporary file of a
// replacement fails in turn, and after each the old report is whole and nothing is left over,
// whether it is replaced or rewritten in place (a hard link), by a longer or a shorter one.
TEST(ReplacingFile, EachFailingWriteOrFlushLeavesTheOldReportWhole) {
  TempDir folder;
  const OwnTemporaryFolder temporaries;
  const auto target = folder / "report.txt";
  const std::string old = ReportBytes('o', 1'200'000);
  for (const bool inPlace : {false, true}) {
    for (const std::size_t newSize : {20'000, 2'600'000}) {
      SCOPED_TRACE(std::to_string(inPlace) + " " + std::to_string(newSize));
      const auto prepare = [&] {
        fs::remove(folder / "other.txt");
        folder.Write("report.txt", old);
        if (inPlace) fs::create_hard_link(target, folder / "other.txt");
      };
      const std::string fresh = ReportBytes('n', newSize);
      prepare();
      ASSERT_EQ(ReplaceWithFault(target, fresh, std::nullopt, 300'000), std::nullopt);
      ASSERT_TRUE(ReadBytes(target) == fresh);
      const auto counts = gCounts;
      EXPECT_EQ(counts.count("pwrite"), inPlace ? 1u : 0u);
      // In place, room for a longer report is claimed before the first old byte is written over.
      EXPECT_EQ(counts.count("posix_fallocate"), inPlace && newSize > old.size() ? 1u : 0u);
      const auto entries = folder.Entries();
      for (const auto& [call, count] : counts) {
        for (int nth = 0; call != "close" && nth < count; ++nth) {
          SCOPED_TRACE(call + " " + std::to_string(nth));
          prepare();
          const auto failure = ReplaceWithFault(target, fresh, Fault{call, nth, EIO}, 300'000);
          // The folder's flush comes once the new report is whole and in place.
          const bool done = !inPlace && call == "fsync" && nth == 1;
          EXPECT_EQ(failure, done ? std::nullopt : std::optional(PlatformText(EIO)));
          EXPECT_TRUE(ReadBytes(target) == (done ? fresh : old));
          EXPECT_TRUE(call != "posix_fallocate" || gCounts.count("pwrite") == 0);
          EXPECT_EQ(folder.Entries(), entries);
          EXPECT_TRUE(temporaries.Entries().empty());
        }
      }
    }
  }
}

// The corners of a replacement of a report by a longer one handed over in three pieces: a fault
// put into one call, or the old file's group alone not the user's.
TEST(ReplacingFile, CornersOfAReplacement) {
  struct Case {
    const char* what;
    std::optional<Fault> fault;
    std::optional<int> failure;  // else the new report takes the old one's place
    bool inPlace = false;        // the old file keeps its inode
    bool bareName = false;       // named without its folder, from inside it
    bool groupOnly = false;      // the old file's group is not the user's, its owner is
  };
  const Case cases[] = {
      {"a full disk refuses the temporary file", Fault{"open", 0, ENOSPC}, ENOSPC},
      {"the folder refuses new files", Fault{"open", 0, EACCES}, std::nullopt, true},
      {"an interrupted write is made again", Fault{"write", 0, EINTR}, std::nullopt},
      {"Write refuses every piece after a failure", Fault{"write", 0, EIO}, EIO},
      {"a failing close of the new file", Fault{"close", 0, EIO}, EIO},
      {"a bare name flushes the current folder", std::nullopt, std::nullopt, false, true},
      {"only the group is not the user's", std::nullopt, std::nullopt, false, false, true},
  };
  const std::string old = ReportBytes('o', 120'000);
  const std::string fresh = ReportBytes('n', 210'000);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir folder;
    const OwnTemporaryFolder temporaries;
    const auto target = folder.Write("report.txt", old);
    // Only the superuser can give a file a group it is not in.
    if (c.groupOnly && ::geteuid() == 0) {
      ASSERT_EQ(::chown(target.c_str(), 0, kNoGroup), 0);
    }
    const struct stat before = StatusOf(target);
    const fs::path start = fs::current_path();
    if (c.bareName) fs::current_path(folder.Path());
    std::vector<bool> accepted;
    const auto failure = ReplaceWithFault(c.bareName ? fs::path("report.txt") : target, fresh,
                                          c.fault, 70'000, &accepted);
    fs::current_path(start);

    EXPECT_EQ(failure, c.failure ? std::optional(PlatformText(*c.failure)) : std::nullopt);
    EXPECT_TRUE(ReadBytes(target) == (c.failure ? old : fresh));
    const auto refused = std::find(accepted.begin(), accepted.end(), false);
    EXPECT_EQ(std::count(refused, accepted.end(), true), 0);
    if (refused != accepted.end()) {
      EXPECT_EQ(gCounts["write"], 1);
    }
    const struct stat after = StatusOf(target);
    EXPECT_EQ(after.st_ino == before.st_ino, c.inPlace || c.failure.has_value());
    EXPECT_EQ(after.st_gid, before.st_gid);
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"report.txt"});
    EXPECT_TRUE(temporaries.Entries().empty());
    if (!c.failure && !c.inPlace) {
      ASSERT_FALSE(gCalls.empty());
      EXPECT_EQ(gCalls.back(), "fsync " + folder.Path().string());
    }
  }
}

}  // namespace
}  // namespace telvoran
