// ReplacingFile's file operations on POSIX systems.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <random>
#include <system_error>

#include "core/platform/ReplacingFile.h"

namespace telvoran {
namespace {

constexpr int kNameAttempts = 100;
constexpr int kMaxLinksFollowed = 40;  // as many as the system itself follows in one name
constexpr mode_t kNewFileMode = 0666;  // less the user's umask, as for any new file

std::string ErrorText(int error) {
  return std::generic_category().message(error);
}

std::string RandomSuffix() {
  static std::mt19937_64 generator{std::random_device{}()};
  constexpr char kHexDigits[] = "0123456789abcdef";
  std::uint64_t bits = generator();
  std::string suffix;
  for (int digit = 0; digit < 16; ++digit, bits >>= 4) suffix += kHexDigits[bits & 0xF];
  return suffix;
}

// The name that `path` leads to through symbolic links; the last link's target need not exist.
// On failure, the platform's error number.
int ResolveLinks(std::filesystem::path path, std::filesystem::path& resolved) {
  for (int hop = 0; hop <= kMaxLinksFollowed; ++hop) {
    struct stat info;
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
      resolved = path;
      return 0;
    }
    std::error_code error;
    const std::filesystem::path link = std::filesystem::read_symlink(path, error);
    if (error) return error.value();
    path = link.is_absolute() ? link : path.parent_path() / link;
  }
  return ELOOP;
}

bool HasNoWritePermission(mode_t mode) {
  return (mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

// Whether a failure to make a file in a folder is the folder refusing new files, as opposed to
// a full disk, a lack of inodes or descriptors, and the like, where writing in place could
// fail as well.
bool FolderRefusesNewFiles(int error) {
  return error == EACCES || error == EPERM || error == EROFS;
}

// Makes a new file of a random name in `folder`; its descriptor, or -1 with `error` set.
int MakeTemporaryFile(const std::filesystem::path& folder, mode_t mode, std::filesystem::path& made,
                      int& error) {
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    const std::filesystem::path candidate = folder / (".telvoran-" + RandomSuffix() + ".tmp");
    const int fd = ::open(candidate.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd >= 0) {
      made = candidate;
      return fd;
    }
    error = errno;
    if (error != EEXIST) break;
  }
  return -1;
}

std::filesystem::path SystemTemporaryFolder() {
  std::error_code error;
  std::filesystem::path folder = std::filesystem::temp_directory_path(error);
  return error ? std::filesystem::path("/tmp") : folder;
}

int WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return 0;
}

// Makes the folder's entries (a rename into it) reach the disk. A file system that cannot flush
// a folder says so; the report itself is complete and in place either way, so nothing is
// reported.
void FlushFolder(const std::filesystem::path& file) {
  const std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : ".";
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  (void)::fsync(fd);
  ::close(fd);
}

}  // namespace

std::optional<std::string> ReplacingFile::OpenFile() {
  if (const int error = ResolveLinks(target_, finalPath_)) return ErrorText(error);

  struct stat existing;
  const bool exists = ::stat(finalPath_.c_str(), &existing) == 0;
  if (!exists && errno != ENOENT) return ErrorText(errno);
  if (exists) {
    if (S_ISDIR(existing.st_mode)) return ErrorText(EISDIR);
    regularFile_ = S_ISREG(existing.st_mode);
    // Rewriting it in place would fail too: a read-only file is not replaced behind its back.
    if (regularFile_ && HasNoWritePermission(existing.st_mode)) return ErrorText(EACCES);
    // A new file would take one name of a file with several, or the place of a device.
    inPlace_ = !regularFile_ || existing.st_nlink > 1;
  }

  if (!inPlace_) {
    int error = 0;
    fd_ = MakeTemporaryFile(finalPath_.parent_path(), kNewFileMode, temporary_, error);
    // Only a folder that refuses new files sends an existing file to be rewritten in place;
    // anything else (a full disk) fails here, before the old file is touched.
    if (fd_ < 0 && !(exists && FolderRefusesNewFiles(error))) return ErrorText(error);
    // A replacement must look like the file it replaces. Where it cannot get the owner, the
    // file is rewritten in place, which keeps it all.
    if (fd_ >= 0 && exists &&
        (::fchmod(fd_, existing.st_mode & 07777) != 0 ||
         ((existing.st_uid != ::geteuid() || existing.st_gid != ::getegid()) &&
          ::fchown(fd_, existing.st_uid, existing.st_gid) != 0))) {
      Discard();
    }
    inPlace_ = fd_ < 0;
  }

  if (inPlace_ && !regularFile_) {
    // A device is written as it comes. O_NONBLOCK: a named pipe without a reader is refused at
    // once instead of waited on.
    fd_ = ::open(finalPath_.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd_ < 0) return ErrorText(errno);
    ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) & ~O_NONBLOCK);
  } else if (inPlace_) {
    // The target is opened as it is, never emptied; the new bytes gather beside the system's
    // other temporary files, readable by the user alone.
    targetFd_ = ::open(finalPath_.c_str(), O_RDWR | O_CLOEXEC | O_NOCTTY);
    if (targetFd_ < 0) return ErrorText(errno);
    int error = 0;
    fd_ = MakeTemporaryFile(SystemTemporaryFolder(), 0600, temporary_, error);
    if (fd_ < 0) {
      Discard();
      return ErrorText(error);
    }
  }
  return std::nullopt;
}

std::optional<std::string> ReplacingFile::WriteOut(std::string_view bytes) {
  if (fd_ < 0) return ErrorText(EBADF);
  if (const int error = WriteAll(fd_, bytes)) return ErrorText(error);
  return std::nullopt;
}

// The order matters for a power cut: the new bytes are on the disk before the name leads to
// them, and the folder's new entry is on the disk before the command says it is done.
std::optional<std::string> ReplacingFile::FinishFile() {
  if (fd_ < 0) return ErrorText(EBADF);
  if (targetFd_ >= 0) {
    auto failure = CopyIntoPlace();
    // The new bytes are on the disk already, or the old ones back: a close that fails now
    // loses nothing.
    ::close(targetFd_);
    targetFd_ = -1;
    Discard();
    return failure;
  }
  // A device has no data of its own to flush.
  if (regularFile_ && ::fsync(fd_) != 0) return ErrorText(errno);
  const int closed = ::close(fd_);
  fd_ = -1;
  if (closed != 0) return ErrorText(errno);
  if (inPlace_) return std::nullopt;
  if (::rename(temporary_.c_str(), finalPath_.c_str()) != 0) return ErrorText(errno);
  temporary_.clear();
  FlushFolder(finalPath_);
  return std::nullopt;
}

void ReplacingFile::Discard() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (targetFd_ >= 0) ::close(targetFd_);
  targetFd_ = -1;
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
  temporary_.clear();
}

// The primitives of a rewrite in place.

std::optional<std::string> ReplacingFile::SizeOf(Side side, std::uint64_t& size) {
  struct stat info;
  if (::fstat(side == Side::kTarget ? targetFd_ : fd_, &info) != 0) return ErrorText(errno);
  size = static_cast<std::uint64_t>(info.st_size);
  return std::nullopt;
}

std::optional<std::string> ReplacingFile::ReadAt(Side side, std::uint64_t offset, char* data,
                                                 std::size_t size) {
  const int fd = side == Side::kTarget ? targetFd_ : fd_;
  while (size > 0) {
    const ssize_t n = ::pread(fd, data, size, static_cast<off_t>(offset));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return ErrorText(errno);
    if (n == 0) return ErrorText(EIO);  // the file shrank meanwhile
    data += n;
    size -= static_cast<std::size_t>(n);
    offset += static_cast<std::uint64_t>(n);
  }
  return std::nullopt;
}

std::optional<std::string> ReplacingFile::WriteTargetAt(std::uint64_t offset,
                                                        std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::pwrite(targetFd_, bytes.data(), bytes.size(), static_cast<off_t>(offset));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return ErrorText(errno);
    bytes.remove_prefix(static_cast<std::size_t>(n));
    offset += static_cast<std::uint64_t>(n);
  }
  return std::nullopt;
}

std::optional<std::string> ReplacingFile::ResizeTarget(std::uint64_t size, bool reserve) {
  if (reserve) {
    // The C library reserves the room itself where the file system cannot.
    if (const int error = ::posix_fallocate(targetFd_, 0, static_cast<off_t>(size)))
      return ErrorText(error);
    return std::nullopt;
  }
  if (::ftruncate(targetFd_, static_cast<off_t>(size)) != 0) return ErrorText(errno);
  return std::nullopt;
}

std::optional<std::string> ReplacingFile::FlushTarget() {
  if (::fsync(targetFd_) != 0) return ErrorText(errno);
  return std::nullopt;
}

}  // namespace telvoran
