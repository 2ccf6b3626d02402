#include "tools/report/ArchiveView.h"

#include "core/rows/EventRows.h"
#include "core/rows/IntervalRows.h"
#include "core/view/ArchiveDocument.h"

namespace telvoran {
namespace {

bool IsColumnOf(ArchiveKind kind, int column) {
  return column >= 1 && column <= ColumnCount(kind);
}

ArchiveView Refuse(ArchiveDocument& document, ViewRefusal refusal) {
  document.File().Close();
  return {refusal, {}};
}

}  // namespace

ArchiveView ReadArchiveView(const StringLookup& strings, FailureReporter& reporter,
                            const std::filesystem::path& path, int sortColumn) {
  ArchiveDocument document(strings, reporter);
  const std::optional<ArchiveKind> kind = document.OpenFile(path, kOpenMessages);
  if (!kind) return {ViewRefusal::Reported, {}};
  if (*kind == ArchiveKind::Other) return {ViewRefusal::UnsupportedKind, {}};
  if (!IsColumnOf(*kind, sortColumn)) return Refuse(document, ViewRefusal::ColumnOutOfRange);
  if (!document.ReadHeader(kOpenMessages)) return {ViewRefusal::Reported, {}};

  // The panel of a channel the archive does not have cannot be clicked.
  const int channel = sortColumn - 1;
  if (*kind == ArchiveKind::Interval && channel >= 1 &&
      IsAbsentChannelCaption(document.Content().columnCaptions[static_cast<std::size_t>(channel)],
                             channel)) {
    return Refuse(document, ViewRefusal::AbsentChannel);
  }
  // A reading that stopped short has been told, and gives no report.
  if (document.ReadRows(sortColumn) != ArchiveDocument::Outcome::kComplete)
    return {ViewRefusal::Reported, {}};
  document.Content().caption = document.FileName();
  return {ViewRefusal::None, std::move(document.Content())};
}

ArchiveView ReadSpanView(const StringLookup& strings, FailureReporter& reporter, DaySpan span,
                         int sortColumn) {
  if (!IsColumnOf(ArchiveKind::Interval, sortColumn)) return {ViewRefusal::ColumnOutOfRange, {}};
  ArchiveDocument document(strings, reporter);
  if (!document.OpenSpan(std::move(span))) return {ViewRefusal::Reported, {}};
  const int channel = sortColumn - 1;
  if (channel >= 1 &&
      IsAbsentChannelCaption(document.Content().columnCaptions[static_cast<std::size_t>(channel)],
                             channel)) {
    return {ViewRefusal::AbsentChannel, {}};
  }
  document.ReadRows(sortColumn);
  return {ViewRefusal::None, std::move(document.Content()), document.DaysNotRead()};
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
