#include "app/views/IntervalView.h"

#include <QListView>

#include "app/views/HeaderPanel.h"
#include "app/views/RowDelegates.h"
#include "core/archive/ArchiveFile.h"
#include "core/rows/IntervalRows.h"
#include "core/rows/RowReading.h"

namespace telvoran {
namespace {

constexpr int kPanelWidths[] = {161, 112, 112, 112, 112};
constexpr const char* kPanelCaptions[] = {"Data i godzina", "1", "2", "3", "4"};

}  // namespace

IntervalView::IntervalView(ArchiveFile& archive)
    : DataView(archive, {ArchiveKind::Interval, kIntervalViewKind, "ChildForm1", 33, kPanelWidths,
                         kPanelCaptions}) {
  ListBox->setItemDelegate(new IntervalRowDelegate(ListBox));
  resize(616, 320);
}

void IntervalView::SetChannelTitles(std::string_view intervalHeader) {
  const auto captions = ChannelPanelCaptions(intervalHeader);
  for (int channel = 1; channel <= 4; ++channel)
    SetPanelCaption(channel + 1, captions[static_cast<std::size_t>(channel - 1)]);
  channelCount_ = ChannelCount(intervalHeader).value_or(0);
}

bool IntervalView::ReloadRows() {
  const bool complete = Reload([this](RowList& rows) {
    return ReloadIntervalRows(Archive(), FilePath(), SortColumn(), kReloadMessages, rows);
  });
  if (complete) channelCount_ = ChannelCount(Archive().IntervalHeader()).value_or(channelCount_);
  return complete;
}

AppendedRows IntervalView::ReadAppendedRows(const ReadingEnd& since) {
  return ReadAppendedIntervalRows(Archive(), FilePath(), since, channelCount_, SortColumn());
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
