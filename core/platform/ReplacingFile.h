#pragma once

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace telvoran {

// Writes a file under a temporary name in its target's folder and moves it over the target only
// once it is complete. A failure anywhere leaves no partial file behind and any existing target
// untouched; a replaced file keeps its permissions. Failures are returned as the platform's text
// for the error.
class ReplacingFile {
 public:
  explicit ReplacingFile(std::filesystem::path target);
  ReplacingFile(const ReplacingFile&) = delete;
  ReplacingFile& operator=(const ReplacingFile&) = delete;
  // Removes the temporary file unless Commit() moved it into place.
  ~ReplacingFile();

  // Creates the temporary file. Empty on success, else why it failed.
  std::optional<std::string> Open();
  // Appends bytes through a buffer. False once any write has failed; Commit() then says why.
  bool Write(std::string_view bytes);
  // The temporary file's name, once Open() has created it: for a writer that writes the file by
  // its name (a printer) instead of through Write().
  const std::filesystem::path& TemporaryPath() const { return temporary_; }
  // Flushes and closes the temporary file and renames it to the target. Empty on success, else
  // the first failure of the whole run.
  std::optional<std::string> Commit();

 private:
  std::optional<std::string> CheckTarget();
  std::optional<std::string> CreateTemporaryFile();
  void Discard();

  std::filesystem::path target_;
  std::filesystem::path temporary_;
  std::FILE* stream_ = nullptr;
  // An existing target's permissions, given to its replacement.
  std::optional<std::filesystem::perms> targetPermissions_;
  std::optional<std::string> failure_;
};

}  // namespace telvoran
