#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "core/platform/RecordFile.h"

namespace telvoran::platform {
namespace {

std::string ErrorText(int error) {
  return std::generic_category().message(error);
}

}  // namespace

std::string OutOfMemoryText() {
  return ErrorText(ENOMEM);
}

FileKind KindOfFile(const std::filesystem::path& path) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0) return FileKind::kMissing;
  return S_ISREG(info.st_mode) ? FileKind::kRegularFile : FileKind::kNotAFile;
}

std::optional<RecordFile::OpenFailure> RecordFile::Open(const std::filesystem::path& path) {
  Close();
  // The name may have been given to a named pipe since it was looked at: O_NONBLOCK keeps the
  // opening from waiting for a writer, and the type is checked again on what was opened.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return OpenFailure{false, ErrorText(errno)};

  struct stat info;
  if (::fstat(fd, &info) != 0) {
    const int error = errno;
    ::close(fd);
    return OpenFailure{false, ErrorText(error)};
  }
  if (!S_ISREG(info.st_mode)) {
    ::close(fd);
    return OpenFailure{true, ErrorText(EINVAL)};
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  fd_ = fd;
  sizeWhenOpened_ = static_cast<std::uint64_t>(info.st_size);
  identity_ = {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
  return std::nullopt;
}

bool RecordFile::IsOpen() const {
  return fd_ >= 0;
}

RecordFile::ReadResult RecordFile::ReadAt(std::uint64_t offset, void* buffer, std::size_t count) {
  ReadResult result;
  if (fd_ < 0) {
    result.error = ErrorText(EBADF);
    return result;
  }
  auto* bytes = static_cast<char*>(buffer);
  while (result.bytesRead < count) {
    const ssize_t n = ::pread(fd_, bytes + result.bytesRead, count - result.bytesRead,
                              static_cast<off_t>(offset + result.bytesRead));
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
  sizeWhenOpened_ = 0;
  identity_ = {};
}

}  // namespace telvoran::platform
