#include "app/views/IntervalView.h"

#include <QListView>

#include "app/views/HeaderPanel.h"
#include "app/views/RowDelegates.h"
#include "core/rows/IntervalRows.h"

namespace telvoran {
namespace {

// Characters of the rows under each panel: date and time, then channels 1 to 4.
constexpr int kPanelSpans[] = {23, 16, 16, 16, 16};
constexpr const char* kPanelCaptions[] = {"Data i godzina", "1", "2", "3", "4"};

}  // namespace

IntervalView::IntervalView(std::unique_ptr<ArchiveDocument> document)
    : DataView(std::move(document), {ArchiveKind::Interval, "ChildForm1", 33, kPanelSpans,
                         kPanelCaptions}) {
  SetRowDelegate(new IntervalRowDelegate(List()));
  resize(616, 320);
}

RowText IntervalView::IntervalRow(const ArchiveRecord& record, int channelCount) const {
  return telvoran::IntervalRow(record, channelCount, SortColumn());
}

std::string_view IntervalView::DisplayText(std::string_view stored) const {
  return IntervalDisplayText(stored, SortColumn());
}

bool IntervalView::CanSortBy(int column) const {
  return column == 1 || !IsAbsentChannelCaption(Panel(column)->Caption(), column - 1);
}

}  // namespace telvoran
