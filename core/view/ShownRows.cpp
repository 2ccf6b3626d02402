#include "core/view/ShownRows.h"

#include <algorithm>
#include <atomic>
#include <system_error>
#include <thread>

namespace telvoran {

namespace {

// Records looked at between two looks at whether the work was asked to stop.
constexpr std::size_t kRecordsBetweenStopChecks = 1 << 15;
// Stores below this many records are filtered on the calling thread alone.
constexpr std::size_t kRecordsForThreads = 1 << 16;
constexpr unsigned kMostThreads = 8;

// Marks in `kept` (one byte a record, by index) the records that were marked and that `filter`
// keeps, on as many threads as there are cores, each a stretch of records with a row text of
// its own. False once `progress` is cancelled.
bool KeepMarked(const RowFilter& filter, const RowStore& rows, std::vector<std::uint8_t>& kept,
                const WorkProgress* progress) {
  const RowFormat& format = rows.Format();
  std::atomic<bool> stopped{false};
  auto look = [&](std::size_t from, std::size_t to) {
    RowText text;
    for (std::size_t index = from; index < to; ++index) {
      if ((index - from) % kRecordsBetweenStopChecks == 0 &&
          (StopAsked(progress) || stopped.load(std::memory_order_relaxed))) {
        stopped = true;
        return;
      }
      if (kept[index] && !filter.Keeps(rows.Record(static_cast<RecordIndex>(index)), format, text))
        kept[index] = 0;
    }
  };
  const std::size_t count = kept.size();
  const unsigned threads =
      count < kRecordsForThreads
          ? 1
          : std::clamp(std::thread::hardware_concurrency(), 1u, kMostThreads);
  const std::size_t stretch = (count + threads - 1) / threads;
  auto stretchEnd = [&](std::size_t i) { return std::min(count, i * stretch); };
  std::vector<std::thread> helpers;
  try {
    for (unsigned i = 1; i < threads; ++i) helpers.emplace_back(look, stretchEnd(i), stretchEnd(i + 1));
  } catch (const std::system_error&) {
    // Fewer threads to be had: the calling thread looks at the stretches they would have taken.
  }
  look(0, stretchEnd(1));
  look(stretchEnd(helpers.size() + 1), count);
  for (std::thread& helper : helpers) helper.join();
  return !stopped && !StopAsked(progress);
}

}  // namespace

void ShownRows::SetFilter(RowFilter filter, const RowStore& rows) {
  std::optional<std::vector<RowNumber>> selected = Select(filter, rows);
  Take(std::move(filter), std::move(*selected));
}

std::optional<std::vector<RowNumber>> ShownRows::Select(const RowFilter& filter,
                                                        const RowStore& rows,
                                                        const WorkProgress* progress) const {
  // When the filter narrows the one before (more text typed, a situation more hidden), only the
  // rows shown so far are looked at.
  return SelectAmong(filter, rows, filter_.IsActive() && filter.Narrows(filter_), progress);
}

// Records are looked at in reading order, which keeps a stretch of them together in memory.
std::optional<std::vector<RowNumber>> ShownRows::SelectAmong(const RowFilter& filter,
                                                             const RowStore& rows, bool narrowing,
                                                             const WorkProgress* progress) const {
  if (!filter.IsActive()) return std::vector<RowNumber>{};
  std::vector<std::uint8_t> kept(rows.RecordCount(), narrowing ? 0 : 1);
  if (narrowing)
    for (const RowNumber row : selected_) kept[rows.RecordIndexAt(row)] = 1;
  if (!KeepMarked(filter, rows, kept, progress)) return std::nullopt;
  std::vector<RowNumber> selected;
  if (narrowing) {
    selected.reserve(selected_.size());
    for (const RowNumber row : selected_)
      if (kept[rows.RecordIndexAt(row)]) selected.push_back(row);
  } else {
    const std::size_t count = rows.Size();
    for (std::size_t row = 0; row < count; ++row)
      if (kept[rows.RecordIndexAt(row)]) selected.push_back(static_cast<RowNumber>(row));
  }
  return selected;
}

void ShownRows::Take(RowFilter filter, std::vector<RowNumber> selected) {
  filter_ = std::move(filter);
  selected_ = filter_.IsActive() ? std::move(selected) : std::vector<RowNumber>{};
}

void ShownRows::Reselect(const RowStore& rows) {
  if (!filter_.IsActive()) {
    selected_ = {};
    return;
  }
  selected_ = std::move(*SelectAmong(filter_, rows, false, nullptr));
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
