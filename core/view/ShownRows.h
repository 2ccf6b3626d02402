#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

#include "core/rows/RowFilter.h"
#include "core/rows/RowStore.h"
#include "core/work/WorkProgress.h"

namespace telvoran {

// The rows of a store that a view shows: every row, or while a filter is active the rows it
// keeps, in list order. The list, the report, the printout and any other output of a view reach
// its rows through here, so that all of them put out the same rows. Filtering reads nothing
// from the file: it looks at the records in the store.
class ShownRows {
 public:
  const RowFilter& Filter() const { return filter_; }
  bool Filtered() const { return filter_.IsActive(); }

  // Takes `filter` and selects the rows of `rows` it keeps. When it narrows the filter before
  // (more text typed, a situation more hidden), only the rows shown so far are looked at.
  void SetFilter(RowFilter filter, const RowStore& rows);
  // SetFilter() in two halves, so that the rows can be chosen on another thread while this
  // selection and the store stay as they are: Select() reads them and chooses the rows of `rows`
  // that `filter` keeps, on several threads for a big store; none once `progress` is cancelled,
  // which it sees within a few milliseconds. Take() then puts the filter and its rows in place.
  std::optional<std::vector<RowNumber>> Select(const RowFilter& filter, const RowStore& rows,
                                               const WorkProgress* progress = nullptr) const;
  void Take(RowFilter filter, std::vector<RowNumber> selected);
  // Selects again among all rows, after the store was replaced or changed its rows.
  void Reselect(const RowStore& rows);
  // After RowStore::MergeAppended() put new rows at `places` (ascending, in the merged list):
  // moves the rows shown to their new places and adds the new rows the filter keeps, without
  // looking at the others again. Returns where the view shows the new rows it keeps, ascending,
  // so that a list can take them as inserted rows.
  std::vector<RowNumber> MergeInserted(const RowStore& rows, std::span<const RowNumber> places);

  // How many rows are shown, of a store of `rows`.
  std::size_t Count(const RowStore& rows) const;
  // The store's row shown as row `shown` of the view.
  std::size_t StoreRow(std::size_t shown) const;
  // Where the view shows the store's row `storeRow`; none when it is filtered out.
  std::optional<std::size_t> ShownRowOf(std::size_t storeRow) const;
  // The shown row nearest to the store's row `storeRow`: the row itself when shown, else the
  // first shown after it, else the last shown before it; none when no row is shown.
  std::optional<std::size_t> NearestShownRow(std::size_t storeRow, const RowStore& rows) const;

 private:
  std::optional<std::vector<RowNumber>> SelectAmong(const RowFilter& filter, const RowStore& rows,
                                                    bool narrowing,
                                                    const WorkProgress* progress) const;

  RowFilter filter_;
  // The store's rows kept by an active filter, ascending.
  std::vector<RowNumber> selected_;
};

}  // namespace telvoran
