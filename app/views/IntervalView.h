#pragma once

#include <string_view>

#include "app/views/DataView.h"
#include "core/archive/ArchiveRecord.h"
#include "core/rows/RowText.h"

namespace telvoran {

// The interval view: one interval archive, its date and time column and up to four channel
// columns.
class IntervalView : public DataView {
  Q_OBJECT

 public:
  explicit IntervalView(ArchiveFile& archive);

  // Titles the channel panels from the header of the view's file.
  void SetChannelTitles(std::string_view intervalHeader);
  bool ReloadRows() override;

  RowText IntervalRow(const ArchiveRecord& record, int channelCount) const;
  std::string_view DisplayText(std::string_view stored) const;

 protected:
  // A channel the file does not have cannot become the sort column.
  bool CanSortBy(int column) const override;

 private:
  // The channel count of the header read last, for the rows of appended records.
};

}  // namespace telvoran
