#include <algorithm>
#include <string>

#include "core/platform/RecordFile.h"
#include "core/platform/Win32ErrorText.h"

namespace telvoran::platform {
namespace {

// Another program (the monitoring program writing the archive) may hold the file for a moment
// without letting others read it.
constexpr DWORD kSharingRetryPauseMs = 50;
constexpr int kSharingRetryAttempts = 40;  // about two seconds in all

std::string ErrorText(DWORD error) {
  return Win32ErrorText(error);
}

// Reading only, and every kind of sharing: the writer may go on appending, and may rename or
// delete the file while it is open here.
HANDLE OpenForReading(const std::filesystem::path& path) {
  return CreateFileW(path.c_str(), GENERIC_READ,
                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

std::string OutOfMemoryText() {
  return ErrorText(ERROR_NOT_ENOUGH_MEMORY);
}

FileKind KindOfFile(const std::filesystem::path& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return FileKind::kMissing;
  if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) return FileKind::kNotAFile;
  return FileKind::kRegularFile;
}

std::optional<RecordFile::OpenFailure> RecordFile::Open(const std::filesystem::path& path) {
  Close();
  HANDLE file = INVALID_HANDLE_VALUE;
  DWORD error = ERROR_SUCCESS;
  for (int attempt = 0; attempt < kSharingRetryAttempts; ++attempt) {
    file = OpenForReading(path);
    error = file == INVALID_HANDLE_VALUE ? GetLastError() : ERROR_SUCCESS;
    if (error != ERROR_SHARING_VIOLATION) break;
    Sleep(kSharingRetryPauseMs);
  }
  if (file == INVALID_HANDLE_VALUE) return OpenFailure{false, ErrorText(error)};

  // A name can lead to a pipe or a device as well as to a file on a disk.
  if (GetFileType(file) != FILE_TYPE_DISK) {
    CloseHandle(file);
    return OpenFailure{true, ErrorText(ERROR_INVALID_FUNCTION)};
  }
  BY_HANDLE_FILE_INFORMATION information;
  if (!GetFileInformationByHandle(file, &information)) {
    error = GetLastError();
    CloseHandle(file);
    return OpenFailure{false, ErrorText(error)};
  }
  if (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
    CloseHandle(file);
    return OpenFailure{true, ErrorText(ERROR_INVALID_FUNCTION)};
  }
  handle_ = file;
  sizeWhenOpened_ = std::uint64_t{information.nFileSizeHigh} << 32 | information.nFileSizeLow;
  identity_ = {information.dwVolumeSerialNumber,
               std::uint64_t{information.nFileIndexHigh} << 32 | information.nFileIndexLow};
  return std::nullopt;
}

bool RecordFile::IsOpen() const {
  return handle_ != INVALID_HANDLE_VALUE;
}

RecordFile::ReadResult RecordFile::ReadAt(std::uint64_t offset, void* buffer, std::size_t count) {
  ReadResult result;
  if (handle_ == INVALID_HANDLE_VALUE) {
    result.error = ErrorText(ERROR_INVALID_HANDLE);
    return result;
  }
  auto* bytes = static_cast<char*>(buffer);
  while (result.bytesRead < count) {
    // On a handle opened without FILE_FLAG_OVERLAPPED the offset in OVERLAPPED makes a plain
    // positioned read that returns when it is done.
    const std::uint64_t position = offset + result.bytesRead;
    OVERLAPPED at = {};
    at.Offset = static_cast<DWORD>(position);
    at.OffsetHigh = static_cast<DWORD>(position >> 32);
    const DWORD chunk =
        static_cast<DWORD>(std::min<std::size_t>(count - result.bytesRead, DWORD{1} << 30));
    DWORD n = 0;
    if (!ReadFile(handle_, bytes + result.bytesRead, chunk, &n, &at)) {
      const DWORD error = GetLastError();
      if (error != ERROR_HANDLE_EOF) result.error = ErrorText(error);
      break;
    }
    if (n == 0) break;
    result.bytesRead += n;
  }
  return result;
}

void RecordFile::Close() {
  if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  handle_ = INVALID_HANDLE_VALUE;
  sizeWhenOpened_ = 0;
  identity_ = {};
}

}  // namespace telvoran::platform
