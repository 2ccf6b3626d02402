#pragma once

#include <string_view>

#include "app/views/DataView.h"
#include "core/archive/ArchiveRecord.h"
#include "core/sort/RowText.h"

namespace telvoran {

// The event view: one event archive in seven columns, each row on the colour of its situation.
class EventView : public DataView {
  Q_OBJECT

 public:
  explicit EventView(std::unique_ptr<ArchiveDocument> document);

  RowText EventRow(const ArchiveRecord& record) const;
  RowText SituationText(char code) const;
  std::string_view DisplayText(std::string_view stored) const;
};

}  // namespace telvoran
