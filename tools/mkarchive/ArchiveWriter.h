#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <span>
#include <vector>

#include "core/archive/ArchiveRecord.h"

namespace telvoran {

// Writes archive records to a file through a buffer of its own, so that writing a million
// records costs a few hundred large writes. Every failure of the system is thrown as
// std::system_error carrying the system's error code and the file's name.
class ArchiveWriter {
 public:
  // Creates the file, or empties an existing one.
  explicit ArchiveWriter(const std::filesystem::path& path);
  // Closes the file if Close() was not called, without reporting errors: call Close() to
  // learn whether everything reached the disk.
  ~ArchiveWriter();

  ArchiveWriter(const ArchiveWriter&) = delete;
  ArchiveWriter& operator=(const ArchiveWriter&) = delete;

  void Write(const ArchiveRecord& record);
  void Write(std::span<const ArchiveRecord> records);
  // Writes only the first `byteCount` bytes of `record`: a file cut off inside its last record.
  void WritePartial(const ArchiveRecord& record, std::size_t byteCount);

  // Writes what is still buffered and closes the file.
  void Close();
  // Closes the file, written or not, and removes it if it is a regular file: for a write
  // that cannot be completed.
  void Discard() noexcept;

  std::uint64_t BytesWritten() const { return bytesWritten_; }

 private:
  void Append(const unsigned char* data, std::size_t size);
  void Flush();
  [[noreturn]] void ThrowSystemError(int error) const;

  std::filesystem::path path_;
  std::FILE* file_ = nullptr;
  std::vector<unsigned char> buffer_;
  std::uint64_t bytesWritten_ = 0;
};

}  // namespace telvoran
