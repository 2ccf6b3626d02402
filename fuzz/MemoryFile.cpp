#include "fuzz/MemoryFile.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "fuzz/FuzzCheck.h"

namespace telvoran::fuzz {

MemoryFile::MemoryFile() {
  fd_ = ::memfd_create("telvoran-fuzz-input", MFD_CLOEXEC);
  if (fd_ < 0) {
    char name[] = "/tmp/telvoran-fuzz-XXXXXX";
    fd_ = ::mkstemp(name);
    if (fd_ >= 0) ::unlink(name);
  }
  TELVORAN_FUZZ_CHECK(fd_ >= 0);
}

MemoryFile::~MemoryFile() {
  ::close(fd_);
}

void MemoryFile::Fill(const std::uint8_t* data, std::size_t size) {
  TELVORAN_FUZZ_CHECK(::ftruncate(fd_, 0) == 0);
  std::size_t written = 0;
  while (written < size) {
    const ssize_t n = ::pwrite(fd_, data + written, size - written, static_cast<off_t>(written));
    TELVORAN_FUZZ_CHECK(n > 0);
    written += static_cast<std::size_t>(n);
  }
}

std::filesystem::path MemoryFile::Path() const {
  return "/proc/self/fd/" + std::to_string(fd_);
}

}  // namespace telvoran::fuzz
