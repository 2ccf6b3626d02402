#include "output/TextReport.h"

#include <string_view>

#include "output/ReplacingFile.h"
#include "output/ReportLines.h"

namespace telvoran {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

bool WriteLine(ReplacingFile& file, std::string_view line) {
  return file.Write(line) && file.Write(kLineEnd);
}

}  // namespace

std::array<std::string, 5> ReportHeadingLines(const ReportSource& source) {
  return {source.Title(), ReportRule(), source.ColumnTitleLine(), source.SortMarkLine(),
          ReportRule()};
}

std::optional<std::string> WriteTextReport(const ReportSource& source,
                                           const std::filesystem::path& target) {
  ReplacingFile file(target);
  if (auto failure = file.Open()) return failure;
  for (const std::string& line : ReportHeadingLines(source)) WriteLine(file, line);
  const std::size_t rowCount = source.RowCount();
  for (std::size_t row = 0; row < rowCount; ++row) {
    if (!WriteLine(file, source.DisplayText(row))) break;  // Commit() reports why
  }
  return file.Commit();
}

}  // namespace telvoran
