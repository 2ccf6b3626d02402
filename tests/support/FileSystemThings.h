#pragma once

// What tests of file access need besides plain files: appending to a file as a writer does,
// names that are no regular file, and a guard that ends a test that waits for ever.
#ifndef _WIN32
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#endif

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "core/archive/ArchiveRecord.h"

namespace telvoran::test {

// Appends the records, then `tail`, to the end of an existing file.
inline void Append(const std::filesystem::path& path, const std::vector<ArchiveRecord>& records,
                   std::string_view tail = {}) {
  std::ofstream out(path, std::ios::binary | std::ios::app);
  for (const auto& record : records)
    out.write(reinterpret_cast<const char*>(record.bytes.data()), kRecordSize);
  out.write(tail.data(), static_cast<std::streamsize>(tail.size()));
}

#ifndef _WIN32
// A listening Unix socket bound to a name in the file system, for as long as it lives.
class UnixSocket {
 public:
  explicit UnixSocket(const std::filesystem::path& path) {
    fd_ = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    const std::string name = path.string();
    if (fd_ < 0 || name.size() >= sizeof(address.sun_path)) return;
    std::memcpy(address.sun_path, name.c_str(), name.size() + 1);
    bound_ = ::bind(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0 &&
             ::listen(fd_, 1) == 0;
  }
  ~UnixSocket() {
    if (fd_ >= 0) ::close(fd_);
  }
  UnixSocket(const UnixSocket&) = delete;
  UnixSocket& operator=(const UnixSocket&) = delete;

  bool Bound() const { return bound_; }

 private:
  int fd_ = -1;
  bool bound_ = false;
};

// Ends the whole test program (SIGALRM) if the guarded code is still running after `seconds`:
// a test of something that must not wait then fails instead of hanging.
class WaitGuard {
 public:
  explicit WaitGuard(unsigned seconds = 20) { ::alarm(seconds); }
  ~WaitGuard() { ::alarm(0); }
  WaitGuard(const WaitGuard&) = delete;
  WaitGuard& operator=(const WaitGuard&) = delete;
};
#endif

}  // namespace telvoran::test
