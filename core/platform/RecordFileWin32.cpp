#include <windows.h>

#include <algorithm>
#include <string>

#include "core/platform/RecordFile.h"

namespace telvoran::platform {
namespace {

// Another program (the monitoring program writing the archive) may hold the file for a moment.
constexpr DWORD kSharingRetryPauseMs = 50;
constexpr int kSharingRetryAttempts = 40;  // about two seconds in all

std::string ErrorText(DWORD error) {
  char* text = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string result = length ? std::string(text, length) : "Error " + std::to_string(error);
  LocalFree(text);
  while (!result.empty() && (result.back() == '\n' || result.back() == '\r')) result.pop_back();
  return result;
}

HANDLE OpenShared(const std::filesystem::path& path, DWORD access) {
  return CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool RefusesWriteAccess(DWORD error) {
  return error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT;
}

}  // namespace

bool FileExists(const std::filesystem::path& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void ClearReadOnly(const std::filesystem::path& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_READONLY)) return;
  SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
}

std::optional<std::string> RecordFile::Open(const std::filesystem::path& path) {
  Close();
  HANDLE file = INVALID_HANDLE_VALUE;
  DWORD error = ERROR_SUCCESS;
  for (int attempt = 0; attempt < kSharingRetryAttempts; ++attempt) {
    file = OpenShared(path, GENERIC_READ | GENERIC_WRITE);
    error = file == INVALID_HANDLE_VALUE ? GetLastError() : ERROR_SUCCESS;
    if (RefusesWriteAccess(error)) {
      file = OpenShared(path, GENERIC_READ);
      error = file == INVALID_HANDLE_VALUE ? GetLastError() : ERROR_SUCCESS;
    }
    if (error != ERROR_SHARING_VIOLATION) break;
    Sleep(kSharingRetryPauseMs);
  }
  if (file == INVALID_HANDLE_VALUE) return ErrorText(error);

  LARGE_INTEGER size;
  if (!GetFileSizeEx(file, &size)) {
    error = GetLastError();
    CloseHandle(file);
    return ErrorText(error);
  }
  handle_ = file;
  size_ = static_cast<std::uint64_t>(size.QuadPart);
  return std::nullopt;
}

bool RecordFile::IsOpen() const {
  return handle_ != INVALID_HANDLE_VALUE;
}

RecordFile::ReadResult RecordFile::Read(void* buffer, std::size_t count) {
  ReadResult result;
  auto* bytes = static_cast<char*>(buffer);
  while (result.bytesRead < count) {
    const DWORD chunk =
        static_cast<DWORD>(std::min<std::size_t>(count - result.bytesRead, 1 << 30));
    DWORD n = 0;
    if (!ReadFile(handle_, bytes + result.bytesRead, chunk, &n, nullptr)) {
      result.error = ErrorText(GetLastError());
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
  size_ = 0;
}

}  // namespace telvoran::platform
