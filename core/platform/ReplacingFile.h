#pragma once

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
// file (a device), and one in a folder where no temporary file can be made. A replaced file
// keeps its permissions and owner. A read-only file is left alone. Failures are returned as the
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
  // instead of calling Write(): the temporary file, or the target itself when it is rewritten
  // in place.
  const std::filesystem::path& WritePath() const;
  // Whether Open() chose to rewrite the target in place.
  bool RewritesInPlace() const { return inPlace_; }
  // Writes what is buffered, flushes the file to the disk and closes it, then gives the
  // temporary file the target's name. Empty on success, else the first failure of the whole
  // run. A failed rewrite in place keeps what was written before the failure.
  std::optional<std::string> Commit();

 private:
  // The platform's half: each is defined once for POSIX and once for Windows.
  std::optional<std::string> OpenFile();
  std::optional<std::string> WriteOut(std::string_view bytes);
  std::optional<std::string> FinishFile();
  void Discard();

  std::filesystem::path target_;     // as named by the user
  std::filesystem::path finalPath_;  // the file the name leads to, through symbolic links
  std::filesystem::path temporary_;
  bool inPlace_ = false;
  bool regularFile_ = true;  // false for a device written in place
#ifdef _WIN32
  void* handle_ = reinterpret_cast<void*>(-1);
  bool targetExisted_ = false;
  unsigned long targetAttributes_ = 0;
#else
  int fd_ = -1;
#endif
  std::string buffer_;
  std::optional<std::string> failure_;
};

}  // namespace telvoran
