#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <system_error>

#include "core/platform/RecordFile.h"

namespace telvoran::platform {
namespace {

std::string ErrorText(int error) {
  return std::generic_category().message(error);
}

bool RefusesWriteAccess(int error) {
  return error == EACCES || error == EPERM || error == EROFS;
}

}  // namespace

bool FileExists(const std::filesystem::path& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

void ClearReadOnly(const std::filesystem::path& path) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0 || (info.st_mode & S_IWUSR) != 0) return;
  (void)::chmod(path.c_str(), (info.st_mode & 07777) | S_IWUSR);
}

std::optional<std::string> RecordFile::Open(const std::filesystem::path& path) {
  Close();
  // O_NONBLOCK keeps a named pipe from stalling the open; it is cleared again below.
  const int flags = O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
  int fd = ::open(path.c_str(), O_RDWR | flags);
  if (fd < 0 && RefusesWriteAccess(errno)) fd = ::open(path.c_str(), O_RDONLY | flags);
  if (fd < 0) return ErrorText(errno);

  struct stat info;
  if (::fstat(fd, &info) != 0) {
    const int error = errno;
    ::close(fd);
    return ErrorText(error);
  }
  if (!S_ISREG(info.st_mode)) {
    ::close(fd);
    return ErrorText(S_ISDIR(info.st_mode) ? EISDIR : EINVAL);
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  fd_ = fd;
  size_ = static_cast<std::uint64_t>(info.st_size);
  return std::nullopt;
}

bool RecordFile::IsOpen() const {
  return fd_ >= 0;
}

RecordFile::ReadResult RecordFile::Read(void* buffer, std::size_t count) {
  ReadResult result;
  if (fd_ < 0) {
    result.error = ErrorText(EBADF);
    return result;
  }
  auto* bytes = static_cast<char*>(buffer);
  while (result.bytesRead < count) {
    const ssize_t n = ::read(fd_, bytes + result.bytesRead, count - result.bytesRead);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      result.error = ErrorText(errno);
      break;
    }
    result.bytesRead += static_cast<std::size_t>(n);
  }
  return result;
}

void RecordFile::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  size_ = 0;
}

}  // namespace telvoran::platform
