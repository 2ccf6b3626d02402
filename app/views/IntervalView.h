#pragma once

#include <string_view>

#include "app/views/DataView.h"
#include "core/archive/ArchiveRecord.h"
#include "core/sort/RowText.h"

namespace telvoran {

// The interval view: one interval archive, its date and time column and up to four channel
// columns.
class IntervalView : public DataView {
  Q_OBJECT

 public:
  // A view of `document`, whose header has been read.
  explicit IntervalView(std::unique_ptr<ArchiveDocument> document);

  RowText IntervalRow(const ArchiveRecord& record, int channelCount) const;
  std::string_view DisplayText(std::string_view stored) const;

 protected:
  // A channel the file does not have cannot become the sort column.
  bool CanSortBy(int column) const override;
};

}  // namespace telvoran
