#include "core/report/TextReport.h"

#include "core/report/ReportLines.h"
#include "core/report/ReportRowLines.h"
#include "core/report/ReportWriting.h"

namespace telvoran {
namespace {

// Gives the report's lines to `add` (a ReportLineSink): the heading block first, then each
// row's DisplayText, in blocks of lines. Stops at the first refused line.
template <typename Add>
void ProduceReportLines(const ReportSource& source, Add add) {
  for (const std::string& line : ReportHeadingLines(source)) {
    if (!add(line)) return;
  }
  ProduceReportRowLines(source, [&add](std::string_view lines) { return add.Lines(lines); });
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
