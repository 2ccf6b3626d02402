// The part of ReplacingFile that is the same on every platform: buffering and the order of
// the steps. The file operations are in ReplacingFilePosix.cpp and ReplacingFileWin32.cpp.
#include "core/platform/ReplacingFile.h"

#include <algorithm>
#include <cerrno>
#include <new>
#include <stdexcept>
#include <system_error>

namespace telvoran {
namespace {

constexpr std::size_t kBufferBytes = std::size_t{1} << 16;
constexpr std::size_t kCopyPieceBytes = std::size_t{1} << 20;

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
  return temporary_.empty() ? finalPath_ : temporary_;
}

std::optional<std::string> ReplacingFile::Commit() {
  if (!failure_ && !buffer_.empty()) failure_ = WriteOut(buffer_);
  buffer_.clear();
  if (!failure_) failure_ = FinishFile();
  if (failure_) Discard();
  return failure_;
}

// Nothing of the old bytes changes before the file has room for the new ones, and a copy of
// them stays until the new ones are on the disk.
std::optional<std::string> ReplacingFile::CopyIntoPlace() {
  std::uint64_t oldSize = 0;
  std::uint64_t newSize = 0;
  if (auto failure = SizeOf(Side::kTarget, oldSize)) return failure;
  if (auto failure = SizeOf(Side::kNewBytes, newSize)) return failure;
  std::string old;
  std::string piece;
  try {
    old.resize(static_cast<std::size_t>(oldSize));
    piece.resize(static_cast<std::size_t>(std::min<std::uint64_t>(newSize, kCopyPieceBytes)));
  } catch (const std::bad_alloc&) {
    return std::generic_category().message(ENOMEM);
  } catch (const std::length_error&) {
    return std::generic_category().message(ENOMEM);
  }
  if (auto failure = ReadAt(Side::kTarget, 0, old.data(), old.size())) return failure;
  if (newSize > oldSize) {
    if (auto failure = ResizeTarget(newSize, true)) {
      (void)ResizeTarget(oldSize, false);  // a partly made room is given back
      return failure;
    }
  }

  std::optional<std::string> failure;
  for (std::uint64_t offset = 0; offset < newSize && !failure; offset += piece.size()) {
    piece.resize(static_cast<std::size_t>(std::min<std::uint64_t>(newSize - offset, piece.size())));
    failure = ReadAt(Side::kNewBytes, offset, piece.data(), piece.size());
    if (!failure) failure = WriteTargetAt(offset, piece);
  }
  if (!failure && newSize < oldSize) failure = ResizeTarget(newSize, false);
  if (!failure) failure = FlushTarget();
  if (failure) {
    // The old bytes go back where they were, into room the file has had all along.
    (void)WriteTargetAt(0, old);
    (void)ResizeTarget(oldSize, false);
    (void)FlushTarget();
  }
  return failure;
}

}  // namespace telvoran
