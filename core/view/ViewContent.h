#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "core/report/ReportSource.h"
#include "core/rows/RowStore.h"
#include "core/sort/RowText.h"
#include "core/view/ShownRows.h"
#include "core/view/ViewTexts.h"

namespace telvoran {

// What a data view shows of its archive: its file, sort column, title, the captions of its
// column panels, its caption and its rows in list order. The desktop views draw it and the
// report and printout read it; texts are Windows-1250.
struct ViewContent {
  ArchiveKind kind = ArchiveKind::Interval;
  std::filesystem::path filePath;
  int sortColumn = 1;
  std::string title;
  // Panel 1 (date and time) first: 5 captions in an interval view, 7 in an event view.
  std::vector<std::string> columnCaptions;
  // The header of an interval archive, as the channel panels were titled from it.
  std::string intervalHeader;
  std::string caption;
  RowStore rows;
  // The rows of `rows` the view shows, and the filter that chose them.
  ShownRows shown;

  std::size_t ShownCount() const { return shown.Count(rows); }
  // Selects the shown rows again among all rows, after `rows` changed.
  void ReselectShown() { shown.Reselect(rows); }

  // A stored row as drawn, printed and saved: without its sort prefix (and colour digit).
  std::string_view DisplayText(std::string_view stored) const;
  // The length of the longest display text among the rows, in characters; 0 without rows.
  std::size_t WidestDisplayTextLength() const;
};

// The report and the printout of a view's content: the rows the view shows, in list order.
class ViewReport : public ReportSource {
 public:
  explicit ViewReport(const ViewContent& content) : content_(content) {}

  std::string Title() const override { return content_.title; }
  std::string ColumnTitleLine() const override;
  std::string SortMarkLine() const override;
  std::size_t RowCount() const override { return content_.ShownCount(); }
  // Built anew on every call; the rows are mostly asked for one after the other, so the record
  // of a row some steps on is fetched meanwhile.
  std::string_view DisplayText(std::size_t row) const override {
    return BuildDisplayText(row, text_);
  }
  std::string_view BuildDisplayText(std::size_t row, RowText& text) const override;
  bool RowsFromAnyThread() const override { return true; }
  std::string Caption() const override { return content_.caption; }
  std::optional<FilterNote> Filtering() const override;

  ArchiveKind Kind() const override;
  // The record of row `row` of the rows shown.
  const ArchiveRecord& Record(std::size_t row) const override {
    return content_.rows.RecordAt(content_.shown.StoreRow(row));
  }
  std::string IntervalHeader() const override { return content_.intervalHeader; }
  std::string_view SituationText(char code) const override {
    return content_.rows.Format().SituationTextOf(code);
  }

 private:
  static constexpr std::size_t kRowsFetchedAhead = 16;

  const ViewContent& content_;
  mutable RowText text_;
};

}  // namespace telvoran
