#include "core/rows/RowFilter.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "core/rows/EventRows.h"
#include "core/sort/Collation.h"
#include "core/text/Cp1250.h"

namespace telvoran {
namespace {

const std::array<unsigned char, 256> kFolded = [] {
  std::array<unsigned char, 256> folded{};
  // In Windows-1250 a lower-case letter has the higher byte of the two.
  std::array<int, 256> lastOfWeight;
  lastOfWeight.fill(-1);
  for (int byte = 255; byte >= 0; --byte) {
    int& last = lastOfWeight[Collation::Weight(static_cast<unsigned char>(byte))];
    if (last < 0) last = byte;
    folded[static_cast<std::size_t>(byte)] = static_cast<unsigned char>(last);
  }
  return folded;
}();

// Whether a byte is the only one that folds to what it folds to: a text of such bytes is found
// in a row as it is, without the row being folded.
const std::array<bool, 256> kFoldsAlone = [] {
  std::array<int, 256> folding{};
  for (const unsigned char folded : kFolded) ++folding[folded];
  std::array<bool, 256> alone{};
  for (std::size_t byte = 0; byte < alone.size(); ++byte)
    alone[byte] = folding[kFolded[byte]] == 1;
  return alone;
}();

// Whether `text` holds `folded` once folded. A row's text is short: folding it whole into a
// buffer on the stack and searching there is quicker than comparing byte by byte at every place.
bool ContainsFolded(std::string_view text, std::string_view folded) {
  char buffer[RowText::kPrefixRoom + RowText::kRowRoom];
  const std::size_t size = std::min(text.size(), sizeof buffer);
  for (std::size_t i = 0; i < size; ++i)
    buffer[i] = static_cast<char>(kFolded[static_cast<unsigned char>(text[i])]);
  return std::string_view(buffer, size).find(folded) != std::string_view::npos;
}

}  // namespace

std::string FoldAsSorted(std::string_view text) {
  std::string folded(text);
  for (char& c : folded) c = static_cast<char>(kFolded[static_cast<unsigned char>(c)]);
  return folded;
}

void RowFilter::SetText(std::string_view utf8) {
  const std::optional<std::string> exact = Utf8ToCp1250Exactly(utf8);
  keepsNothing_ = !exact;
  text_ = exact ? *exact : Utf8ToCp1250(utf8);
  folded_ = FoldAsSorted(text_);
  foundUnfolded_ = std::all_of(folded_.begin(), folded_.end(), [](char c) {
    return kFoldsAlone[static_cast<unsigned char>(c)];
  });
}

void RowFilter::SetSituationHidden(char code, bool hidden) {
  hidden_[static_cast<unsigned char>(code)] = hidden;
}

std::string RowFilter::HiddenSituations() const {
  std::string codes;
  for (std::size_t byte = 0; byte < hidden_.size(); ++byte)
    if (hidden_[byte]) codes += static_cast<char>(byte);
  return codes;
}

bool RowFilter::Narrows(const RowFilter& wider) const {
  if (wider.keepsNothing_) return keepsNothing_;
  if ((hidden_ & wider.hidden_) != wider.hidden_) return false;
  return keepsNothing_ || folded_.find(wider.folded_) != std::string::npos;
}

bool RowFilter::Keeps(const ArchiveRecord& record, const RowFormat& format, RowText& text) const {
  if (keepsNothing_) return false;
  if (format.Kind() == ArchiveKind::Event &&
      SituationHidden(static_cast<char>(record.bytes[kEventSituationByte])))
    return false;
  if (folded_.empty()) return true;
  const std::string_view row = format.DisplayText(record, text);
  // Digits and signs, as dates and values are typed, are looked for in the row as it is.
  return foundUnfolded_ ? row.find(folded_) != std::string_view::npos
                        : ContainsFolded(row, folded_);
}

}  // namespace telvoran
