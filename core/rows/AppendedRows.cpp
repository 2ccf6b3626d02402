#include "core/rows/AppendedRows.h"

namespace telvoran {
namespace {

// The four header records of an interval archive and at least one more.
constexpr std::uint64_t kSmallestIntervalReading = 5;

}  // namespace

AppendedRows ReadAppendedRows(ArchiveFile& file, const std::filesystem::path& path,
                              const ReadingEnd& since, std::uint32_t kind, RowStore& rows) {
  AppendedRows appended;
  appended.end = since;
  // A reading that did not get past an interval archive's header has no place to go on from.
  if (kind == kIntervalKind && since.records < kSmallestIntervalReading) {
    appended.look = FollowLook::kReadAgain;
    return appended;
  }
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
  appended.stop = AppendRows(file, kind, rows);
  file.Close();
  appended.end = file.LastReadingEnd();
  appended.look =
      appended.stop == ReadStop::EndOfFile ? FollowLook::kNewRows : FollowLook::kStopped;
  return appended;
}

}  // namespace telvoran
