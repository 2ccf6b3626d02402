#include "core/rows/RowReading.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <optional>
#include <span>
#include <stdexcept>

#include "core/archive/ArchiveFile.h"
#include "core/archive/FailureReporter.h"
#include "core/platform/RecordFile.h"
#include "core/sort/SortMemory.h"
#include "core/text/StringIds.h"
#include "core/work/WorkProgress.h"

namespace telvoran {
namespace {

// A file's size promises nothing about its records (a huge file may fail at its first record):
// room is made ahead for this many rows at most, and the store grows as rows arrive.
constexpr std::uint64_t kRowsReservedAhead = 1 << 14;
// Records read in one go: enough to make the calls few, few enough for the records to be
// still in the cache when their kinds and dates are looked at.
constexpr std::size_t kRecordsReadAtOnce = 6552;  // just under 256 KiB
// Files of fewer records are sorted in memory the sort takes itself: a second thread is not
// worth its start.
constexpr std::uint64_t kPreparedFrom = std::uint64_t{1} << 17;

// The kind of the record whose bytes begin at `bytes`.
std::uint32_t KindOf(const unsigned char* bytes) {
  ArchiveRecord record;
  std::memcpy(record.bytes.data(), bytes, kRecordSize);
  return record.Kind();
}

// AppendRows(), telling `ahead` of the rows read.
ReadStop AppendRowsTelling(ArchiveFile& file, std::uint32_t kind, RowStore& rows,
                           PreparingAhead* ahead, WorkProgress* progress = nullptr) try {
  // The count when the file was opened: a hint only, as the file may grow or shrink meanwhile.
  const std::uint64_t remaining =
      file.RecordCount() > file.RecordsRead() ? file.RecordCount() - file.RecordsRead() : 0;
  rows.Reserve(static_cast<std::size_t>(std::min(remaining, kRowsReservedAhead)));
  if (progress) progress->Step(sid::kWorkReading, remaining);
  while (true) {
    if (StopAsked(progress)) return ReadStop::Cancelled;
    // Records are read straight into the store, and kept up to the first of another kind.
    const std::span<unsigned char> room = rows.RoomForRecords(kRecordsReadAtOnce);
    const std::optional<std::size_t> bytes = file.ReadRecordsInto(room);
    if (!bytes) return ReadStop::ReadError;
    if (*bytes == 0) return ReadStop::EndOfFile;
    const std::size_t read = *bytes / kRecordSize;
    std::size_t count = 0;
    while (count < read && KindOf(room.data() + count * kRecordSize) == kind) ++count;
    rows.TakeRoom(count);
    if (ahead) ahead->Reached(rows.RecordCount());
    if (progress) progress->Done(rows.RecordCount());
    // A record of another kind is read too, as every record is before its kind is looked at.
    file.TakeRecordsReadInto(room, count < read ? count + 1 : count);
    if (count < read) return ReadStop::WrongKind;
  }
} catch (const std::bad_alloc&) {
  // The store stays as it was before the growth that failed.
  return ReadStop::OutOfMemory;
} catch (const std::length_error&) {
  return ReadStop::OutOfMemory;
}

// Reads the rows and sorts them. Rows sorted by a column with a prefix are most often out of
// list order: the memory their sort works in is prepared on a second thread while the records
// are read.
ReadStop ReadRows(ArchiveFile& file, std::uint32_t kind, RowFormat format, RowStore& rows,
                  WorkProgress* progress) {
  rows = RowStore(std::move(format));
  SortMemory memory;
  ReadStop stop;
  if (rows.Format().SortColumn() != 1 && file.RecordCount() >= kPreparedFrom) {
    PreparingAhead ahead(memory);
    stop = AppendRowsTelling(file, kind, rows, &ahead, progress);
  } else {
    stop = AppendRowsTelling(file, kind, rows, nullptr, progress);
  }
  if (stop == ReadStop::Cancelled || StopAsked(progress)) return ReadStop::Cancelled;
  if (progress) progress->Step(sid::kWorkSorting, 0);
  try {
    rows.Sort(memory, progress);
  } catch (const SortCancelled&) {
    RowFormat format = rows.Format();
    rows = RowStore(std::move(format));
    return ReadStop::Cancelled;
  } catch (const std::bad_alloc&) {
    // Rows that cannot be put in order are not shown out of it.
    RowFormat format = rows.Format();
    rows = RowStore(std::move(format));
    return ReadStop::OutOfMemory;
  }
  return stop;
}

}  // namespace

ReadStop AppendRows(ArchiveFile& file, std::uint32_t kind, RowStore& rows) {
  return AppendRowsTelling(file, kind, rows, nullptr);
}

const ArchiveMessages kOpenMessages{sid::kMissingFile, sid::kEmptyFile, sid::kShortHeader};
const ArchiveMessages kReloadMessages{sid::kReloadMissingFile, sid::kReloadEmptyFile,
                                      sid::kReloadShortHeader};

ReadStop ReadIntervalRows(ArchiveFile& file, int channelCount, int sortColumn, RowStore& rows,
                          WorkProgress* progress) {
  return ReadRows(file, kIntervalKind, RowFormat::Interval(channelCount, sortColumn), rows,
                  progress);
}

ReadStop ReadEventRows(ArchiveFile& file, int sortColumn, RowStore& rows,
                       WorkProgress* progress) {
  return ReadRows(file, kEventKind, RowFormat::Event(sortColumn, file.Strings()), rows, progress);
}

void ReportReadStop(ReadStop stop, const ArchiveFile& file) {
  switch (stop) {
    case ReadStop::EndOfFile:
    case ReadStop::Cancelled:
      break;
    case ReadStop::WrongKind:
      ReportWrongKind(file.Reporter(), file.Strings());
      break;
    case ReadStop::ReadError:
      file.Reporter().ShowError(file.ErrorText());
      break;
    case ReadStop::OutOfMemory:
      file.Reporter().ShowError(platform::OutOfMemoryText());
      break;
  }
}

bool ReloadIntervalRows(ArchiveFile& file, const std::filesystem::path& path, int sortColumn,
                        const ArchiveMessages& messages, RowStore& rows) {
  rows.Clear();
  if (!file.OpenArchiveFile(path, messages.missingFile, messages.emptyFile)) return false;
  if (!file.ReadIntervalHeader(messages.shortHeader)) return false;
  const int channels = *ChannelCount(file.IntervalHeader());
  const ReadStop stop = ReadIntervalRows(file, channels, sortColumn, rows);
  ReportReadStop(stop, file);
  file.Close();
  return stop == ReadStop::EndOfFile;
}

bool ReloadEventRows(ArchiveFile& file, const std::filesystem::path& path, int sortColumn,
                     const ArchiveMessages& messages, RowStore& rows) {
  rows.Clear();
  if (!file.OpenArchiveFile(path, messages.missingFile, messages.emptyFile)) return false;
  const ReadStop stop = ReadEventRows(file, sortColumn, rows);
  ReportReadStop(stop, file);
  if (stop == ReadStop::EndOfFile) rows.RemoveDuplicateRows();
  file.Close();
  return stop == ReadStop::EndOfFile;
}

}  // namespace telvoran
