#include "core/view/ShownRows.h"

#include <algorithm>

namespace telvoran {

void ShownRows::SetFilter(RowFilter filter, const RowStore& rows) {
  const bool narrowing = filter_.IsActive() && filter.Narrows(filter_);
  filter_ = std::move(filter);
  if (!filter_.IsActive()) {
    selected_ = {};
    return;
  }
  if (!narrowing) {
    Reselect(rows);
    return;
  }
  // The records of the rows shown are looked at in reading order, as SelectRows() does.
  std::vector<std::uint8_t> kept(rows.RecordCount());
  for (const RowNumber row : selected_) kept[rows.RecordIndexAt(row)] = 1;
  RowText text;
  const RowFormat& format = rows.Format();
  for (std::size_t index = 0; index < kept.size(); ++index) {
    if (kept[index] && !filter_.Keeps(rows.Record(static_cast<RecordIndex>(index)), format, text))
      kept[index] = 0;
  }
  std::erase_if(selected_, [&](RowNumber row) { return !kept[rows.RecordIndexAt(row)]; });
}

void ShownRows::Reselect(const RowStore& rows) {
  if (!filter_.IsActive()) {
    selected_ = {};
    return;
  }
  RowText text;
  const RowFormat& format = rows.Format();
  selected_ = SelectRows(
      rows, [&](const ArchiveRecord& record) { return filter_.Keeps(record, format, text); });
}

std::vector<RowNumber> ShownRows::MergeInserted(const RowStore& rows,
                                                std::span<const RowNumber> places) {
  if (!filter_.IsActive()) return {places.begin(), places.end()};
  std::vector<RowNumber> shownPlaces;
  if (places.empty()) return shownPlaces;
  RowText text;
  const RowFormat& format = rows.Format();
  std::vector<RowNumber> merged;
  merged.reserve(selected_.size() + places.size());
  // New row i stands in front of the old row places[i] - i; an old row moves down by the
  // number of new rows in front of it.
  auto keepNew = [&](RowNumber place) {
    if (!filter_.Keeps(rows.RecordAt(place), format, text)) return;
    shownPlaces.push_back(static_cast<RowNumber>(merged.size()));
    merged.push_back(place);
  };
  std::size_t next = 0;
  for (const RowNumber old : selected_) {
    while (next < places.size() && places[next] - next <= old) {
      keepNew(places[next]);
      ++next;
    }
    merged.push_back(static_cast<RowNumber>(old + next));
  }
  for (; next < places.size(); ++next) keepNew(places[next]);
  selected_ = std::move(merged);
  return shownPlaces;
}

std::size_t ShownRows::Count(const RowStore& rows) const {
  return filter_.IsActive() ? selected_.size() : rows.Size();
}

std::size_t ShownRows::StoreRow(std::size_t shown) const {
  return filter_.IsActive() ? selected_[shown] : shown;
}

std::optional<std::size_t> ShownRows::ShownRowOf(std::size_t storeRow) const {
  if (!filter_.IsActive()) return storeRow;
  const auto found = std::lower_bound(selected_.begin(), selected_.end(), storeRow);
  if (found == selected_.end() || *found != storeRow) return std::nullopt;
  return static_cast<std::size_t>(found - selected_.begin());
}

std::optional<std::size_t> ShownRows::NearestShownRow(std::size_t storeRow,
                                                      const RowStore& rows) const {
  const std::size_t count = Count(rows);
  if (count == 0) return std::nullopt;
  if (!filter_.IsActive()) return std::min(storeRow, count - 1);
  const auto after = std::lower_bound(selected_.begin(), selected_.end(), storeRow);
  return std::min(static_cast<std::size_t>(after - selected_.begin()), count - 1);
}

}  // namespace telvoran
