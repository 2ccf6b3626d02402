#include "core/report/TextReport.h"

#include "core/report/ReportLines.h"
#include "core/report/ReportWriting.h"

namespace telvoran {
namespace {

// Gives the report's lines to `add`, which returns false once writing has failed: the heading
// block first, then each row's DisplayText. Stops at the first refused line.
template <typename Add>
void ProduceReportLines(const ReportSource& source, Add add) {
  for (const std::string& line : ReportHeadingLines(source)) {
    if (!add(line)) return;
  }
  const std::size_t rowCount = source.RowCount();
  for (std::size_t row = 0; row < rowCount; ++row) {
    if (!add(source.DisplayText(row))) return;
  }
}

}  // namespace

std::array<std::string, 5> ReportHeadingLines(const ReportSource& source) {
  return {source.Title(), ReportRule(), source.ColumnTitleLine(), source.SortMarkLine(),
          ReportRule()};
}

std::optional<std::string> WriteTextReport(const ReportSource& source,
                                           const std::filesystem::path& target) {
  return WriteReportFile(target, [&source](auto add) { ProduceReportLines(source, add); });
}

std::optional<std::string> WriteTextReport(const ReportSource& source, std::ostream& out) {
  return WriteReportStream(out, [&source](auto add) { ProduceReportLines(source, add); });
}

}  // namespace telvoran
