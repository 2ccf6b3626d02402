#pragma once

#include <string>
#include <vector>

#include "core/report/ReportSource.h"

namespace telvoran::test {

// A data view held in plain fields.
class FakeReportSource : public ReportSource {
 public:
  std::string title = "Title";
  std::string columnTitles = "Columns";
  std::string sortMark = "Mark";
  std::string caption = "archive.czt";
  std::vector<std::string> rows;

  std::string Title() const override { return title; }
  std::string ColumnTitleLine() const override { return columnTitles; }
  std::string SortMarkLine() const override { return sortMark; }
  std::size_t RowCount() const override { return rows.size(); }
  std::string_view DisplayText(std::size_t row) const override { return rows.at(row); }
  std::string Caption() const override { return caption; }
};

// Rows "row 1", "row 2", ... "row <count>".
inline std::vector<std::string> NumberedRows(std::size_t count) {
  std::vector<std::string> rows;
  for (std::size_t row = 1; row <= count; ++row) rows.push_back("row " + std::to_string(row));
  return rows;
}

}  // namespace telvoran::test
