#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "core/report/ReportSource.h"
#include "core/rows/RowList.h"
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
  std::string caption;
  RowList rows;

  // The row as drawn, printed and saved: without its sort prefix (and colour digit).
  std::string_view DisplayText(std::string_view stored) const;
  // The length of the longest display text among the rows, in characters; 0 without rows.
  std::size_t WidestDisplayTextLength() const;
};

// The report and the printout of a view's content.
class ViewReport : public ReportSource {
 public:
  explicit ViewReport(const ViewContent& content) : content_(content) {}

  std::string Title() const override { return content_.title; }
  std::string ColumnTitleLine() const override;
  std::string SortMarkLine() const override;
  std::size_t RowCount() const override { return content_.rows.Size(); }
  std::string_view DisplayText(std::size_t row) const override {
    return content_.DisplayText(content_.rows[row]);
  }
  std::string Caption() const override { return content_.caption; }

 private:
  const ViewContent& content_;
};

}  // namespace telvoran
