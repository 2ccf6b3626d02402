#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

namespace telvoran {

// The rows of a view in list order. Rows are collected as they are read and put in order
// once, by Sort(); the texts live in blocks that grow with the list, so a row costs its text
// and 16 bytes.
class RowList {
 public:
  RowList() = default;
  RowList(RowList&&) = default;
  RowList& operator=(RowList&&) = default;

  void Clear();
  // Makes room for `rows` more rows, so that appending them does not move the index.
  void Reserve(std::size_t rows);
  // Adds a row at the end; the list is out of order until the next Sort().
  void Append(std::string_view row);
  // Puts the rows in the views' order (Collation::RowLess): equal rows end up side by side.
  void Sort();
  // Deletes every row equal to the row before it (exact comparison); run on a sorted list.
  void RemoveDuplicateRows();
  // Puts the rows of `more`, a list in order, each at its place in this list, which is in order
  // too; a row equal to one already here goes after it, or with `dropEqualRows` is left out,
  // as are equal rows of `more` after the first. Returns where the added rows now stand, in
  // ascending order. Costs a search per added row and one pass over the index.
  std::vector<std::size_t> MergeSorted(const RowList& more, bool dropEqualRows);
  // The position of the first row equal to `row` (exact comparison) in a sorted list.
  std::optional<std::size_t> Find(std::string_view row) const;

  std::size_t Size() const { return index_.size(); }
  bool Empty() const { return index_.empty(); }
  std::string_view operator[](std::size_t row) const { return TextOf(index_[row]); }
  // Bytes held for the rows: text blocks and index.
  std::size_t MemoryBytes() const;

 private:
  // Eight collation weights of a row (its first eight, or further ones while sorting), packed
  // so that comparing two keys as numbers orders rows without touching their texts; then
  // where its text lies.
  struct Entry {
    std::uint64_t key;
    std::uint64_t location;  // block << 36 | offset in the block << 16 | length
  };

  static bool KeyLess(const Entry& a, const Entry& b) { return a.key < b.key; }
  // Copies a row's text into the blocks; the entry that finds it again.
  Entry Store(std::string_view row);
  std::string_view TextOf(const Entry& entry) const;
  static std::uint64_t KeyOf(std::string_view row, std::size_t offset);
  // Whether the rows from `first` to `last`, whose texts have equal weights in their first
  // `sameWeights` characters, are in list order already.
  bool InOrder(std::vector<Entry>::const_iterator first, std::vector<Entry>::const_iterator last,
               std::size_t sameWeights) const;
  void SortByKeys(std::vector<Entry>::iterator first, std::vector<Entry>::iterator last,
                  std::size_t offset);
  static void StableSortByKey(std::vector<Entry>::iterator first,
                              std::vector<Entry>::iterator last);
  void SortRuns(std::vector<Entry>::iterator first, std::vector<Entry>::iterator last,
                std::size_t offset);

  struct Block {
    std::unique_ptr<char[]> bytes;
    std::size_t size;
  };
  std::vector<Block> blocks_;
  std::size_t blockUsed_ = 0;  // bytes used in the last block
  std::size_t blockBytes_ = 0;
  std::vector<Entry> index_;
};

}  // namespace telvoran
