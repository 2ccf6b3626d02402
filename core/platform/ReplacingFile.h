#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace telvoran {

// Writes a file that may replace an existing one, so that neither a failure nor a power cut
// leaves less than the old file or the new one whole. The new bytes go to a temporary file
// beside the file they replace, reach the disk before that file takes its name, and the folder
// is flushed after the rename. A name that is a symbolic link is written through: the file it
// leads to is replaced, the link stays. Where a new file cannot take the old one's place
// without breaking what the user has set up, the old file is rewritten in place instead: a file
// with several hard links, one whose owner a new file could not get, one that is no regular
// file (a device), and one in a folder that refuses new files (permission; a full disk or any
// other failure to make the temporary file is a failure of the whole run). A rewrite in place
// collects the new bytes in a temporary file of the system's temporary folder, keeps a copy of
// the old bytes, makes the file large enough for the new ones and only then copies them in; any
// failure puts the old bytes back, so that the old file stays whole. A replaced file keeps its
// permissions and owner. A read-only file is left alone. Failures are returned as the
// platform's text for the error.
class ReplacingFile {
 public:
  explicit ReplacingFile(std::filesystem::path target);
  ReplacingFile(const ReplacingFile&) = delete;
  ReplacingFile& operator=(const ReplacingFile&) = delete;
  // Removes the temporary file unless Commit() moved it into place.
  ~ReplacingFile();

  // Creates the temporary file, or opens the target to be rewritten in place. Empty on
  // success, else why it failed.
  std::optional<std::string> Open();
  // Appends bytes through a buffer. False once any write has failed; Commit() then says why.
  bool Write(std::string_view bytes);
  // Once Open() has succeeded, the file that a writer writing by name (a printer) is to write
  // instead of calling Write(): the temporary file, or the target itself when it is a device.
  const std::filesystem::path& WritePath() const;
  // Whether Open() chose to rewrite the target in place.
  bool RewritesInPlace() const { return inPlace_; }
  // Writes what is buffered, flushes the file to the disk and closes it, then gives the
  // temporary file the target's name (or copies its bytes into the target rewritten in place).
  // Empty on success, else the first failure of the whole run; the target is then as it was
  // (a device keeps what reached it).
  std::optional<std::string> Commit();

 private:
  // The platform's half: each is defined once for POSIX and once for Windows.
  std::optional<std::string> OpenFile();
  std::optional<std::string> WriteOut(std::string_view bytes);
  std::optional<std::string> FinishFile();
  void Discard();

  // A rewrite in place of a regular file: the new bytes, collected in the temporary file, are
  // copied into the target; on any failure the old bytes are put back. The same on every
  // platform, on the platform's primitives below.
  std::optional<std::string> CopyIntoPlace();
  enum class Side { kTarget, kNewBytes };
  std::optional<std::string> SizeOf(Side side, std::uint64_t& size);
  std::optional<std::string> ReadAt(Side side, std::uint64_t offset, char* data, std::size_t size);
  std::optional<std::string> WriteTargetAt(std::uint64_t offset, std::string_view bytes);
  // Sets the target's size; `reserve` also claims the disk space up to it, so that later writes
  // below it cannot fail for room.
  std::optional<std::string> ResizeTarget(std::uint64_t size, bool reserve);
  std::optional<std::string> FlushTarget();

  std::filesystem::path target_;     // as named by the user
  std::filesystem::path finalPath_;  // the file the name leads to, through symbolic links
  std::filesystem::path temporary_;
  bool inPlace_ = false;
  bool regularFile_ = true;  // false for a device written in place
#ifdef _WIN32
  void* handle_ = reinterpret_cast<void*>(-1);
  void* targetHandle_ = reinterpret_cast<void*>(-1);  // the target rewritten in place
  bool targetExisted_ = false;
  unsigned long targetAttributes_ = 0;
#else
  int fd_ = -1;
  int targetFd_ = -1;  // the target rewritten in place
#endif
  std::string buffer_;
  std::optional<std::string> failure_;
};

}  // namespace telvoran
