#include "core/archive/ArchiveFile.h"

#include <algorithm>
#include <cstring>

#include "core/archive/FailureReporter.h"

namespace telvoran {
namespace {

constexpr std::size_t kRecordsPerBlock = 1638;  // just under 64 KiB
constexpr int kHeaderRecords = 4;

bool IsHeaderKind(std::uint32_t kind) {
  return kind == kIntervalKind || kind == kEventKind;
}

}  // namespace

ArchiveFile::ArchiveFile(const StringLookup& strings, FailureReporter& reporter)
    : strings_(strings), reporter_(reporter) {}

bool ArchiveFile::OpenArchiveFile(const std::filesystem::path& path, int missingFileId,
                                  int emptyFileId) {
  Close();
  if (!platform::FileExists(path)) {
    ReportMessage(reporter_, strings_, missingFileId);
    return false;
  }
  platform::ClearReadOnly(path);
  if (auto error = file_.Open(path)) {
    reporter_.ShowError(*error);
    return false;
  }
  recordCount_ = file_.Size() / kRecordSize;
  if (recordCount_ == 0) {
    Close();
    ReportMessage(reporter_, strings_, emptyFileId);
    return false;
  }
  return true;
}

bool ArchiveFile::ReadIntervalHeader(int shortHeaderId) {
  intervalHeader_.clear();
  for (int i = 0; i < kHeaderRecords; ++i) {
    if (!ReadRecord()) {
      Close();
      reporter_.ShowError(errorText_);
      return false;
    }
    if (!IsHeaderKind(record_.Kind())) {
      ReportWrongKind(reporter_, strings_);
      Close();
      return false;
    }
    if (AtEnd()) {
      Close();
      ReportMessage(reporter_, strings_, shortHeaderId);
      return false;
    }
    intervalHeader_ += record_.RecordText();
  }
  // A header that names no channel count the views can show is not an interval archive
  // this program can read.
  if (!ChannelCount(intervalHeader_)) {
    ReportWrongKind(reporter_, strings_);
    Close();
    return false;
  }
  return true;
}

bool ArchiveFile::ReadRecord() {
  if (AtEnd() || !IsOpen()) {
    errorText_ = "Read beyond end of file";
    return false;
  }
  if (blockPosition_ >= block_.size() && !FillBlock()) return false;
  std::memcpy(record_.bytes.data(), block_.data() + blockPosition_, kRecordSize);
  blockPosition_ += kRecordSize;
  ++recordsRead_;
  return true;
}

bool ArchiveFile::FillBlock() {
  const std::uint64_t remaining = recordCount_ - recordsRead_;
  const std::size_t records =
      static_cast<std::size_t>(std::min<std::uint64_t>(remaining, kRecordsPerBlock));
  block_.resize(records * kRecordSize);
  blockPosition_ = 0;
  const auto result = file_.Read(block_.data(), block_.size());
  if (result.error) {
    errorText_ = *result.error;
    block_.clear();
    return false;
  }
  if (result.bytesRead < block_.size()) {
    // The file has shrunk since it was opened.
    errorText_ = "Read beyond end of file";
    block_.clear();
    return false;
  }
  return true;
}

void ArchiveFile::Close() {
  file_.Close();
  recordCount_ = 0;
  recordsRead_ = 0;
  block_.clear();
  blockPosition_ = 0;
}

std::optional<int> ChannelCount(std::string_view intervalHeader) {
  if (intervalHeader.size() < 2) return std::nullopt;
  const char digit = intervalHeader[1];
  if (digit < '0' || digit > '4') return std::nullopt;
  return digit - '0';
}

}  // namespace telvoran
