#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>

namespace telvoran::fuzz {

// A file in memory that has a path, so that each run reads its input through the archive
// reader's own file code without writing to the disk. Where memory files are not available
// it is an unlinked temporary file.
class MemoryFile {
 public:
  MemoryFile();
  ~MemoryFile();
  MemoryFile(const MemoryFile&) = delete;
  MemoryFile& operator=(const MemoryFile&) = delete;

  // Makes the file hold exactly these bytes.
  void Fill(const std::uint8_t* data, std::size_t size);
  // A path that opens this file, for as long as the object lives.
  std::filesystem::path Path() const;

 private:
  int fd_ = -1;
};

}  // namespace telvoran::fuzz
