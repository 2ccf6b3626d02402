#include "core/rows/RowList.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

#include "core/rows/Collation.h"
#include "core/text/FetchAhead.h"

namespace telvoran {
namespace {

constexpr std::uint64_t kLengthBits = 16;
constexpr std::uint64_t kOffsetBits = 20;
constexpr std::size_t kMaxRowLength = (std::size_t{1} << kLengthBits) - 1;
constexpr std::size_t kFirstBlockSize = std::size_t{4} << 10;
constexpr std::size_t kLargestBlockSize = std::size_t{1} << kOffsetBits;
}  // namespace

void RowList::Clear() {
  blocks_.clear();
  blockUsed_ = 0;
  blockBytes_ = 0;
  index_.clear();
  index_.shrink_to_fit();
}

void RowList::Reserve(std::size_t rows) {
  index_.reserve(index_.size() + rows);
}

void RowList::Append(std::string_view row) {
  index_.push_back(Store(row));
}

RowList::Entry RowList::Store(std::string_view row) {
  row = row.substr(0, std::min(row.size(), kMaxRowLength));
  if (blocks_.empty() || blockUsed_ + row.size() > blocks_.back().size) {
    // Each block is twice the size of the one before, up to a megabyte: a short list stays
    // small and a long one wastes at most the end of its last block.
    const std::size_t size =
        blocks_.empty() ? kFirstBlockSize : std::min(2 * blocks_.back().size, kLargestBlockSize);
    blocks_.push_back({std::make_unique_for_overwrite<char[]>(size), size});
    blockBytes_ += size;
    blockUsed_ = 0;
  }
  const std::uint64_t block = blocks_.size() - 1;
  std::memcpy(blocks_.back().bytes.get() + blockUsed_, row.data(), row.size());
  const Entry entry{KeyOf(row, 0), block << (kOffsetBits + kLengthBits) |
                                       std::uint64_t{blockUsed_} << kLengthBits | row.size()};
  blockUsed_ += row.size();
  return entry;
}

std::uint64_t RowList::KeyOf(std::string_view row, std::size_t offset) {
  std::uint64_t key = 0;
  for (std::size_t i = offset; i < offset + 8; ++i) {
    const std::uint8_t weight =
        i < row.size() ? Collation::Weight(static_cast<unsigned char>(row[i])) : 0;
    key = key << 8 | weight;
  }
  return key;
}

std::string_view RowList::TextOf(const Entry& entry) const {
  const std::size_t block = entry.location >> (kOffsetBits + kLengthBits);
  const std::size_t offset = (entry.location >> kLengthBits) & (kLargestBlockSize - 1);
  const std::size_t length = entry.location & kMaxRowLength;
  return {blocks_[block].bytes.get() + offset, length};
}

void RowList::Sort() {
  auto less = [this](const Entry& a, const Entry& b) {
    return a.key != b.key ? a.key < b.key : Collation::RowLess(TextOf(a), TextOf(b));
  };
  // Archives are written in time order, so a list sorted by date and time often already is.
  if (std::is_sorted(index_.begin(), index_.end(), less)) return;
  SortByKeys(index_.begin(), index_.end(), 0);
}

// Sorts rows whose texts have equal weights before `offset`, eight characters at a time: by
// the weights of the next eight characters packed into the key (which needs no text), then each
// run of rows sharing those weights by the eight after them. Every text is read once a level,
// not once a comparison, and a row is compared in full only within a small run.
void RowList::SortByKeys(std::vector<Entry>::iterator first, std::vector<Entry>::iterator last,
                         std::size_t offset) {
  constexpr std::ptrdiff_t kSmallRun = 16;
  constexpr auto kAhead = static_cast<std::ptrdiff_t>(kTextsFetchedAhead);
  if (last - first <= kSmallRun) {
    std::sort(first, last, [this](const Entry& a, const Entry& b) {
      return Collation::RowLess(TextOf(a), TextOf(b));
    });
    return;
  }
  if (offset > 0) {
    for (auto entry = first; entry != last; ++entry) {
      if (last - entry > kAhead) FetchAhead(TextOf(entry[kAhead]));
      entry->key = KeyOf(TextOf(*entry), offset);
    }
  }
  StableSortByKey(first, last);
  SortRuns(first, last, offset);
}

// Rows with equal keys keep their order, which is the order they were read in. A long range is
// sorted a key byte at a time from the last, each byte's pass spreading the rows over 256 places
// in one sweep; a byte that every key shares needs no pass, and most of them do (a sort prefix is
// a few digits wide, and the date after it starts with "20").
void RowList::StableSortByKey(std::vector<Entry>::iterator first,
                              std::vector<Entry>::iterator last) {
  constexpr std::ptrdiff_t kShortRange = 4096;
  if (last - first < kShortRange) {
    std::stable_sort(first, last, KeyLess);
    return;
  }
  const auto count = static_cast<std::size_t>(last - first);
  constexpr int kKeyBytes = 8;
  auto byteOf = [](const Entry& entry, int byte) {
    return static_cast<std::size_t>(entry.key >> (8 * byte)) & 0xFF;
  };
  std::array<std::array<std::size_t, 256>, kKeyBytes> counts{};
  for (auto entry = first; entry != last; ++entry) {
    for (int byte = 0; byte < kKeyBytes; ++byte) ++counts[byte][byteOf(*entry, byte)];
  }

  auto scratch = std::make_unique_for_overwrite<Entry[]>(count);
  Entry* from = &*first;
  Entry* to = scratch.get();
  for (int byte = 0; byte < kKeyBytes; ++byte) {
    std::array<std::size_t, 256>& places = counts[byte];
    if (places[byteOf(*from, byte)] == count) continue;
    std::size_t place = 0;
    for (std::size_t& slot : places) place += std::exchange(slot, place);
    for (const Entry* entry = from; entry != from + count; ++entry) {
      to[places[byteOf(*entry, byte)]++] = *entry;
    }
    std::swap(from, to);
  }
  if (from != &*first) std::copy(from, from + count, first);
}

// Puts the rows of every run of equal keys in order. Archives are written in time order and
// every row continues with its date and time after its prefix, so a run of rows sharing a prefix,
// kept in reading order, is most often in order already: one pass over it, through texts that lie
// one after the other in memory, then confirms it instead of sorting it again.
void RowList::SortRuns(std::vector<Entry>::iterator first, std::vector<Entry>::iterator last,
                       std::size_t offset) {
  for (auto run = first; run != last;) {
    const auto runEnd = std::upper_bound(run, last, *run, KeyLess);
    // A key whose last weight is 0 belongs to texts that end inside these eight characters:
    // equal keys then mean equal weights to the end, and only the exact bytes are left.
    const bool textsEnd = (run->key & 0xFF) == 0;
    if (runEnd - run > 1 && !InOrder(run, runEnd, offset + 8)) {
      if (textsEnd) {
        std::sort(run, runEnd, [this](const Entry& a, const Entry& b) {
          return Collation::RowLess(TextOf(a), TextOf(b));
        });
      } else {
        SortByKeys(run, runEnd, offset + 8);
      }
    }
    run = runEnd;
  }
}

bool RowList::InOrder(std::vector<Entry>::const_iterator first,
                      std::vector<Entry>::const_iterator last, std::size_t sameWeights) const {
  constexpr auto kAhead = static_cast<std::ptrdiff_t>(kTextsFetchedAhead);
  // Collation::RowLess, its comparison of weights started where they may first differ.
  auto less = [sameWeights](std::string_view a, std::string_view b) {
    const int order = Collation::Compare(a.substr(std::min(sameWeights, a.size())),
                                         b.substr(std::min(sameWeights, b.size())));
    return order != 0 ? order < 0 : a < b;
  };
  for (auto entry = first; last - entry > 1; ++entry) {
    if (last - entry > kAhead) FetchAhead(TextOf(entry[kAhead]));
    if (less(TextOf(entry[1]), TextOf(entry[0]))) return false;
  }
  return true;
}

void RowList::RemoveDuplicateRows() {
  auto same = [this](const Entry& a, const Entry& b) { return TextOf(a) == TextOf(b); };
  index_.erase(std::unique(index_.begin(), index_.end(), same), index_.end());
}

// Keys are not compared here: after a sort they may hold the weights of different positions
// of their texts. The texts decide, with a binary search for each added row.
std::vector<std::size_t> RowList::MergeSorted(const RowList& more, bool dropEqualRows) {
  auto less = [this](std::string_view row, const Entry& entry) {
    return Collation::RowLess(row, TextOf(entry));
  };
  // Where each added row goes: before the entry of this old position.
  std::vector<std::pair<std::size_t, Entry>> insertions;
  auto searchFrom = index_.begin();
  for (std::size_t i = 0; i < more.Size(); ++i) {
    const std::string_view row = more[i];
    if (dropEqualRows && i > 0 && more[i - 1] == row) continue;
    searchFrom = std::upper_bound(searchFrom, index_.end(), row, less);
    if (dropEqualRows && searchFrom != index_.begin() && TextOf(searchFrom[-1]) == row) continue;
    insertions.emplace_back(static_cast<std::size_t>(searchFrom - index_.begin()), Store(row));
  }

  // From the back, so that every entry moves once, and rows that go after the last one (as
  // new records of a list in time order do) move none.
  std::vector<std::size_t> positions(insertions.size());
  std::size_t from = index_.size();
  // A list that keeps growing by small merges grows its index by an eighth at a time, not by
  // doubling it.
  const std::size_t size = index_.size() + insertions.size();
  if (size > index_.capacity()) index_.reserve(size + size / 8);
  index_.resize(size);
  std::size_t to = index_.size();
  for (std::size_t m = insertions.size(); m-- > 0;) {
    const std::size_t before = insertions[m].first;
    std::move_backward(index_.begin() + static_cast<std::ptrdiff_t>(before),
                       index_.begin() + static_cast<std::ptrdiff_t>(from),
                       index_.begin() + static_cast<std::ptrdiff_t>(to));
    to -= from - before;
    from = before;
    index_[--to] = insertions[m].second;
    positions[m] = to;
  }
  return positions;
}

std::optional<std::size_t> RowList::Find(std::string_view row) const {
  const auto at = std::lower_bound(
      index_.begin(), index_.end(), row,
      [this](const Entry& entry, auto text) { return Collation::RowLess(TextOf(entry), text); });
  if (at == index_.end() || TextOf(*at) != row) return std::nullopt;
  return static_cast<std::size_t>(at - index_.begin());
}

std::size_t RowList::MemoryBytes() const {
  return blockBytes_ + blocks_.capacity() * sizeof(Block) + index_.capacity() * sizeof(Entry);
}

}  // namespace telvoran
