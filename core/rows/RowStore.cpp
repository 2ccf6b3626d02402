#include "core/rows/RowStore.h"

#include <algorithm>
#include <numeric>
#include <cstring>
#include <limits>
#include <stdexcept>

#include "core/sort/Collation.h"
#include "core/sort/SortMemory.h"

namespace telvoran {

// The sort's view of the store: texts made with the store's format.
class RowStore::Source final : public SortSource {
 public:
  explicit Source(const RowStore& store) : store_(store) {}

  void StoredText(RecordIndex index, RowText& text) const override {
    store_.format_.StoredText(store_.records_[index], text);
  }
  Head StoredHead(RecordIndex index, std::size_t length, RowText& text) const override {
    return store_.format_.StoredHead(store_.records_[index], length, text) ? Head::kBeginning
                                                                           : Head::kWholeText;
  }
  int QuickHead(RecordIndex index, std::size_t length, char* out) const override {
    return store_.format_.QuickHead(store_.records_[index], length, out);
  }
  int PrefixSlot(RecordIndex index) const override {
    return store_.format_.PrefixSlot(store_.records_[index]);
  }
  bool SameDateTime(RecordIndex a, RecordIndex b) const override {
    // While no date fell, a record shares its date with one read before it exactly when the
    // records after that one, up to it, all repeat the date before them; the marks tell that
    // without reaching into the records, which a sorted list visits in no order.
    if (a < b && store_.allDates_.NeverFell()) {
      if (const auto allRepeat = store_.repeatedDates_.AllMarked(a + 1, b)) return *allRepeat;
    }
    const std::size_t at = store_.format_.DateTimeByte();
    return std::memcmp(store_.records_[a].bytes.data() + at, store_.records_[b].bytes.data() + at,
                       6) == 0;
  }
  const RepeatedDates* DateRepeats() const override { return &store_.repeatedDates_; }
  bool WithoutPrefixes() const override { return store_.format_.SortColumn() == 1; }
  std::size_t WidestPrefix() const override { return store_.format_.WidestPrefix(); }
  // Texts are built from the records and the format alone, neither of which changes meanwhile.
  bool FromAnyThread() const override { return true; }
  // Texts are built from the records' bytes and the format alone.
  RecordBytes RecordsInMemory() const override {
    return {reinterpret_cast<const unsigned char*>(store_.records_.Data()), kRecordSize,
            store_.format_.DateTimeByte()};
  }

 private:
  const RowStore& store_;
};

void RowStore::Clear() {
  *this = RowStore(std::move(format_));
}

void RowStore::Reserve(std::size_t records) {
  records_.Reserve(records_.Size() + records);
}

void RowStore::Append(const ArchiveRecord& record) {
  if (records_.Size() >= std::numeric_limits<RecordIndex>::max())
    throw std::length_error("too many records for one view");
  records_.PushBack(record);
  NoteDateTime(record);
}

void RowStore::NoteDateTime(const ArchiveRecord& record) {
  const auto moment = DateTimeOrder::MomentOf(record.bytes.data() + format_.DateTimeByte());
  repeatedDates_.Push(allDates_.Note(moment));
  appendedDates_.Note(moment);
}

// NoteDateTime() for records [from, to), with what is known of the dates kept in locals while
// the loop runs: this runs for every record read.
void RowStore::NoteDateTimes(std::size_t from, std::size_t to) {
  if (from >= to) return;
  const unsigned char* dateTime = records_[from].bytes.data() + format_.DateTimeByte();
  DateTimeOrder all = allDates_;
  DateTimeOrder appended = appendedDates_;
  repeatedDates_.PushAll(to - from, [&](std::size_t i) {
    const auto moment = DateTimeOrder::MomentOf(dateTime + i * kRecordSize);
    appended.Note(moment);
    return all.Note(moment);
  });
  allDates_ = all;
  appendedDates_ = appended;
}

static_assert(sizeof(ArchiveRecord) == kRecordSize);

std::span<unsigned char> RowStore::RoomForRecords(std::size_t records) {
  const std::size_t first = records_.Size();
  if (records > std::numeric_limits<RecordIndex>::max() - first)
    throw std::length_error("too many records for one view");
  if (first + records > records_.Capacity())
    records_.Reserve(std::max(first + records, 2 * records_.Capacity()));
  records_.PrepareUpTo(first + records);
  return {reinterpret_cast<unsigned char*>(records_.Data() + first), records * kRecordSize};
}

void RowStore::TakeRoom(std::size_t count) {
  const std::size_t first = records_.Size();
  records_.Resize(first + count);
  NoteDateTimes(first, first + count);
}

void RowStore::Sort() {
  SortMemory none;
  Sort(none);
}

void RowStore::Sort(SortMemory& memory, const WorkProgress* progress) {
  records_.ShrinkToFit();
  order_.Clear();
  inserted_ = {};
  TakeOrder(SortByCollation(Source(*this), 0, records_.Size(), allDates_, &memory, progress),
            records_.Size());
  duplicatesRemoved_ = false;
}

void RowStore::TakeOrder(CollationOrder order, std::size_t rows) {
  inReadingOrder_ = order.readingOrder;
  order_ = std::move(order.indices);
  inserted_ = {};
  neighbours_ = std::move(order.neighbours);
  ordered_ = rows;
  recordsOrdered_ = records_.Size();
  appendedDates_ = DateTimeOrder();
}

RecordIndex RowStore::RecordIndexAt(std::size_t row) const {
  if (row >= ordered_) return static_cast<RecordIndex>(recordsOrdered_ + (row - ordered_));
  if (inReadingOrder_) return static_cast<RecordIndex>(row);
  if (inserted_.empty()) return order_[row];
  const auto at = std::lower_bound(inserted_.begin(), inserted_.end(), row,
                                   [](const InsertedRow& r, std::size_t n) { return r.row < n; });
  if (at != inserted_.end() && at->row == row) return at->record;
  return order_[row - static_cast<std::size_t>(at - inserted_.begin())];
}

std::string RowStore::operator[](std::size_t row) const {
  RowText text;
  format_.StoredText(RecordAt(row), text);
  return std::string(text.Text());
}

std::size_t RowStore::WidestDisplayText() const {
  const std::span<const ArchiveRecord> added(records_.begin() + widthMeasured_,
                                             records_.Size() - widthMeasured_);
  widest_ = std::max(widest_, format_.WidestDisplayWidth(added));
  widthMeasured_ = records_.Size();
  return widest_;
}

void RowStore::FetchAhead(std::size_t row) const {
#if defined(__GNUC__) || defined(__clang__)
  if (row >= Size()) return;
  const auto* record = reinterpret_cast<const char*>(&RecordAt(row));
  // A record may lie across two cache lines.
  __builtin_prefetch(record);
  __builtin_prefetch(record + sizeof(ArchiveRecord) - 1);
#else
  (void)row;
#endif
}

// Two stored texts of one format that are equal have equal lengths, hence prefixes of equal
// length and equal rows, which begin with the date and time: when every date is in range, rows of
// different dates differ, and when the dates rose strictly no two rows are equal.
bool RowStore::CannotBeEqual(RecordIndex a, RecordIndex b, const DateTimeOrder& dates) const {
  if (!dates.AllInRange()) return false;
  if (dates.RoseStrictly()) return true;
  return !Source(*this).SameDateTime(a, b);
}

bool RowStore::SameText(RecordIndex a, RecordIndex b) const {
  if (const auto equal = format_.StoredTextsEqual(records_[a], records_[b])) return *equal;
  RowText first;
  RowText second;
  format_.StoredText(records_[a], first);
  format_.StoredText(records_[b], second);
  return first.Text() == second.Text();
}

// The records whose text equals that of a record read before them, ascending; nothing when
// they cannot be found quickly. With every date in range and none falling, records of equal
// texts, which have equal dates, stand within one run of equal dates in reading order: the
// records are looked at as they lie in memory, each against the few before it of its date. A
// long run of one date is not searched.
std::optional<std::vector<RecordIndex>> RowStore::RepeatedRecords() const {
  if (!allDates_.AllInRange() || !allDates_.NeverFell()) return std::nullopt;
  std::vector<RecordIndex> repeated;
  if (allDates_.RoseStrictly()) return repeated;
  constexpr std::size_t kLongestRunSearched = 16;
  bool searched = true;
  repeatedDates_.ForEachMarked([&](std::size_t record) {
    if (!searched) return;
    // The run of the record's date begins at the last record before it that is not marked.
    std::size_t runStart = record - 1;
    while (runStart > 0 && repeatedDates_.SameAsBefore(runStart) &&
           record - runStart < kLongestRunSearched)
      --runStart;
    if (record - runStart >= kLongestRunSearched) {
      searched = false;
      return;
    }
    const auto index = static_cast<RecordIndex>(record);
    for (std::size_t earlier = runStart; earlier < record; ++earlier) {
      if (SameText(static_cast<RecordIndex>(earlier), index)) {
        repeated.push_back(index);
        return;
      }
    }
  });
  if (!searched) return std::nullopt;
  return repeated;
}

// Takes the rows of the `repeated` records (ascending) out of the list. In a sorted list equal
// texts stand side by side in reading order, so this keeps the first row of each text.
void RowStore::DropRows(const std::vector<RecordIndex>& repeated) {
  neighbours_ = {};
  std::vector<bool> dropped(records_.Size());
  for (const RecordIndex record : repeated) dropped[record] = true;
  if (inReadingOrder_) {
    order_.Resize(ordered_);
    for (std::size_t i = 0; i < ordered_; ++i) order_[i] = static_cast<RecordIndex>(i);
    inReadingOrder_ = false;
  }
  std::size_t kept = 0;
  for (std::size_t row = 0; row < ordered_; ++row)
    if (!dropped[order_[row]]) order_[kept++] = order_[row];
  ordered_ = kept;
  order_.Resize(kept);
  order_.ShrinkToFit();
}

namespace {

// Asks for the cache line of `value` ahead of a loop that reaches it a few steps later.
void FetchAheadOf(const void* value) {
#if defined(__GNUC__) || defined(__clang__)
  __builtin_prefetch(value);
#else
  (void)value;
#endif
}

}  // namespace

// A number for each record, by index, that is equal for equal dates and times and most often
// differs for different ones; none where rows of different dates may have equal texts, or where
// the rows are too few for it to pay.
LargeArray<std::uint32_t> RowStore::DateKeys() const {
  LargeArray<std::uint32_t> keys;
  constexpr std::size_t kFewestRows = 4096;
  if (!allDates_.AllInRange() || inReadingOrder_ || records_.Size() < kFewestRows) return keys;
  keys.Resize(records_.Size());
  const std::size_t at = format_.DateTimeByte();
  for (std::size_t i = 0; i < records_.Size(); ++i) {
    const std::uint64_t moment = DateTimeOrder::MomentOf(records_[i].bytes.data() + at).date;
    // The 48 bits of the date, mixed so that their high half depends on all of them.
    keys[i] = static_cast<std::uint32_t>((moment * 0x9E3779B97F4A7C15u) >> 32);
  }
  return keys;
}

// Writes `record` as the row at `row` of a list from which rows have been dropped.
void RowStore::KeepRow(std::size_t row, RecordIndex record) {
  if (inReadingOrder_) {
    // The first row dropped: from here on the order must be written out.
    order_.Resize(ordered_);
    for (std::size_t i = 0; i < ordered_; ++i) order_[i] = static_cast<RecordIndex>(i);
    inReadingOrder_ = false;
  }
  order_[row] = record;
}

void RowStore::RemoveDuplicateRows() {
  if (AppendedCount() > 0) MergeAppended();
  // The ways below write the order in place.
  SettleInserted();
  duplicatesRemoved_ = true;
  if (ordered_ <= 1) return;
  // Each record read has its row in the list unless it was dropped before as a duplicate: then
  // the records repeated are not all rows to drop.
  if (ordered_ == records_.Size()) {
    if (const auto repeated = RepeatedRecords()) {
      neighbours_ = {};
      if (!repeated->empty()) DropRows(*repeated);
      return;
    }
    if (!inReadingOrder_ && neighbours_.Cover(ordered_)) return DropMarkedRepeats();
  }
  // Rows out of reading order reach their records in no order, and most rows differ from the
  // row before them in their dates: a small number for each record's date, made in one pass
  // over the records as they lie, tells most rows apart without reaching into their records.
  neighbours_ = {};
  const LargeArray<std::uint32_t> dateKeys = DateKeys();
  std::size_t kept = 1;
  for (std::size_t row = 1; row < ordered_; ++row) {
    const RecordIndex record = RecordIndexAt(row);
    const RecordIndex comparison = RecordIndexAt(kept - 1);
    if (!dateKeys.Empty()) {
      // The numbers too are reached in no order: each is asked for ahead, and once it is at
      // hand, the records of two neighbours of equal numbers, which will be compared.
      if (row + 32 < ordered_) FetchAheadOf(&dateKeys[RecordIndexAt(row + 32)]);
      if (row + 16 < ordered_ &&
          dateKeys[RecordIndexAt(row + 16)] == dateKeys[RecordIndexAt(row + 15)]) {
        FetchAhead(row + 15);
        FetchAhead(row + 16);
      }
      if (dateKeys[record] != dateKeys[comparison]) {
        if (kept != row) KeepRow(kept, record);
        ++kept;
        continue;
      }
    } else {
      // Without the numbers, the records are asked for ahead.
      FetchAhead(row + 16);
    }
    if (!CannotBeEqual(comparison, record, allDates_) && SameText(comparison, record)) continue;
    if (kept != row) KeepRow(kept, record);
    ++kept;
  }
  ordered_ = kept;
  if (!inReadingOrder_) {
    order_.Resize(kept);
    order_.ShrinkToFit();
  }
}

// Drops the rows whose texts equal the row's before them, in the list as the sort left it: the
// rows its marks tell apart from their neighbours or equal to them are kept or dropped without
// a look at their records, which a sorted list reaches in no order.
void RowStore::DropMarkedRepeats() {
  const NeighbourMarks marks = std::move(neighbours_);
  neighbours_ = {};
  auto unknown = [&](std::size_t row) { return !marks.Differs(row) && !marks.Equal(row); };
  constexpr std::size_t kAhead = 16;
  std::size_t kept = 1;
  for (std::size_t row = 1; row < ordered_; ++row) {
    const RecordIndex record = order_[row];
    if (!marks.Differs(row)) {
      // A row dropped before this one had the text of the row kept last.
      if (row + kAhead < ordered_ && unknown(row + kAhead)) {
        FetchAhead(row + kAhead - 1);
        FetchAhead(row + kAhead);
      }
      if (marks.Equal(row) || SameText(order_[kept - 1], record)) continue;
    }
    order_[kept++] = record;
  }
  ordered_ = kept;
  order_.Resize(kept);
  order_.ShrinkToFit();
}

// The appended records in list order, free of duplicates when the store removes them.
LargeArray<RecordIndex> RowStore::AppendedInOrder() {
  const std::size_t count = AppendedCount();
  CollationOrder sorted = SortByCollation(Source(*this), static_cast<RecordIndex>(recordsOrdered_),
                                          count, appendedDates_);
  LargeArray<RecordIndex> added = std::move(sorted.indices);
  if (sorted.readingOrder) {
    added.Resize(count);
    for (std::size_t i = 0; i < count; ++i)
      added[i] = static_cast<RecordIndex>(recordsOrdered_ + i);
  }
  if (duplicatesRemoved_) DropDuplicates(added, appendedDates_);
  return added;
}

void RowStore::DropDuplicates(LargeArray<RecordIndex>& rows, const DateTimeOrder& dates) const {
  if (rows.Empty()) return;
  std::size_t kept = 1;
  for (std::size_t i = 1; i < rows.Size(); ++i) {
    if (!CannotBeEqual(rows[kept - 1], rows[i], dates) && SameText(rows[kept - 1], rows[i]))
      continue;
    rows[kept++] = rows[i];
  }
  rows.Resize(kept);
}

// The first of the ordered rows from `from` on whose text orders after `text`: the place of a
// row read later than all of them. The place is looked for in steps that double from `from`,
// then halve, so that placing many rows in order costs no more than one pass over the rows.
std::size_t RowStore::PlaceAmongOrdered(std::string_view text, std::size_t from) const {
  RowText present;
  auto orderedAfter = [&](std::size_t row) {
    format_.StoredText(RecordAt(row), present);
    return Collation::RowLess(text, present.Text());
  };
  std::size_t low = from;
  std::size_t step = 1;
  while (low < ordered_ && !orderedAfter(low)) {
    low += step;
    step *= 2;
  }
  std::size_t high = std::min(low, ordered_);
  low = std::max(from, low - step / 2 + (step > 1 ? 1 : 0));
  while (low < high) {
    const std::size_t middle = low + (high - low) / 2;
    if (orderedAfter(middle)) {
      high = middle;
    } else {
      low = middle + 1;
    }
  }
  return low;
}

std::vector<std::size_t> RowStore::PlacesAmongOrdered(LargeArray<RecordIndex>& added) const {
  std::vector<std::size_t> places;
  places.reserve(added.Size());
  RowText text;
  RowText before;
  std::size_t kept = 0;
  std::size_t from = 0;
  for (const RecordIndex record : added) {
    format_.StoredText(records_[record], text);
    from = PlaceAmongOrdered(text.Text(), from);
    if (duplicatesRemoved_ && from > 0) {
      format_.StoredText(RecordAt(from - 1), before);
      if (before.Text() == text.Text()) continue;
    }
    places.push_back(from);
    added[kept++] = record;
  }
  added.Resize(kept);
  return places;
}

std::vector<RowNumber> RowStore::MergeAppended() {
  if (AppendedCount() == 0) return {};
  neighbours_ = {};
  LargeArray<RecordIndex> added = AppendedInOrder();
  const std::vector<std::size_t> before = PlacesAmongOrdered(added);
  std::vector<RowNumber> places(before.size());
  for (std::size_t i = 0; i < before.size(); ++i) places[i] = static_cast<RowNumber>(before[i] + i);
  InsertRows(added, before);
  recordsOrdered_ = records_.Size();
  appendedDates_ = DateTimeOrder();
  return places;
}

// Puts the added rows in front of the ordered rows `before` names, one for each.
void RowStore::InsertRows(const LargeArray<RecordIndex>& added,
                          const std::vector<std::size_t>& before) {
  const std::size_t count = added.Size();
  // Every record read, in reading order: the list stays in reading order.
  const bool allAtEndAsRead =
      inReadingOrder_ && ordered_ == recordsOrdered_ && count == AppendedCount() &&
      (count == 0 || (before.front() == ordered_ && std::is_sorted(added.begin(), added.end())));
  if (!allAtEndAsRead && count > 0) {
    if (inReadingOrder_) {
      order_.Resize(ordered_);
      std::iota(order_.begin(), order_.end(), RecordIndex{0});
      inReadingOrder_ = false;
    }
    // A row inserted before moves down by the added rows in front of it.
    std::size_t moved = 0;
    for (InsertedRow& row : inserted_) {
      while (moved < count && before[moved] <= row.row) ++moved;
      row.row += moved;
    }
    std::vector<InsertedRow> merged;
    merged.reserve(inserted_.size() + count);
    auto old = inserted_.begin();
    for (std::size_t i = 0; i < count; ++i) {
      const std::size_t row = before[i] + i;
      for (; old != inserted_.end() && old->row < row; ++old) merged.push_back(*old);
      merged.push_back({row, added[i]});
    }
    merged.insert(merged.end(), old, inserted_.end());
    inserted_ = std::move(merged);
  }
  ordered_ += count;
  // Written out once they are many: a row's record is then found in a few steps still, and
  // writing them costs a pass over the order now and then, not one a look.
  constexpr std::size_t kMostInserted = 4096;
  if (inserted_.size() > kMostInserted) SettleInserted();
}

// Writes the inserted rows into the order, moving the others down to make room, from the end.
void RowStore::SettleInserted() {
  if (inserted_.empty()) return;
  std::size_t from = ordered_ - inserted_.size();
  std::size_t end = ordered_;
  order_.Resize(ordered_);
  RecordIndex* order = order_.Data();
  for (auto row = inserted_.rbegin(); row != inserted_.rend(); ++row) {
    const std::size_t after = end - row->row - 1;
    std::memmove(order + row->row + 1, order + from - after, after * sizeof(RecordIndex));
    order[row->row] = row->record;
    from -= after;
    end = row->row;
  }
  inserted_ = {};
}

std::optional<std::size_t> FindRow(const RowStore& rows, std::string_view stored) {
  std::size_t first = 0;
  std::size_t count = rows.Size();
  while (count > 0) {
    const std::size_t half = count / 2;
    if (Collation::RowLess(rows[first + half], stored)) {
      first += half + 1;
      count -= half + 1;
    } else {
      count = half;
    }
  }
  if (first < rows.Size() && rows[first] == stored) return first;
  return std::nullopt;
}

}  // namespace telvoran
