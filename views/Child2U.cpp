#include "views/Child2U.h"

#include <QListView>

#include "shell/MainU.h"
#include "views/EventRows.h"
#include "views/RowDelegates.h"
#include "views/RowReading.h"

namespace telvoran {
namespace {

constexpr int kPanelWidths[] = {153, 40, 40, 45, 48, 42, 241};
constexpr const char* kPanelCaptions[] = {"Data i godzina", "Cen.",  "Kan.", "Med.",
                                          "Wart.",          "Jedn.", "Stan"};

}  // namespace

TChildForm2::TChildForm2(TMainForm& main)
    : DataView(main, {ArchiveKind::Event, kEventViewKind, "ChildForm2", 25, kPanelWidths,
                      kPanelCaptions}) {
  ListBox->setItemDelegate(new EventRowDelegate(ListBox));
  resize(616, 351);
}

void TChildForm2::ReloadRows() {
  Reload([this](RowList& rows) {
    return ReloadEventRows(Main().Archive(), FilePath(), SortColumn(), kReloadMessages, rows);
  });
}

RowText TChildForm2::EventRow(const ArchiveRecord& record) const {
  return telvoran::EventRow(record, SortColumn(), Main().Strings());
}

RowText TChildForm2::SituationText(char code) const {
  return telvoran::SituationText(code, Main().Strings());
}

std::string_view TChildForm2::DisplayText(std::string_view stored) const {
  return EventDisplayText(stored, SortColumn());
}

}  // namespace telvoran
