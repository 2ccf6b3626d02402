// The part of ReplacingFile that is the same on every platform: buffering and the order of
// the steps. The file operations are in ReplacingFilePosix.cpp and ReplacingFileWin32.cpp.
#include "core/platform/ReplacingFile.h"

namespace telvoran {
namespace {

constexpr std::size_t kBufferBytes = std::size_t{1} << 16;

}  // namespace

ReplacingFile::ReplacingFile(std::filesystem::path target) : target_(std::move(target)) {}

ReplacingFile::~ReplacingFile() {
  Discard();
}

std::optional<std::string> ReplacingFile::Open() {
  buffer_.reserve(kBufferBytes);
  return OpenFile();
}

bool ReplacingFile::Write(std::string_view bytes) {
  if (failure_) return false;
  if (buffer_.size() + bytes.size() <= kBufferBytes) {
    buffer_ += bytes;
    return true;
  }
  failure_ = WriteOut(buffer_);
  buffer_.clear();
  // A piece at least as large as the buffer goes out at once, without a copy.
  if (!failure_ && bytes.size() >= kBufferBytes) {
    failure_ = WriteOut(bytes);
  } else {
    buffer_ += bytes;
  }
  return !failure_;
}

const std::filesystem::path& ReplacingFile::WritePath() const {
  return inPlace_ ? finalPath_ : temporary_;
}

std::optional<std::string> ReplacingFile::Commit() {
  if (!failure_ && !buffer_.empty()) failure_ = WriteOut(buffer_);
  buffer_.clear();
  if (!failure_) failure_ = FinishFile();
  if (failure_) Discard();
  return failure_;
}

}  // namespace telvoran
