#include "tools/report/ArchiveView.h"

#include "core/archive/ArchiveFile.h"
#include "core/platform/Utf8Path.h"
#include "core/rows/EventRows.h"
#include "core/rows/IntervalRows.h"
#include "core/rows/RowReading.h"
#include "core/text/Cp1250.h"
#include "core/text/StringIds.h"
#include "core/text/StringLookup.h"

namespace telvoran {
namespace {

bool IsColumnOf(ArchiveKind kind, int column) {
  return column >= 1 && column <= ColumnCount(kind);
}

// The file name as the views hold it: Windows-1250, without its folder.
std::string FileNameOf(const std::filesystem::path& path) {
  return Utf8ToCp1250(Utf8FromPath(path.filename()));
}

ViewContent NewContent(ArchiveKind kind, const std::filesystem::path& path, int sortColumn) {
  ViewContent content;
  content.kind = kind;
  content.filePath = path;
  content.sortColumn = sortColumn;
  return content;
}

// Closes the file and says why there is no view.
ArchiveView Refuse(ArchiveFile& archive, ViewRefusal refusal) {
  archive.Close();
  return {refusal, {}};
}

// Ends the reading: on a complete reading the view gets its caption, otherwise the reason is
// reported and the rows read are dropped with the view.
ArchiveView FinishReading(ArchiveFile& archive, ReadStop stop, ViewContent content,
                          const std::string& fileName) {
  if (stop != ReadStop::EndOfFile) {
    ReportReadStop(stop, archive);
    return Refuse(archive, ViewRefusal::Reported);
  }
  archive.Close();
  content.caption = fileName;
  return {ViewRefusal::None, std::move(content)};
}

ArchiveView ReadIntervalView(ArchiveFile& archive, const std::filesystem::path& path,
                             int sortColumn, const std::string& fileName) {
  if (!IsColumnOf(ArchiveKind::Interval, sortColumn)) {
    return Refuse(archive, ViewRefusal::ColumnOutOfRange);
  }
  if (!archive.ReadIntervalHeader(sid::kShortHeader)) return {ViewRefusal::Reported, {}};

  const StringLookup& strings = archive.Strings();
  ViewContent content = NewContent(ArchiveKind::Interval, path, sortColumn);
  content.title = IntervalViewTitle(strings, fileName);
  content.columnCaptions = IntervalColumnCaptions(strings, archive.IntervalHeader());
  content.intervalHeader = archive.IntervalHeader();
  const int channel = sortColumn - 1;
  if (channel >= 1 &&
      IsAbsentChannelCaption(content.columnCaptions[static_cast<std::size_t>(channel)], channel)) {
    return Refuse(archive, ViewRefusal::AbsentChannel);
  }

  const int channels = *ChannelCount(archive.IntervalHeader());
  const ReadStop stop = ReadIntervalRows(archive, channels, sortColumn, content.rows);
  return FinishReading(archive, stop, std::move(content), fileName);
}

ArchiveView ReadEventView(ArchiveFile& archive, const std::filesystem::path& path, int sortColumn,
                          const std::string& fileName) {
  if (!IsColumnOf(ArchiveKind::Event, sortColumn)) {
    return Refuse(archive, ViewRefusal::ColumnOutOfRange);
  }
  const StringLookup& strings = archive.Strings();
  ViewContent content = NewContent(ArchiveKind::Event, path, sortColumn);
  content.columnCaptions = EventColumnCaptions(strings);
  content.title = EventViewTitle(strings, fileName);

  const ReadStop stop = ReadEventRows(archive, sortColumn, content.rows);
  if (stop == ReadStop::EndOfFile) content.rows.RemoveDuplicateRows();
  return FinishReading(archive, stop, std::move(content), fileName);
}

}  // namespace

ArchiveView ReadArchiveView(ArchiveFile& archive, const std::filesystem::path& path,
                            int sortColumn) {
  if (!archive.OpenArchiveFile(path, sid::kMissingFile, sid::kEmptyFile)) {
    return {ViewRefusal::Reported, {}};
  }
  const std::string fileName = FileNameOf(path);
  switch (ArchiveKindOfName(fileName)) {
    case ArchiveKind::Interval:
      return ReadIntervalView(archive, path, sortColumn, fileName);
    case ArchiveKind::Event:
      return ReadEventView(archive, path, sortColumn, fileName);
    case ArchiveKind::Other:
      break;
  }
  return Refuse(archive, ViewRefusal::UnsupportedKind);
}

int ColumnCount(ArchiveKind kind) {
  switch (kind) {
    case ArchiveKind::Interval:
      return kIntervalSortColumns;
    case ArchiveKind::Event:
      return kEventSortColumns;
    case ArchiveKind::Other:
      break;
  }
  return 0;
}

}  // namespace telvoran
