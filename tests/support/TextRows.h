#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/sort/CollationOrder.h"

namespace telvoran::test {

// Rows given as plain texts, put in order by the sort the views use: for testing the order of
// texts that no record would make.
class TextRows : private SortSource {
 public:
  void Append(std::string text) { texts_.push_back(std::move(text)); }
  void Sort() {
    const CollationOrder sorted =
        SortByCollation(*this, 0, texts_.size(), DateTimeOrder::Unknown());
    std::vector<std::string> ordered;
    for (std::size_t i = 0; i < texts_.size(); ++i)
      ordered.push_back(texts_[sorted.readingOrder ? i : sorted.indices[i]]);
    texts_ = std::move(ordered);
  }
  void RemoveDuplicateRows() {
    std::vector<std::string> kept;
    for (std::string& text : texts_)
      if (kept.empty() || kept.back() != text) kept.push_back(std::move(text));
    texts_ = std::move(kept);
  }
  std::size_t Size() const { return texts_.size(); }
  const std::string& operator[](std::size_t row) const { return texts_[row]; }

 private:
  void StoredText(RecordIndex index, RowText& text) const override {
    text.Clear();
    text.Append(texts_[index]);
  }
  bool SameDateTime(RecordIndex, RecordIndex) const override { return false; }
  bool WithoutPrefixes() const override { return false; }
  std::size_t WidestPrefix() const override { return 0; }

  std::vector<std::string> texts_;
};

// The texts of rows in list order.
inline std::vector<std::string> RowTexts(const TextRows& rows) {
  std::vector<std::string> texts;
  for (std::size_t i = 0; i < rows.Size(); ++i) texts.push_back(rows[i]);
  return texts;
}

}  // namespace telvoran::test
