#include "core/view/ViewContent.h"

#include <algorithm>
#include <array>

#include "core/report/ReportLines.h"
#include "core/rows/EventRows.h"
#include "core/rows/IntervalRows.h"

namespace telvoran {
namespace {

template <std::size_t N>
std::array<std::string_view, N> Captions(const std::vector<std::string>& captions) {
  std::array<std::string_view, N> result{};
  for (std::size_t i = 0; i < N && i < captions.size(); ++i) result[i] = captions[i];
  return result;
}

}  // namespace

std::string_view ViewContent::DisplayText(std::string_view stored) const {
  return kind == ArchiveKind::Event ? EventDisplayText(stored, sortColumn)
                                    : IntervalDisplayText(stored, sortColumn);
}

std::size_t ViewContent::WidestDisplayTextLength() const {
  std::size_t widest = 0;
  RowText text;
  for (std::size_t row = 0; row < rows.Size(); ++row)
    widest = std::max(widest, rows.DisplayText(row, text).size());
  return widest;
}

std::string ViewReport::ColumnTitleLine() const {
  return content_.kind == ArchiveKind::Event
             ? EventColumnTitleLine(Captions<7>(content_.columnCaptions))
             : IntervalColumnTitleLine(Captions<5>(content_.columnCaptions));
}

RowKind ViewReport::Kind() const {
  return content_.kind == ArchiveKind::Event ? RowKind::Event : RowKind::Interval;
}

std::string ViewReport::SortMarkLine() const {
  return content_.kind == ArchiveKind::Event ? EventSortMarkLine(content_.sortColumn)
                                             : IntervalSortMarkLine(content_.sortColumn);
}

}  // namespace telvoran
