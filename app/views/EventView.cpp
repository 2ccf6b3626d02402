#include "app/views/EventView.h"

#include <QListView>

#include "app/views/RowDelegates.h"
#include "core/rows/EventRows.h"

namespace telvoran {
namespace {

constexpr auto kPanelSpans = [] {
  std::array<int, kEventColumns.size()> spans{};
  for (std::size_t i = 0; i < spans.size(); ++i) spans[i] = kEventColumns[i].panelSpan;
  return spans;
}();
constexpr auto kPanelCaptions = [] {
  std::array<const char*, kEventColumns.size()> captions{};
  for (std::size_t i = 0; i < captions.size(); ++i) captions[i] = kEventColumns[i].builtInCaption;
  return captions;
}();
// The situations whose rows the filter line shows or hides, in the order of their colours.
constexpr std::string_view kSituationCodes = "GLHMWOF";

}  // namespace

EventView::EventView(std::unique_ptr<ArchiveDocument> document)
    : DataView(std::move(document), {ArchiveKind::Event, "ChildForm2", 25, kPanelSpans,
                         kPanelCaptions, kSituationCodes}) {
  SetRowDelegate(new EventRowDelegate(List()));
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
