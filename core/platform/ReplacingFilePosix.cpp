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
    const std::filesystem::path folder = finalPath_.parent_path();
    for (int attempt = 0; attempt < kNameAttempts && fd_ < 0; ++attempt) {
      const std::filesystem::path candidate = folder / (".telvoran-" + RandomSuffix() + ".tmp");
      fd_ = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kNewFileMode);
      if (fd_ >= 0) {
        temporary_ = candidate;
      } else if (errno != EEXIST) {
        break;
      }
    }
    // A replacement must look like the file it replaces. Where it cannot get the owner, or no
    // new file can be made in the folder, the file is rewritten in place, which keeps it all;
    // a new file is then made under its own name, which gives the reason if that fails too.
    if (fd_ >= 0 && exists &&
        (::fchmod(fd_, existing.st_mode & 07777) != 0 ||
         ((existing.st_uid != ::geteuid() || existing.st_gid != ::getegid()) &&
          ::fchown(fd_, existing.st_uid, existing.st_gid) != 0))) {
      Discard();
    }
    inPlace_ = fd_ < 0;
  }

  if (inPlace_) {
    // O_NONBLOCK: a named pipe without a reader is refused at once instead of waited on.
    const int flags = regularFile_ ? O_TRUNC : O_NONBLOCK;
    fd_ =
        ::open(finalPath_.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NOCTTY | flags, kNewFileMode);
    if (fd_ < 0) return ErrorText(errno);
    if (!regularFile_) ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) & ~O_NONBLOCK);
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
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
  temporary_.clear();
}

}  // namespace telvoran
