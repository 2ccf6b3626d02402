#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace telvoran::platform {

// True when something other than a folder exists under that name.
bool FileExists(const std::filesystem::path& path);

// Clears the file's read-only attribute if it is set (on POSIX: gives the owner write
// permission). A failure to change it is not an error and is not reported.
void ClearReadOnly(const std::filesystem::path& path);

// A file opened for reading and writing while letting other processes read and write it too.
// When the system refuses write access (permissions, a read-only medium) it is opened for
// reading only: the program never writes an archive. Errors come back in the platform's words.
class RecordFile {
 public:
  RecordFile() = default;
  RecordFile(const RecordFile&) = delete;
  RecordFile& operator=(const RecordFile&) = delete;
  ~RecordFile() { Close(); }

  // Opens an existing file; on failure returns the platform's text for the error.
  std::optional<std::string> Open(const std::filesystem::path& path);
  bool IsOpen() const;
  // The file's size in bytes when it was opened.
  std::uint64_t Size() const { return size_; }
  // Reads up to `count` bytes at the current position into `buffer`; returns the number read
  // (fewer only at the end of the file) or the platform's text for a read error.
  struct ReadResult {
    std::size_t bytesRead = 0;
    std::optional<std::string> error;
  };
  ReadResult Read(void* buffer, std::size_t count);
  void Close();

 private:
#ifdef _WIN32
  void* handle_ = reinterpret_cast<void*>(-1);
#else
  int fd_ = -1;
#endif
  std::uint64_t size_ = 0;
};

}  // namespace telvoran::platform
