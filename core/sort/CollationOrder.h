#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/sort/DateTimeOrder.h"
#include "core/sort/LargeArray.h"
#include "core/sort/RepeatedDates.h"
#include "core/sort/RowText.h"
#include "core/work/WorkProgress.h"

namespace telvoran {

class SortMemory;

// A record's place in the order it was read in, counted from 0.
using RecordIndex = std::uint32_t;

// The optional speed-ups of a sort source: ways to tell what decides the order of rows without
// building their whole texts. Each has an answer meaning "not here", which it gives unless a
// source overrides it; the sort is the same without any of them, only slower.
class SortSpeedUps {
 public:
  // What StoredHead() put into the text it was given.
  enum class Head { kNothing, kBeginning, kWholeText };
  // The beginning of the stored text of the row of record `index`, at least its sort prefix and
  // as much after it as `length` characters take, up to the date and time, where that is quicker
  // to build than the whole (kBeginning), or the whole text (kWholeText); kNothing where the
  // source builds no beginning.
  virtual Head StoredHead(RecordIndex index, std::size_t length, RowText& text) const {
    (void)index;
    (void)length;
    (void)text;
    return Head::kNothing;
  }
  // The first `length` characters of that text, written to `out` (room for kQuickHeadRoom),
  // where they are quicker to tell than StoredHead() builds them. Returns the length of the sort
  // prefix, or -1 where they are not.
  virtual int QuickHead(RecordIndex index, std::size_t length, char* out) const {
    (void)index;
    (void)length;
    (void)out;
    return -1;
  }
  // A number from 0 to 255 that records share exactly when the sort prefixes of their rows are
  // equal, where that is quicker to tell than the prefix; -1 otherwise.
  virtual int PrefixSlot(RecordIndex index) const {
    (void)index;
    return -1;
  }
  // The marks of the records that hold the same date and time as the record before them, by
  // index; none where the source keeps none.
  virtual const RepeatedDates* DateRepeats() const { return nullptr; }
  // True when StoredText() and StoredHead() may run on two threads at once.
  virtual bool FromAnyThread() const { return false; }
  // Where the records lie in memory, read by the sort without a call a row: record `index` is
  // the `size` bytes from `first + index * size`, its six bytes of date and time (year, month,
  // day, hour, minute, second, each its number plus 10) from `dateTime` on. Records of equal
  // bytes have equal stored texts. None where the records do not lie so.
  struct RecordBytes {
    const unsigned char* first = nullptr;
    std::size_t size = 0;
    std::size_t dateTime = 0;
  };
  virtual RecordBytes RecordsInMemory() const { return {}; }

 protected:
  ~SortSpeedUps() = default;
};

// What the sort reads of the rows it puts in order: what every source must give, besides the
// speed-ups it may give.
class SortSource : public SortSpeedUps {
 public:
  // The stored text of the row of record `index`, sort prefix included, built in `text`.
  virtual void StoredText(RecordIndex index, RowText& text) const = 0;
  // Whether the two records hold the same six bytes of date and time.
  virtual bool SameDateTime(RecordIndex a, RecordIndex b) const = 0;
  // True when no row has a sort prefix: every row begins with its date and time.
  virtual bool WithoutPrefixes() const = 0;
  // The most characters a row's sort prefix can have.
  virtual std::size_t WidestPrefix() const = 0;

 protected:
  ~SortSource() = default;
};

// What a sort learnt, on its way, of each row's stored text against the text of the row before
// it in list order: a bit a row, by place in the list, in each of two sets. Neither bit set: not
// known. A row may then be told apart from its neighbour without its record being reached.
struct NeighbourMarks {
  std::vector<std::uint64_t> differs;
  std::vector<std::uint64_t> equal;

  // Whether the marks are of a list of `rows` rows.
  bool Cover(std::size_t rows) const { return rows > 0 && differs.size() == (rows + 63) / 64; }
  bool Differs(std::size_t place) const { return Bit(differs, place); }
  bool Equal(std::size_t place) const { return Bit(equal, place); }

 private:
  static bool Bit(const std::vector<std::uint64_t>& bits, std::size_t place) {
    return (bits[place / 64] >> (place % 64) & 1) != 0;
  }
};

// The list order of some records: either the order they were read in, or the record indices
// in list order, with what was learnt of neighbours' texts (none for the reading order).
struct CollationOrder {
  bool readingOrder = true;
  LargeArray<RecordIndex> indices;
  NeighbourMarks neighbours;
};

// Puts the rows of the records `first` to `first + count - 1`, which were read in this order
// with the dates `dates` tells of, in the views' order: Collation::RowLess of their stored
// texts, rows with equal texts in reading order. Besides the records it takes at most 12 bytes
// a row while it runs, and 4 bytes a row for the result unless that is the reading order. It
// works in `memory` where that was prepared for it. Once `progress` is cancelled it stops within
// a few milliseconds, throwing SortCancelled.
struct SortCancelled {};
CollationOrder SortByCollation(const SortSource& source, RecordIndex first, std::size_t count,
                               const DateTimeOrder& dates, SortMemory* memory = nullptr,
                               const WorkProgress* progress = nullptr);

}  // namespace telvoran
