#include "views/Child1U.h"

#include <QListView>

#include "shell/MainU.h"
#include "views/HeaderPanel.h"
#include "views/IntervalRows.h"
#include "views/RowDelegates.h"
#include "views/RowReading.h"

namespace telvoran {
namespace {

constexpr int kPanelWidths[] = {161, 112, 112, 112, 112};
constexpr const char* kPanelCaptions[] = {"Data i godzina", "1", "2", "3", "4"};

}  // namespace

TChildForm1::TChildForm1(TMainForm& main)
    : DataView(main, {ArchiveKind::Interval, kIntervalViewKind, "ChildForm1", 33, kPanelWidths,
                      kPanelCaptions}) {
  ListBox->setItemDelegate(new IntervalRowDelegate(ListBox));
  resize(616, 320);
}

void TChildForm1::SetChannelTitles(std::string_view intervalHeader) {
  const auto captions = ChannelPanelCaptions(intervalHeader);
  for (int channel = 1; channel <= 4; ++channel)
    SetPanelCaption(channel + 1, captions[static_cast<std::size_t>(channel - 1)]);
}

void TChildForm1::ReloadRows() {
  Reload([this](RowList& rows) {
    return ReloadIntervalRows(Main().Archive(), FilePath(), SortColumn(), kReloadMessages, rows);
  });
}

RowText TChildForm1::IntervalRow(const ArchiveRecord& record, int channelCount) const {
  return telvoran::IntervalRow(record, channelCount, SortColumn());
}

std::string_view TChildForm1::DisplayText(std::string_view stored) const {
  return IntervalDisplayText(stored, SortColumn());
}

bool TChildForm1::CanSortBy(int column) const {
  return column == 1 || !IsAbsentChannelCaption(Panel(column)->Caption(), column - 1);
}

}  // namespace telvoran
