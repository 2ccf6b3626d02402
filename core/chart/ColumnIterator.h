#pragma once

#include <compare>
#include <cstddef>
#include <iterator>

namespace telvoran {

// Random access to values made when asked for, by position: enough for the standard algorithms
// and for copying them out.
template <typename Column, typename Value>
class ColumnIterator {
 public:
  using iterator_category = std::random_access_iterator_tag;
  using value_type = Value;
  using difference_type = std::ptrdiff_t;
  using pointer = void;
  using reference = Value;

  ColumnIterator() = default;
  ColumnIterator(const Column* column, std::size_t at) : column_(column), at_(at) {}
  Value operator*() const { return (*column_)[at_]; }
  Value operator[](difference_type n) const { return (*column_)[Offset(n)]; }
  ColumnIterator& operator++() { return ++at_, *this; }
  ColumnIterator operator++(int) { return {column_, at_++}; }
  ColumnIterator& operator--() { return --at_, *this; }
  ColumnIterator operator--(int) { return {column_, at_--}; }
  ColumnIterator& operator+=(difference_type n) { return at_ = Offset(n), *this; }
  ColumnIterator& operator-=(difference_type n) { return at_ = Offset(-n), *this; }
  friend ColumnIterator operator+(ColumnIterator it, difference_type n) { return it += n; }
  friend ColumnIterator operator+(difference_type n, ColumnIterator it) { return it += n; }
  friend ColumnIterator operator-(ColumnIterator it, difference_type n) { return it -= n; }
  friend difference_type operator-(const ColumnIterator& a, const ColumnIterator& b) {
    return static_cast<difference_type>(a.at_) - static_cast<difference_type>(b.at_);
  }
  friend bool operator==(const ColumnIterator& a, const ColumnIterator& b) {
    return a.at_ == b.at_;
  }
  friend auto operator<=>(const ColumnIterator& a, const ColumnIterator& b) {
    return a.at_ <=> b.at_;
  }

 private:
  std::size_t Offset(difference_type n) const {
    return static_cast<std::size_t>(static_cast<difference_type>(at_) + n);
  }
  const Column* column_ = nullptr;
  std::size_t at_ = 0;
};

}  // namespace telvoran
