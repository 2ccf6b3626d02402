#include "app/views/EventView.h"

#include <QListView>

#include "app/views/RowDelegates.h"
#include "core/archive/ArchiveFile.h"
#include "core/rows/EventRows.h"
#include "core/rows/RowReading.h"

namespace telvoran {
namespace {

constexpr int kPanelWidths[] = {153, 40, 40, 45, 48, 42, 241};
constexpr const char* kPanelCaptions[] = {"Data i godzina", "Cen.",  "Kan.", "Med.",
                                          "Wart.",          "Jedn.", "Stan"};

}  // namespace

EventView::EventView(ArchiveFile& archive)
    : DataView(archive, {ArchiveKind::Event, kEventViewKind, "ChildForm2", 25, kPanelWidths,
                         kPanelCaptions}) {
  ListBox->setItemDelegate(new EventRowDelegate(ListBox));
  resize(616, 351);
}

bool EventView::ReloadRows() {
  return Reload([this](RowList& rows) {
    return ReloadEventRows(Archive(), FilePath(), SortColumn(), kReloadMessages, rows);
  });
}

AppendedRows EventView::ReadAppendedRows(const ReadingEnd& since) {
  return ReadAppendedEventRows(Archive(), FilePath(), since, SortColumn());
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
