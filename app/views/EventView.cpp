#include "app/views/EventView.h"

#include <QListView>

#include "app/views/RowDelegates.h"
#include "core/rows/EventRows.h"

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

EventView::EventView(std::unique_ptr<ArchiveDocument> document)
    : DataView(std::move(document), {ArchiveKind::Event, "ChildForm2", 25, kPanelSpans,
                         kPanelCaptions, kSituationCodes}) {
  SetRowDelegate(new EventRowDelegate(ListBox));
  resize(616, 351);
}

RowText EventView::EventRow(const ArchiveRecord& record) const {
  return telvoran::EventRow(record, SortColumn(), Document().Strings());
}

RowText EventView::SituationText(char code) const {
  return telvoran::SituationText(code, Document().Strings());
}

std::string_view EventView::DisplayText(std::string_view stored) const {
  return EventDisplayText(stored, SortColumn());
}

}  // namespace telvoran
