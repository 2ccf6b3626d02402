#pragma once

#include <compare>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace telvoran::platform {

// What a name stands for, as far as reading records goes: nothing, a regular file, or something
// that is not one (a folder, a named pipe, a device, a socket), which is never opened.
enum class FileKind { kMissing, kRegularFile, kNotAFile };
FileKind KindOfFile(const std::filesystem::path& path);

// The platform's own words for running out of memory.
std::string OutOfMemoryText();

// Tells one file from another whatever their names: a file put in the place of another under
// the same name has another identity.
struct FileIdentity {
  std::uint64_t volume = 0;
  std::uint64_t file = 0;
  bool operator==(const FileIdentity&) const = default;
};

// A regular file opened for reading only, while other processes go on reading, writing,
// renaming or deleting it (the monitoring program appends to its archives). Opening changes
// nothing about the file: neither its permissions nor its attributes.
class RecordFile {
 public:
  RecordFile() = default;
  RecordFile(const RecordFile&) = delete;
  RecordFile& operator=(const RecordFile&) = delete;
  ~RecordFile() { Close(); }

  // Why an opening failed: the name is not a regular file, or the platform's text for the error.
  struct OpenFailure {
    bool notAFile = false;
    std::string platformText;
  };
  // Opens an existing regular file. A name that is not one is refused before anything could
  // wait on it.
  std::optional<OpenFailure> Open(const std::filesystem::path& path);
  bool IsOpen() const;
  // The file's size in bytes when it was opened; it may grow or shrink after that.
  std::uint64_t SizeWhenOpened() const { return sizeWhenOpened_; }
  const FileIdentity& Identity() const { return identity_; }

  // Reads up to `count` bytes from `offset` into `buffer`: fewer only at the file's current end.
  // Returns the number read or the platform's text for a read error.
  struct ReadResult {
    std::size_t bytesRead = 0;
    std::optional<std::string> error;
  };
  ReadResult ReadAt(std::uint64_t offset, void* buffer, std::size_t count);
  void Close();

 private:
#ifdef _WIN32
  void* handle_ = reinterpret_cast<void*>(-1);
#else
  int fd_ = -1;
#endif
  std::uint64_t sizeWhenOpened_ = 0;
  FileIdentity identity_;
};

}  // namespace telvoran::platform
