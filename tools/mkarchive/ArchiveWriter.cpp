#include "tools/mkarchive/ArchiveWriter.h"

#include <cerrno>
#include <stdexcept>
#include <system_error>

#include "core/platform/Utf8Path.h"

namespace telvoran {
namespace {

constexpr std::size_t kBufferSize = 4096 * kRecordSize;

}  // namespace

ArchiveWriter::ArchiveWriter(const std::filesystem::path& path) : path_(path) {
  errno = 0;
#ifdef _WIN32
  // The wide name: a narrow one would be read in the ANSI code page.
  file_ = _wfopen(path.c_str(), L"wb");
#else
  file_ = std::fopen(path.c_str(), "wb");
#endif
  if (file_ == nullptr) ThrowSystemError(errno);
  // The buffer below does the buffering; a second one in the C library would only copy.
  std::setvbuf(file_, nullptr, _IONBF, 0);
  buffer_.reserve(kBufferSize);
}

ArchiveWriter::~ArchiveWriter() {
  if (file_ != nullptr) std::fclose(file_);
}

void ArchiveWriter::Write(const ArchiveRecord& record) {
  Append(record.bytes.data(), record.bytes.size());
}

void ArchiveWriter::Write(std::span<const ArchiveRecord> records) {
  for (const ArchiveRecord& record : records) Write(record);
}

void ArchiveWriter::WritePartial(const ArchiveRecord& record, std::size_t byteCount) {
  if (byteCount > record.bytes.size()) {
    throw std::invalid_argument("a partial record has fewer than 40 bytes");
  }
  Append(record.bytes.data(), byteCount);
}

void ArchiveWriter::Close() {
  if (file_ == nullptr) return;
  Flush();
  std::FILE* file = file_;
  file_ = nullptr;
  errno = 0;
  if (std::fclose(file) != 0) ThrowSystemError(errno);
}

void ArchiveWriter::Discard() noexcept {
  if (file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
  buffer_.clear();
  // Only a file of our own making goes; a device such as /dev/null stays.
  std::error_code ignored;
  if (std::filesystem::is_regular_file(path_, ignored)) std::filesystem::remove(path_, ignored);
}

void ArchiveWriter::Append(const unsigned char* data, std::size_t size) {
  if (file_ == nullptr) throw std::logic_error("write to a closed archive file");
  if (buffer_.size() + size > kBufferSize) Flush();
  buffer_.insert(buffer_.end(), data, data + size);
  bytesWritten_ += size;
}

void ArchiveWriter::Flush() {
  if (buffer_.empty()) return;
  errno = 0;
  const std::size_t written = std::fwrite(buffer_.data(), 1, buffer_.size(), file_);
  if (written != buffer_.size()) ThrowSystemError(errno);
  buffer_.clear();
}

void ArchiveWriter::ThrowSystemError(int error) const {
  // Some C libraries leave errno unset on a short write; EIO is then the honest description.
  throw std::system_error(error != 0 ? error : EIO, std::generic_category(),
                          "cannot write " + Utf8FromPath(path_));
}

}  // namespace telvoran
