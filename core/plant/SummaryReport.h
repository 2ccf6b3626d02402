#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "core/plant/DailySummary.h"
#include "core/report/ReportSource.h"

namespace telvoran {

class StringLookup;

// A menu caption as a title: without its key mark and its closing dots (Windows-1250).
std::string TitleOfCaption(std::string_view caption);

// The daily summary as the text report and the printout read it: a row for each day and
// channel (each day once when no channel has values), with the count, the minimum and its time,
// the maximum and its time, the mean, and the day's alarms of each situation. Texts are
// Windows-1250, in the words of `strings`.
class SummaryReport : public ReportSource {
 public:
  SummaryReport(const DailySummary& summary, const StringLookup& strings);

  std::string Title() const override { return title_; }
  std::string ColumnTitleLine() const override { return columnTitles_; }
  std::string SortMarkLine() const override { return sortMark_; }
  std::size_t RowCount() const override { return rows_.size(); }
  std::string_view DisplayText(std::size_t row) const override { return rows_[row]; }
  std::string Caption() const override { return caption_; }
  ArchiveKind Kind() const override { return ArchiveKind::Other; }
  const ArchiveRecord& Record(std::size_t) const override { return noRecord_; }
  std::string IntervalHeader() const override { return {}; }
  std::string_view SituationText(char) const override { return {}; }

  // "Unit 7, 2005-03-01 - 2005-03-31": what the window's caption and the printout's heading
  // name.
  static std::string SpanCaption(const DailySummary& summary, const StringLookup& strings);

  // The column titles and each row's fields, unpadded, for a window's table.
  const std::vector<std::string>& ColumnTitles() const { return titles_; }
  const std::vector<std::string>& Fields(std::size_t row) const { return fields_[row]; }

 private:
  std::vector<std::string> titles_;
  std::vector<std::vector<std::string>> fields_;
  std::string title_;
  std::string caption_;
  std::string columnTitles_;
  std::string sortMark_;
  std::vector<std::string> rows_;
  ArchiveRecord noRecord_;
};

// The CSV of the summary (UTF-8, RFC 4180): a heading line of field names, then one line per row
// of the report, with full dates and times (ISO 8601) and numbers with a dot.
std::string SummaryCsvHeadingLine(const DailySummary& summary);
std::vector<std::string> SummaryCsvLines(const DailySummary& summary);
// Saves it as `target`, each line followed by CR LF, as the views' CSV is saved. Nothing on
// success, else the platform's text of the failure.
std::optional<std::string> WriteSummaryCsv(const DailySummary& summary,
                                           const std::filesystem::path& target);

}  // namespace telvoran
