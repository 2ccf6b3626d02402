#include "core/rows/AppendedRows.h"

namespace telvoran {
namespace {

// The four header records of an interval archive and at least one more.
constexpr std::uint64_t kSmallestIntervalReading = 5;

template <typename ReadRows>
AppendedRows ReadAppended(ArchiveFile& file, const std::filesystem::path& path,
                          const ReadingEnd& since, ReadRows readRows) {
  AppendedRows appended;
  appended.end = since;
  switch (file.ContinueAfter(path, since)) {
    case ArchiveFile::Continuation::kContinued:
      break;
    case ArchiveFile::Continuation::kNoFile:
      return appended;
    case ArchiveFile::Continuation::kChanged:
      appended.look = FollowLook::kReadAgain;
      return appended;
    case ArchiveFile::Continuation::kReadError:
      appended.look = FollowLook::kStopped;
      appended.stop = ReadStop::ReadError;
      return appended;
  }
  if (file.AtEnd()) {
    file.Close();
    return appended;
  }
  appended.stop = readRows(appended.rows);
  file.Close();
  appended.end = file.LastReadingEnd();
  appended.look =
      appended.stop == ReadStop::EndOfFile ? FollowLook::kNewRows : FollowLook::kStopped;
  return appended;
}

}  // namespace

AppendedRows ReadAppendedIntervalRows(ArchiveFile& file, const std::filesystem::path& path,
                                      const ReadingEnd& since, int channelCount, int sortColumn) {
  // A reading that did not get past the header has no place to go on from.
  if (since.records < kSmallestIntervalReading) {
    AppendedRows appended;
    appended.look = FollowLook::kReadAgain;
    appended.end = since;
    return appended;
  }
  return ReadAppended(file, path, since, [&](RowList& rows) {
    return ReadIntervalRows(file, channelCount, sortColumn, rows);
  });
}

AppendedRows ReadAppendedEventRows(ArchiveFile& file, const std::filesystem::path& path,
                                   const ReadingEnd& since, int sortColumn) {
  return ReadAppended(file, path, since,
                      [&](RowList& rows) { return ReadEventRows(file, sortColumn, rows); });
}

}  // namespace telvoran
