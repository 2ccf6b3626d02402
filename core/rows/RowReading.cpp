#include "core/rows/RowReading.h"

#include <algorithm>

#include "core/archive/ArchiveFile.h"
#include "core/archive/FailureReporter.h"
#include "core/rows/EventRows.h"
#include "core/rows/IntervalRows.h"
#include "core/text/StringIds.h"

namespace telvoran {
namespace {

// A file's size promises nothing about its records (a huge file may fail at its first record):
// room is made ahead for this many rows at most, and the list grows as rows arrive.
constexpr std::uint64_t kRowsReservedAhead = 1 << 15;

template <typename MakeRow>
ReadStop ReadRows(ArchiveFile& file, std::uint32_t kind, RowList& rows, MakeRow makeRow) {
  // The count when the file was opened: a hint only, as the file may grow or shrink meanwhile.
  const std::uint64_t remaining =
      file.RecordCount() > file.RecordsRead() ? file.RecordCount() - file.RecordsRead() : 0;
  rows.Reserve(static_cast<std::size_t>(std::min(remaining, kRowsReservedAhead)));
  ReadStop stop = ReadStop::EndOfFile;
  while (!file.AtEnd()) {
    if (!file.ReadRecord()) {
      stop = ReadStop::ReadError;
      break;
    }
    if (file.Record().Kind() != kind) {
      stop = ReadStop::WrongKind;
      break;
    }
    rows.Append(makeRow(file.Record()).Text());
  }
  rows.Sort();
  return stop;
}

}  // namespace

const ArchiveMessages kOpenMessages{sid::kMissingFile, sid::kEmptyFile, sid::kShortHeader};
const ArchiveMessages kReloadMessages{sid::kReloadMissingFile, sid::kReloadEmptyFile,
                                      sid::kReloadShortHeader};

ReadStop ReadIntervalRows(ArchiveFile& file, int channelCount, int sortColumn, RowList& rows) {
  return ReadRows(file, kIntervalKind, rows, [&](const ArchiveRecord& record) {
    return IntervalRow(record, channelCount, sortColumn);
  });
}

ReadStop ReadEventRows(ArchiveFile& file, int sortColumn, RowList& rows) {
  const StringLookup& strings = file.Strings();
  return ReadRows(file, kEventKind, rows, [&](const ArchiveRecord& record) {
    return EventRow(record, sortColumn, strings);
  });
}

void ReportReadStop(ReadStop stop, const ArchiveFile& file) {
  switch (stop) {
    case ReadStop::EndOfFile:
      break;
    case ReadStop::WrongKind:
      ReportWrongKind(file.Reporter(), file.Strings());
      break;
    case ReadStop::ReadError:
      file.Reporter().ShowError(file.ErrorText());
      break;
  }
}

bool ReloadIntervalRows(ArchiveFile& file, const std::filesystem::path& path, int sortColumn,
                        const ArchiveMessages& messages, RowList& rows) {
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
                     const ArchiveMessages& messages, RowList& rows) {
  rows.Clear();
  if (!file.OpenArchiveFile(path, messages.missingFile, messages.emptyFile)) return false;
  const ReadStop stop = ReadEventRows(file, sortColumn, rows);
  ReportReadStop(stop, file);
  if (stop == ReadStop::EndOfFile) rows.RemoveDuplicateRows();
  file.Close();
  return stop == ReadStop::EndOfFile;
}

}  // namespace telvoran
