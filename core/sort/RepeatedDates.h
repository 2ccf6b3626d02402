#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace telvoran {

// Which records, in reading order, hold the same date and time as the record read just before
// them: one bit a record. Archives are written in time order, so records that share a date
// mostly follow one another, and these marks find them without reaching into the records.
class RepeatedDates {
 public:
  // Takes the next record's mark.
  void Push(bool sameAsBefore) {
    if (size_ % kBits == 0) words_.push_back(0);
    if (sameAsBefore) words_.back() |= std::uint64_t{1} << (size_ % kBits);
    ++size_;
  }
  // Takes the marks of `count` more records, sameAsBefore(i) giving the i-th one's, called in
  // turn from 0: a word of marks at a time, where Push() looks at the last word for each.
  template <typename Mark>
  void PushAll(std::size_t count, Mark sameAsBefore) {
    for (std::size_t i = 0; i < count;) {
      const std::size_t from = size_ % kBits;
      if (from == 0) words_.push_back(0);
      const std::size_t to = std::min(kBits, from + (count - i));
      std::uint64_t word = words_.back();
      for (std::size_t bit = from; bit < to; ++bit, ++i)
        word |= std::uint64_t{sameAsBefore(i)} << bit;
      words_.back() = word;
      size_ += to - from;
    }
  }
  bool SameAsBefore(std::size_t record) const {
    return (words_[record / kBits] >> (record % kBits) & 1) != 0;
  }
  // Whether records `from` to `to` (both included, from <= to) are all marked, looked at from
  // `to` back a word of marks at a time; nothing when that takes more than two words, for the
  // caller to find out another way. Marks are few, so the answer is mostly found at once.
  std::optional<bool> AllMarked(std::size_t from, std::size_t to) const {
    constexpr std::size_t kWordsLookedAt = 2;
    std::uint64_t upTo = ~std::uint64_t{0} >> (kBits - 1 - to % kBits);
    for (std::size_t word = to / kBits, looked = 0; looked < kWordsLookedAt; --word, ++looked) {
      const std::size_t first = word * kBits;
      const std::uint64_t within = from > first ? upTo & ~std::uint64_t{0} << (from - first) : upTo;
      if ((~words_[word] & within) != 0) return false;
      if (from >= first) return true;
      upTo = ~std::uint64_t{0};
    }
    return std::nullopt;
  }
  // Calls visit(record) for every record marked, ascending.
  template <typename Visit>
  void ForEachMarked(Visit visit) const {
    ForEachMarked(0, size_, visit);
  }
  // The same for the records from `from` up to, not including, `to`.
  template <typename Visit>
  void ForEachMarked(std::size_t from, std::size_t to, Visit visit) const {
    if (from >= to) return;
    for (std::size_t word = from / kBits; word <= (to - 1) / kBits; ++word) {
      std::uint64_t bits = words_[word];
      if (word == from / kBits) bits &= ~std::uint64_t{0} << (from % kBits);
      if (word == (to - 1) / kBits) bits &= ~std::uint64_t{0} >> (kBits - 1 - (to - 1) % kBits);
      for (; bits != 0; bits &= bits - 1)
        visit(word * kBits + static_cast<std::size_t>(std::countr_zero(bits)));
    }
  }

 private:
  static constexpr std::size_t kBits = 64;

  std::vector<std::uint64_t> words_;
  std::size_t size_ = 0;
};

}  // namespace telvoran
