#include "app/views/EventView.h"

#include <QListView>

#include "app/views/RowDelegates.h"
#include "core/archive/ArchiveFile.h"
#include "core/rows/EventRows.h"
#include "core/rows/RowReading.h"

namespace telvoran {
namespace {

// Characters of the rows under each panel: date and time, central unit, channel, medium,
// reading, unit, situation.
constexpr int kPanelSpans[] = {21, 6, 6, 6, 7, 6, 35};
constexpr const char* kPanelCaptions[] = {"Data i godzina", "Cen.",  "Kan.", "Med.",
                                          "Wart.",          "Jedn.", "Stan"};
// The situations whose rows the filter line shows or hides, in the order of their colours.
constexpr std::string_view kSituationCodes = "GLHMWOF";

}  // namespace

EventView::EventView(ArchiveFile& archive)
    : DataView(archive, {ArchiveKind::Event, kEventViewKind, "ChildForm2", 25, kPanelSpans,
                         kPanelCaptions, kSituationCodes}) {
  SetRowDelegate(new EventRowDelegate(ListBox));
  resize(616, 351);
}

bool EventView::ReloadRows() {
  return Reload([this](RowStore& rows) -> std::optional<ReadStop> {
    ArchiveFile& file = Archive();
    if (!file.OpenArchiveFile(FilePath(), kReloadMessages.missingFile, kReloadMessages.emptyFile))
      return std::nullopt;
    const ReadStop stop = ReadEventRows(file, SortColumn(), rows);
    if (stop == ReadStop::EndOfFile) rows.RemoveDuplicateRows();
    return stop;
  });
}

RowText EventView::EventRow(const ArchiveRecord& record) const {
  return telvoran::EventRow(record, SortColumn(), Archive().Strings());
}

RowText EventView::SituationText(char code) const {
  return telvoran::SituationText(code, Archive().Strings());
}

std::string_view EventView::DisplayText(std::string_view stored) const {
  return EventDisplayText(stored, SortColumn());
}

}  // namespace telvoran
