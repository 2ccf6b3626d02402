#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/archive/ArchiveRecord.h"
#include "core/platform/RecordFile.h"

namespace telvoran {

class FailureReporter;
class StringLookup;

// Where a reading of an archive stopped: enough to read later only what has been appended.
struct ReadingEnd {
  std::uint64_t records = 0;  // whole records read, from the first record of the file on
  ArchiveRecord lastRecord;   // the last of them, to tell an appended file from a rewritten one
  platform::FileIdentity file;
};

// The one archive file a command reads: opened, read record by record from the first whole
// record to the file's current end, and closed within the command. Records land in one record
// buffer. The file is only ever read.
class ArchiveFile {
 public:
  ArchiveFile(const StringLookup& strings, FailureReporter& reporter);
  ArchiveFile(const ArchiveFile&) = delete;
  ArchiveFile& operator=(const ArchiveFile&) = delete;

  // Makes sure the file exists and is a regular file, opens it and makes sure it holds at least
  // one whole record. On failure it has reported why (the missing-file or empty-file message,
  // the not-a-file message, or the platform's text for an unexpected error) and nothing is open.
  bool OpenArchiveFile(const std::filesystem::path& path, int missingFileId, int emptyFileId);

  // Reads the four header records of an interval archive into IntervalHeader(). On success at
  // least one record follows and the header names 0 to 4 channels. On failure it has reported
  // why and closed the file.
  bool ReadIntervalHeader(int shortHeaderId);

  // Reads the next record into Record(). False on a read error, whose text is in ErrorText(),
  // or past the end; nothing is reported and the file stays open.
  bool ReadRecord();
  // Reads the whole records that follow the last one read straight into `room`, as many as fit
  // and the file holds now, for a caller that keeps them itself: they are not copied out of a
  // block. Records fetched into the block before are handed out first, in a call of their own.
  // None counts as read until TakeRecordsReadInto(). Returns the bytes of whole records put
  // into `room`, 0 at the end, or nothing on a read error, whose text is in ErrorText();
  // nothing is reported.
  std::optional<std::size_t> ReadRecordsInto(std::span<unsigned char> room);
  // Counts the first `count` records of `records`, which ReadRecordsInto() put there, as read,
  // as ReadRecord() would: the last of them becomes Record().
  void TakeRecordsReadInto(std::span<const unsigned char> records, std::size_t count);
  // Whether the file's current end has been reached: no whole record follows the last one read.
  // A file that grows while it is read is read to its new end; one that shrinks ends early.
  bool AtEnd();
  void Close();
  bool IsOpen() const { return file_.IsOpen(); }

  // What came of looking at a file again after an earlier reading ended.
  enum class Continuation {
    kContinued,  // open, positioned after the records read before; more may follow
    kNoFile,     // nothing to read under the name now (missing, or not a file); nothing open
    kChanged,    // shrunk, replaced or rewritten: only a reading from the start shows it
    kReadError,  // the platform's text is in ErrorText(); nothing open
  };
  // Opens the file at `path` again to read what has been appended since the reading that ended
  // at `end`. Reports nothing.
  Continuation ContinueAfter(const std::filesystem::path& path, const ReadingEnd& end);

  const StringLookup& Strings() const { return strings_; }
  FailureReporter& Reporter() const { return reporter_; }
  const ArchiveRecord& Record() const { return record_; }
  const std::string& IntervalHeader() const { return intervalHeader_; }
  // The number of whole records when the file was opened; a growing file holds more by the end.
  std::uint64_t RecordCount() const { return file_.SizeWhenOpened() / kRecordSize; }
  std::uint64_t RecordsRead() const { return recordsRead_; }
  // Where the last reading ended, kept when the file is closed until another one is opened.
  const ReadingEnd& LastReadingEnd() const { return lastEnd_; }
  const std::string& ErrorText() const { return errorText_; }

 private:
  enum class Fill { kFilled, kEnd, kError };
  Fill FillBlock();
  bool ReportIfNotAFile(const std::filesystem::path& path, int missingFileId);

  const StringLookup& strings_;
  FailureReporter& reporter_;
  platform::RecordFile file_;
  std::uint64_t recordsRead_ = 0;
  ArchiveRecord record_;
  std::string intervalHeader_;
  std::string errorText_;
  ReadingEnd lastEnd_;
  // Records are fetched from the disk a block at a time and handed out one by one.
  std::unique_ptr<unsigned char[]> block_;
  std::size_t blockSize_ = 0;  // bytes of whole records in the block
  std::size_t blockPosition_ = 0;
};

// The number of measuring channels named at position 2 of an interval header, when it is a
// digit from 0 to 4.
std::optional<int> ChannelCount(std::string_view intervalHeader);

// A measuring channel as an interval header names it: its four-character name and unit
// (Windows-1250), without the spaces that pad them.
struct ChannelName {
  std::string name;
  std::string unit;
};

// The channels an interval header names, channel 1 first: as many as its channel count, none
// when the header names no count.
std::vector<ChannelName> ChannelNames(std::string_view intervalHeader);

}  // namespace telvoran
