#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/archive/ArchiveRecord.h"
#include "core/rows/RowFormat.h"
#include "core/sort/CollationOrder.h"
#include "core/sort/DateTimeOrder.h"
#include "core/sort/LargeArray.h"
#include "core/sort/RepeatedDates.h"
#include "core/sort/RowText.h"

namespace telvoran {

class SortMemory;

// A row's place in a view's list, counted from 0.
using RowNumber = std::uint32_t;

// The rows of a view: the records of its archive as they were read, and the order in which the
// list shows them. A row's text is built from its record, with the store's format, only when it
// is drawn, written, printed or compared; the store keeps 40 bytes a record and 4 bytes a row
// for the order (none while the order is the reading order), and two bits a row of what the sort
// learnt of neighbouring rows until duplicates are removed or the list changes.
//
// Records appended after the rows were put in order stand at the end of the list until they are
// merged in, which puts them in their places without sorting the others again.
class RowStore {
 public:
  RowStore() = default;
  explicit RowStore(RowFormat format) : format_(std::move(format)) {}
  RowStore(RowStore&&) noexcept = default;
  RowStore& operator=(RowStore&&) noexcept = default;

  const RowFormat& Format() const { return format_; }

  // Drops every row and gives their memory back; the format stays.
  void Clear();
  // Makes room for `records` more records, so that appending them does not grow the store.
  void Reserve(std::size_t records);
  // Adds the record's row at the end of the list, out of order until Sort() or MergeAppended().
  void Append(const ArchiveRecord& record);
  // Room for `records` more records after the last, given its memory, for reading them straight
  // into the store. What is written there counts only once TakeRoom() is called; the room is
  // valid until then.
  std::span<unsigned char> RoomForRecords(std::size_t records);
  // Adds the rows of the first `count` records written into the room, as Append() would.
  void TakeRoom(std::size_t count);
  // Puts every row in the views' order: Collation::RowLess of the stored texts, equal texts side
  // by side in the order they were read. Rows removed as duplicates come back.
  void Sort();
  // The same, in memory prepared for the sort while the records were read. Throws
  // SortCancelled when `progress` is cancelled meanwhile, the rows then left out of order.
  void Sort(SortMemory& memory, const WorkProgress* progress = nullptr);
  // Deletes every row whose stored text equals the row's before it (exact comparison); rows
  // appended meanwhile are merged first. The rows merged in afterwards are kept free of
  // duplicates too.
  void RemoveDuplicateRows();
  // Puts the rows appended since the last Sort() or MergeAppended() into their places among the
  // rows in order, without sorting those again: the list is then what Sort() (and
  // RemoveDuplicateRows(), if it ran) of all its records would give. Returns the places of the
  // new rows in the list, ascending.
  std::vector<RowNumber> MergeAppended();

  std::size_t Size() const { return ordered_ + AppendedCount(); }
  bool Empty() const { return Size() == 0; }
  std::size_t RecordCount() const { return records_.Size(); }
  // The record a row shows, and its index in reading order.
  RecordIndex RecordIndexAt(std::size_t row) const;
  const ArchiveRecord& RecordAt(std::size_t row) const { return records_[RecordIndexAt(row)]; }
  // A record by its index in reading order, 0 to RecordCount() - 1; records removed as
  // duplicates are still there.
  const ArchiveRecord& Record(RecordIndex index) const { return records_[index]; }

  // Every record read so far, in reading order, shared with a reader that keeps them after the
  // store has moved on (a chart of the view): nothing is copied.
  ArraySnapshot<ArchiveRecord> ShareRecords() const { return records_.Snapshot(); }

  // The stored text of a row, sort prefix included, as the list orders it.
  std::string operator[](std::size_t row) const;
  // What is drawn, printed and saved of a row, built in `text`.
  std::string_view DisplayText(std::size_t row, RowText& text) const {
    return format_.DisplayText(RecordAt(row), text);
  }
  // The length of the longest DisplayText() among the rows; 0 without rows. Measured on the
  // records in reading order, without building their texts: a row removed as a duplicate has
  // the text of one kept, so it changes nothing. Records are only ever added, so only those
  // added since the last call are measured.
  std::size_t WidestDisplayText() const;
  // Asks for the record of a row to be brought into the cache ahead of a loop that reaches it
  // a few steps later. Nothing for a row that does not exist.
  void FetchAhead(std::size_t row) const;

  // Calls visit(row, record) for every row in list order.
  template <typename Visit>
  void ForEachRow(Visit visit) const {
    const std::size_t count = Size();
    for (std::size_t row = 0; row < count; ++row) visit(row, RecordAt(row));
  }

  // Bytes held for records and order.
  std::size_t MemoryBytes() const {
    return records_.CapacityBytes() + order_.CapacityBytes() +
           inserted_.capacity() * sizeof(InsertedRow);
  }

 private:
  class Source;

  std::size_t AppendedCount() const { return records_.Size() - recordsOrdered_; }
  void TakeOrder(CollationOrder order, std::size_t rows);
  LargeArray<RecordIndex> AppendedInOrder();
  bool CannotBeEqual(RecordIndex a, RecordIndex b, const DateTimeOrder& dates) const;
  bool SameText(RecordIndex a, RecordIndex b) const;
  void NoteDateTime(const ArchiveRecord& record);
  void NoteDateTimes(std::size_t from, std::size_t to);
  std::optional<std::vector<RecordIndex>> RepeatedRecords() const;
  void DropRows(const std::vector<RecordIndex>& repeated);
  void DropMarkedRepeats();
  LargeArray<std::uint32_t> DateKeys() const;
  void KeepRow(std::size_t row, RecordIndex record);
  void DropDuplicates(LargeArray<RecordIndex>& rows, const DateTimeOrder& dates) const;
  std::size_t PlaceAmongOrdered(std::string_view text, std::size_t from) const;
  std::vector<std::size_t> PlacesAmongOrdered(LargeArray<RecordIndex>& added) const;
  void InsertRows(const LargeArray<RecordIndex>& added, const std::vector<std::size_t>& before);
  void SettleInserted();

  // A row merged in since the order was last written out, at its place in the list.
  struct InsertedRow {
    std::size_t row;
    RecordIndex record;
  };

  RowFormat format_;
  SharedLargeArray<ArchiveRecord> records_;
  // The records of rows 0 to ordered_ - 1 in list order, but for those of inserted_; empty
  // while that is the reading order.
  LargeArray<RecordIndex> order_;
  // Rows merged in among the others and not yet written into order_, by row: a followed file
  // adds a few rows a look all over a list sorted by another column than the date, and moving
  // the rows after each (megabytes at a million rows) would cost more than the look itself.
  // They are written out once there are many, or before the list changes otherwise.
  std::vector<InsertedRow> inserted_;
  bool inReadingOrder_ = true;
  std::size_t ordered_ = 0;
  // Records 0 to recordsOrdered_ - 1 have been put in order (or removed as duplicates); the
  // others are rows appended since.
  std::size_t recordsOrdered_ = 0;
  DateTimeOrder allDates_;
  DateTimeOrder appendedDates_;
  RepeatedDates repeatedDates_;
  bool duplicatesRemoved_ = false;
  // What the last sort learnt of neighbouring rows' texts, while the list is as it left it.
  NeighbourMarks neighbours_;
  // The widest display text among records 0 to widthMeasured_ - 1.
  mutable std::size_t widest_ = 0;
  mutable std::size_t widthMeasured_ = 0;
};

// The place of the first row whose stored text is `stored` (exact comparison), in a store whose
// rows are all in order; none when no row has that text. A search, not a pass over the rows.
std::optional<std::size_t> FindRow(const RowStore& rows, std::string_view stored);

// The places of the rows for which keep(record) is true, in list order: the rows a filtered
// view shows. Taking another look at every row in the current order, without their texts.
// keep() sees each record once, in reading order, the order they lie in memory: a list in
// another order would reach them in no order and wait for memory at nearly every row.
template <typename Keep>
std::vector<RowNumber> SelectRows(const RowStore& rows, Keep keep) {
  std::vector<std::uint8_t> kept(rows.RecordCount());
  for (std::size_t index = 0; index < kept.size(); ++index)
    kept[index] = keep(rows.Record(static_cast<RecordIndex>(index))) ? 1 : 0;
  std::vector<RowNumber> selected;
  const std::size_t count = rows.Size();
  for (std::size_t row = 0; row < count; ++row)
    if (kept[rows.RecordIndexAt(row)]) selected.push_back(static_cast<RowNumber>(row));
  return selected;
}

}  // namespace telvoran
