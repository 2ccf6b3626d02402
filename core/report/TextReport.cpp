#include "core/report/TextReport.h"

#include "core/report/FilterNote.h"
#include "core/report/ReportLines.h"
#include "core/report/ReportRowLines.h"
#include "core/report/ReportWriting.h"
#include "core/text/StringIds.h"

namespace telvoran {
namespace {

// Gives the report's lines to `add` (a ReportLineSink): the heading block first, a filtered
// view's note, then each row's DisplayText, in blocks of lines. Stops at the first refused line.
template <typename Add>
void ProduceReportLines(const ReportSource& source, const StringLookup& strings, Add add,
                        WorkProgress* progress = nullptr) {
  for (const std::string& line : ReportHeadingLines(source)) {
    if (!add(line)) return;
  }
  if (const std::optional<FilterNote> note = source.Filtering()) {
    if (!add(FilterNoteLine(*note, strings))) return;
  }
  ProduceReportRowLines(
      source, [&add](std::string_view lines) { return add.Lines(lines); }, progress);
}

}  // namespace

std::array<std::string, 5> ReportHeadingLines(const ReportSource& source) {
  return {source.Title(), ReportRule(), source.ColumnTitleLine(), source.SortMarkLine(),
          ReportRule()};
}

std::optional<std::string> WriteTextReport(const ReportSource& source, const StringLookup& strings,
                                           const std::filesystem::path& target,
                                           WorkProgress* progress) {
  if (progress) progress->Step(sid::kWorkSaving, source.RowCount());
  return WriteReportFile(
      target,
      [&source, &strings, progress](auto add) {
        ProduceReportLines(source, strings, add, progress);
      },
      progress);
}

std::optional<std::string> WriteTextReport(const ReportSource& source, const StringLookup& strings,
                                           std::ostream& out) {
  return WriteReportStream(
      out, [&source, &strings](auto add) { ProduceReportLines(source, strings, add); });
}

}  // namespace telvoran
