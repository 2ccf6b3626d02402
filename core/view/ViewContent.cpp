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
  return rows.WidestDisplayText();
}

std::string_view ViewReport::BuildDisplayText(std::size_t row, RowText& text) const {
  const ShownRows& shown = content_.shown;
  if (row + kRowsFetchedAhead < RowCount())
    content_.rows.FetchAhead(shown.StoreRow(row + kRowsFetchedAhead));
  return content_.rows.DisplayText(shown.StoreRow(row), text);
}

std::optional<FilterNote> ViewReport::Filtering() const {
  const ShownRows& shown = content_.shown;
  if (!shown.Filtered()) return std::nullopt;
  return FilterNote{shown.Count(content_.rows), content_.rows.Size(), shown.Filter().Text(),
                    shown.Filter().HiddenSituations()};
}

std::string ViewReport::ColumnTitleLine() const {
  return content_.kind == ArchiveKind::Event
             ? EventColumnTitleLine(Captions<kEventColumns.size()>(content_.columnCaptions))
             : IntervalColumnTitleLine(Captions<5>(content_.columnCaptions));
}

ArchiveKind ViewReport::Kind() const {
  return content_.kind;
}

std::string ViewReport::SortMarkLine() const {
  return content_.kind == ArchiveKind::Event ? EventSortMarkLine(content_.sortColumn)
                                             : IntervalSortMarkLine(content_.sortColumn);
}

}  // namespace telvoran
