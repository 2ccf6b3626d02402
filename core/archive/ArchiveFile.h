#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/archive/ArchiveRecord.h"
#include "core/platform/RecordFile.h"

namespace telvoran {

class FailureReporter;
class StringLookup;

// The one archive file a command reads: opened, read record by record from the first to the
// last whole record, and closed within the command. Records land in one record buffer.
class ArchiveFile {
 public:
  ArchiveFile(const StringLookup& strings, FailureReporter& reporter);
  ArchiveFile(const ArchiveFile&) = delete;
  ArchiveFile& operator=(const ArchiveFile&) = delete;

  // Makes sure the file exists, clears its read-only attribute, opens it and makes sure it
  // holds at least one whole record. On failure it has reported why (the missing-file or
  // empty-file message, or the platform's text for an unexpected error) and nothing is open.
  bool OpenArchiveFile(const std::filesystem::path& path, int missingFileId, int emptyFileId);

  // Reads the four header records of an interval archive into IntervalHeader(). On success at
  // least one record follows and the header names 0 to 4 channels. On failure it has reported
  // why and closed the file.
  bool ReadIntervalHeader(int shortHeaderId);

  // Reads the next record into Record(). False on a read error, whose text is in ErrorText();
  // nothing is reported and the file stays open.
  bool ReadRecord();
  bool AtEnd() const { return recordsRead_ >= recordCount_; }
  void Close();
  bool IsOpen() const { return file_.IsOpen(); }

  const StringLookup& Strings() const { return strings_; }
  FailureReporter& Reporter() const { return reporter_; }
  const ArchiveRecord& Record() const { return record_; }
  const std::string& IntervalHeader() const { return intervalHeader_; }
  // The number of whole records; a shorter piece at the end of the file is never read.
  std::uint64_t RecordCount() const { return recordCount_; }
  std::uint64_t RecordsRead() const { return recordsRead_; }
  const std::string& ErrorText() const { return errorText_; }

 private:
  bool FillBlock();

  const StringLookup& strings_;
  FailureReporter& reporter_;
  platform::RecordFile file_;
  std::uint64_t recordCount_ = 0;
  std::uint64_t recordsRead_ = 0;
  ArchiveRecord record_;
  std::string intervalHeader_;
  std::string errorText_;
  // Records are fetched from the disk a block at a time and handed out one by one.
  std::vector<unsigned char> block_;
  std::size_t blockPosition_ = 0;
};

// The number of measuring channels named at position 2 of an interval header, when it is a
// digit from 0 to 4.
std::optional<int> ChannelCount(std::string_view intervalHeader);

}  // namespace telvoran
