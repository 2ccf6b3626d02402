#pragma once

#include <string_view>

#include "app/views/DataView.h"
#include "core/archive/ArchiveRecord.h"
#include "core/rows/RowText.h"

namespace telvoran {

// The event view: one event archive in seven columns, each row on the colour of its situation.
class EventView : public DataView {
  Q_OBJECT

 public:
  explicit EventView(ArchiveFile& archive);

  void ReloadRows() override;

  void Panel1Click() { SortBy(1); }
  void Panel2Click() { SortBy(2); }
  void Panel3Click() { SortBy(3); }
  void Panel4Click() { SortBy(4); }
  void Panel5Click() { SortBy(5); }
  void Panel6Click() { SortBy(6); }
  void Panel7Click() { SortBy(7); }

  RowText EventRow(const ArchiveRecord& record) const;
  RowText SituationText(char code) const;
  std::string_view DisplayText(std::string_view stored) const;
};

}  // namespace telvoran
