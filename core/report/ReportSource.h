#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/archive/ArchiveRecord.h"
#include "core/report/FilterNote.h"
#include "core/rows/RowFormat.h"

namespace telvoran {

// What the text report, the printout and the spreadsheet export read from a data view. The
// desktop views and the command-line tool implement it. All texts are Windows-1250. Rows are
// numbered alike in every function: 0 to RowCount() - 1, in list order.
class ReportSource {
 public:
  virtual ~ReportSource() = default;

  // The caption of the view's title panel: the report's first line.
  virtual std::string Title() const = 0;
  // The column titles laid out over the row fields (IntervalColumnTitleLine or
  // EventColumnTitleLine of the view's panel captions).
  virtual std::string ColumnTitleLine() const = 0;
  // The "<>" mark under the sorted column (IntervalSortMarkLine or EventSortMarkLine).
  virtual std::string SortMarkLine() const = 0;
  // The number of rows the view lists: those it shows, after any filter.
  virtual std::size_t RowCount() const = 0;
  // Row `row` (0 to RowCount() - 1, in list order) exactly as the view draws it. The text stays
  // valid until the next call on this source or until the view's rows change.
  virtual std::string_view DisplayText(std::size_t row) const = 0;
  // Row `row` as DisplayText() gives it, built in `text` rather than in the source. Where
  // RowsFromAnyThread() is true, several threads may call it at once while the rows stay as
  // they are; a report of many rows is then built on two threads.
  virtual std::string_view BuildDisplayText(std::size_t row, RowText& text) const {
    (void)text;
    return DisplayText(row);
  }
  virtual bool RowsFromAnyThread() const { return false; }
  // The caption of the view's window: the archive's file name.
  virtual std::string Caption() const = 0;
  // For a view over a span of days, the span as its title names it, which the spreadsheet
  // export puts before its heading line; empty for a view of one file.
  virtual std::string SpanHeading() const { return {}; }
  // How a filter chose the rows listed; none when every row of the view is listed.
  virtual std::optional<FilterNote> Filtering() const { return std::nullopt; }

  // What an export of the records' fields reads besides the rows' text: the kind of archive
  // the rows come from, the record behind row `row` (valid as DisplayText's text is), the
  // header of an interval archive as the view's channel panels were titled from it (empty for
  // an event archive), and the situation text of an event row of `code` followed by its colour
  // digit, as the rows show it (empty for a code outside the table).
  virtual ArchiveKind Kind() const = 0;
  virtual const ArchiveRecord& Record(std::size_t row) const = 0;
  virtual std::string IntervalHeader() const = 0;
  virtual std::string_view SituationText(char code) const = 0;
};

}  // namespace telvoran
