#include "core/archive/ArchiveFile.h"

#include <algorithm>
#include <cstring>

#include "core/archive/FailureReporter.h"
#include "core/text/StringIds.h"

namespace telvoran {
namespace {

constexpr std::size_t kRecordsPerBlock = 1638;  // just under 64 KiB
constexpr std::size_t kBlockBytes = kRecordsPerBlock * kRecordSize;
constexpr int kHeaderRecords = 4;
constexpr const char* kReadPastEnd = "Read beyond end of file";

bool IsHeaderKind(std::uint32_t kind) {
  return kind == kIntervalKind || kind == kEventKind;
}

}  // namespace

ArchiveFile::ArchiveFile(const StringLookup& strings, FailureReporter& reporter)
    : strings_(strings), reporter_(reporter) {}

bool ArchiveFile::OpenArchiveFile(const std::filesystem::path& path, int missingFileId,
                                  int emptyFileId) {
  Close();
  switch (platform::KindOfFile(path)) {
    case platform::FileKind::kMissing:
      ReportMessage(reporter_, strings_, missingFileId);
      return false;
    case platform::FileKind::kNotAFile:
      ReportError(reporter_, strings_, sid::kNotAFile);
      return false;
    case platform::FileKind::kRegularFile:
      break;
  }
  if (auto failure = file_.Open(path)) {
    if (failure->notAFile) {
      ReportError(reporter_, strings_, sid::kNotAFile);
    } else {
      reporter_.ShowError(failure->platformText);
    }
    return false;
  }
  if (file_.SizeWhenOpened() < kRecordSize) {
    Close();
    ReportMessage(reporter_, strings_, emptyFileId);
    return false;
  }
  return true;
}

bool ArchiveFile::ReadIntervalHeader(int shortHeaderId) {
  intervalHeader_.clear();
  for (int i = 0; i < kHeaderRecords; ++i) {
    // Only a file cut since it was opened can end before its first record.
    if (AtEnd()) {
      Close();
      ReportMessage(reporter_, strings_, shortHeaderId);
      return false;
    }
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
  if (blockPosition_ >= blockSize_) {
    switch (FillBlock()) {
      case Fill::kFilled:
        break;
      case Fill::kEnd:
        errorText_ = kReadPastEnd;
        return false;
      case Fill::kError:
        return false;
    }
  }
  std::memcpy(record_.bytes.data(), block_.get() + blockPosition_, kRecordSize);
  blockPosition_ += kRecordSize;
  ++recordsRead_;
  return true;
}

std::optional<std::size_t> ArchiveFile::ReadRecordsInto(std::span<unsigned char> room) {
  const std::size_t wanted = room.size() / kRecordSize * kRecordSize;
  if (blockPosition_ < blockSize_) {
    // Records fetched before are handed out alone, so that an error of the next read cannot
    // take them along. The block is emptied: what the caller does not take is read again.
    const std::size_t fetched = std::min(blockSize_ - blockPosition_, wanted);
    std::memcpy(room.data(), block_.get() + blockPosition_, fetched);
    blockSize_ = 0;
    blockPosition_ = 0;
    return fetched;
  }
  if (!IsOpen()) return 0;
  const auto result = file_.ReadAt(recordsRead_ * kRecordSize, room.data(), wanted);
  if (result.error) {
    errorText_ = *result.error;
    return std::nullopt;
  }
  // A piece of a record at the end is left for a later reading, as FillBlock() leaves it.
  return result.bytesRead / kRecordSize * kRecordSize;
}

void ArchiveFile::TakeRecordsReadInto(std::span<const unsigned char> records, std::size_t count) {
  if (count == 0) return;
  std::memcpy(record_.bytes.data(), records.data() + (count - 1) * kRecordSize, kRecordSize);
  recordsRead_ += count;
}

bool ArchiveFile::AtEnd() {
  if (blockPosition_ < blockSize_) return false;
  return FillBlock() == Fill::kEnd;
}

// Fetches the whole records that follow the last one read, up to a block of them, from wherever
// the file ends now. A piece of a record at the end is left for a later reading, when the writer
// may have completed it.
ArchiveFile::Fill ArchiveFile::FillBlock() {
  blockSize_ = 0;
  blockPosition_ = 0;
  if (!IsOpen()) return Fill::kEnd;
  if (!block_) block_ = std::make_unique_for_overwrite<unsigned char[]>(kBlockBytes);
  const auto result = file_.ReadAt(recordsRead_ * kRecordSize, block_.get(), kBlockBytes);
  if (result.error) {
    errorText_ = *result.error;
    return Fill::kError;
  }
  blockSize_ = result.bytesRead / kRecordSize * kRecordSize;
  return blockSize_ == 0 ? Fill::kEnd : Fill::kFilled;
}

ArchiveFile::Continuation ArchiveFile::ContinueAfter(const std::filesystem::path& path,
                                                     const ReadingEnd& end) {
  Close();
  if (platform::KindOfFile(path) != platform::FileKind::kRegularFile) return Continuation::kNoFile;
  if (auto failure = file_.Open(path)) {
    if (failure->notAFile) return Continuation::kNoFile;
    errorText_ = failure->platformText;
    return Continuation::kReadError;
  }
  if (file_.Identity() != end.file) {
    Close();
    return Continuation::kChanged;
  }
  if (end.records == 0) return Continuation::kContinued;
  // The last record read must still be where it was: a file cut below it, or written anew
  // from the start, holds other records before the point where reading would go on.
  recordsRead_ = end.records - 1;
  if (AtEnd()) {
    Close();
    return Continuation::kChanged;
  }
  if (!ReadRecord()) {
    Close();
    return Continuation::kReadError;
  }
  if (record_.bytes != end.lastRecord.bytes) {
    Close();
    return Continuation::kChanged;
  }
  return Continuation::kContinued;
}

void ArchiveFile::Close() {
  if (file_.IsOpen()) lastEnd_ = {recordsRead_, record_, file_.Identity()};
  file_.Close();
  recordsRead_ = 0;
  blockSize_ = 0;
  blockPosition_ = 0;
}

std::optional<int> ChannelCount(std::string_view intervalHeader) {
  if (intervalHeader.size() <= interval_header::kChannelCountDigit) return std::nullopt;
  const char digit = intervalHeader[interval_header::kChannelCountDigit];
  if (digit < '0' || digit > '4') return std::nullopt;
  return digit - '0';
}

namespace {

// Characters [offset, offset + width) of `text`, cut at its end, without padding spaces.
std::string HeaderField(std::string_view text, std::size_t offset, std::size_t width) {
  if (offset >= text.size()) return {};
  std::string_view field = text.substr(offset, width);
  while (!field.empty() && field.back() == ' ') field.remove_suffix(1);
  while (!field.empty() && field.front() == ' ') field.remove_prefix(1);
  return std::string(field);
}

}  // namespace

std::vector<ChannelName> ChannelNames(std::string_view intervalHeader) {
  std::vector<ChannelName> channels;
  const int count = ChannelCount(intervalHeader).value_or(0);
  for (std::size_t k = 1; k <= static_cast<std::size_t>(count); ++k) {
    channels.push_back({HeaderField(intervalHeader, interval_header::NameOffset(k), kLabelWidth),
                        HeaderField(intervalHeader, interval_header::UnitOffset(k), kLabelWidth)});
  }
  return channels;
}

}  // namespace telvoran
