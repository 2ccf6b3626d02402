#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/report/ReportSource.h"

namespace telvoran::test {

// A data view held in plain fields. The records behind the rows are optional: a test of the
// text report gives only `rows`, one of the records' fields gives `records`.
class FakeReportSource : public ReportSource {
 public:
  std::string title = "Title";
  std::string columnTitles = "Columns";
  std::string sortMark = "Mark";
  std::string caption = "archive.czt";
  std::vector<std::string> rows;
  ArchiveKind kind = ArchiveKind::Interval;
  std::vector<ArchiveRecord> records;
  std::string intervalHeader;
  std::map<char, std::string> situations;  // each text with its colour digit
  std::optional<FilterNote> filtering;     // how a filter chose `rows`, if one did

  std::string Title() const override { return title; }
  std::string ColumnTitleLine() const override { return columnTitles; }
  std::string SortMarkLine() const override { return sortMark; }
  std::size_t RowCount() const override { return records.empty() ? rows.size() : records.size(); }
  std::string_view DisplayText(std::size_t row) const override { return rows.at(row); }
  std::string Caption() const override { return caption; }
  std::optional<FilterNote> Filtering() const override { return filtering; }
  ArchiveKind Kind() const override { return kind; }
  const ArchiveRecord& Record(std::size_t row) const override { return records.at(row); }
  std::string IntervalHeader() const override { return intervalHeader; }
  std::string_view SituationText(char code) const override {
    const auto found = situations.find(code);
    return found == situations.end() ? std::string_view() : std::string_view(found->second);
  }
};

// Rows "row 1", "row 2", ... "row <count>".
inline std::vector<std::string> NumberedRows(std::size_t count) {
  std::vector<std::string> rows;
  for (std::size_t row = 1; row <= count; ++row) rows.push_back("row " + std::to_string(row));
  return rows;
}

}  // namespace telvoran::test
