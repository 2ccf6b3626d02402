// The guard on POSIX: an exclusive flock on a file in the user's runtime folder. The file
// descriptor stays open until the process ends, so the system releases the lock even after
// a crash, and a lock file left behind by an ended copy never blocks a new start.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <system_error>

#include <QFile>

#include "app/platform/SessionPlacePosix.h"
#include "app/platform/SingleInstance.h"

namespace telvoran::platform {
namespace {

// The lock file lies beside the hand-over socket, so that the copy that holds the guard is the
// one that takes the files of later copies on the same display.
std::filesystem::path LockFilePath(std::string_view name) {
  const QString place = SessionPlace(name);
  if (place.isEmpty()) return {};
  return std::filesystem::path(QFile::encodeName(place + QStringLiteral(".lock")).toStdString());
}

// Opens (creating if need be) the lock file without following a planted symbolic link, and
// only when it belongs to this user: a file someone else made could otherwise be used to
// keep the program from starting. -1 when it cannot be used.
int OpenOwnLockFile(const std::filesystem::path& path) {
  const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) return -1;
  struct stat status {};
  if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || status.st_uid != getuid()) {
    close(fd);
    return -1;
  }
  return fd;
}

}  // namespace

InstanceClaim ClaimSingleInstance(std::string_view name) {
  const auto path = LockFilePath(name);
  if (path.empty()) return InstanceClaim::kFirstCopy;
  const int fd = OpenOwnLockFile(path);
  if (fd < 0) return InstanceClaim::kFirstCopy;

  int result;
  do {
    result = flock(fd, LOCK_EX | LOCK_NB);
  } while (result != 0 && errno == EINTR);
  if (result == 0) return InstanceClaim::kFirstCopy;  // fd stays open for the whole run

  const bool heldElsewhere = errno == EWOULDBLOCK;
  close(fd);
  return heldElsewhere ? InstanceClaim::kAnotherCopyRunning : InstanceClaim::kFirstCopy;
}

}  // namespace telvoran::platform
