#pragma once

#include <bitset>
#include <string>
#include <string_view>

#include "core/archive/ArchiveRecord.h"
#include "core/rows/RowFormat.h"
#include "core/sort/RowText.h"

namespace telvoran {

// Which rows a filtered view keeps: those whose display text contains a typed text, letters
// compared as the sort compares them (a letter matches its other case, each Polish letter only
// itself: "ł" matches "Ł" but not "l"), and, in an event view, those whose situation is not
// hidden. A filter without text and without hidden situations keeps every row.
class RowFilter {
 public:
  // The typed text, in UTF-8. A text with a character that Windows-1250 cannot hold keeps no
  // row: no row can contain it.
  void SetText(std::string_view utf8);
  // The typed text in Windows-1250, as a printout names it ('?' for a character it cannot hold).
  const std::string& Text() const { return text_; }

  // Hides or shows the rows of an event situation code ('G', 'L', 'H', 'M', 'W', 'O', 'F').
  void SetSituationHidden(char code, bool hidden);
  bool SituationHidden(char code) const { return hidden_[static_cast<unsigned char>(code)]; }
  // The hidden codes, in byte order.
  std::string HiddenSituations() const;

  // Whether the filter may leave a row out: a text typed or a situation hidden.
  bool IsActive() const { return !text_.empty() || hidden_.any(); }
  // Whether every row this filter keeps is also kept by `wider`, so that only the rows `wider`
  // kept need a look: its text contains the other's text and it hides at least what that hides.
  bool Narrows(const RowFilter& wider) const;

  // Whether the row of `record`, made with `format`, is kept. `text` is room for its display text.
  bool Keeps(const ArchiveRecord& record, const RowFormat& format, RowText& text) const;

 private:
  std::string text_;
  // The text folded by FoldAsSorted().
  std::string folded_;
  bool keepsNothing_ = false;
  // Every byte of the folded text is the only one that folds to itself.
  bool foundUnfolded_ = true;
  std::bitset<256> hidden_;
};

// A Windows-1250 text with each byte replaced by the last byte (in byte order) that the sort
// weighs as it: each upper-case letter by its lower-case one, every other byte by itself.
std::string FoldAsSorted(std::string_view text);

}  // namespace telvoran
