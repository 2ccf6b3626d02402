#include "output/TextReport.h"

#include <cerrno>
#include <ostream>
#include <string_view>
#include <system_error>

#include "output/ReplacingFile.h"
#include "output/ReportLines.h"

namespace telvoran {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
// How many rows ahead of the one being written the texts are fetched into the cache.
constexpr std::size_t kRowsFetchedAhead = 64;
constexpr std::size_t kCacheLineBytes = 64;

// Asks the processor to bring a text into the cache. In list order the rows of a sorted view lie
// scattered over memory; fetching them ahead lets many of them travel at once. The text is never
// read here, so the view it came from may be gone by the time the fetch ends.
void FetchAhead(std::string_view text) {
#if defined(__GNUC__) || defined(__clang__)
  for (std::size_t offset = 0; offset < text.size(); offset += kCacheLineBytes) {
    __builtin_prefetch(text.data() + offset);
  }
  if (!text.empty()) __builtin_prefetch(text.data() + text.size() - 1);
#else
  (void)text;
#endif
}

// Hands every line of the report to `writeLine` in order, the heading block first and then each
// row's DisplayText, until `writeLine` refuses one.
template <typename WriteLine>
void ForEachReportLine(const ReportSource& source, WriteLine writeLine) {
  for (const std::string& line : ReportHeadingLines(source)) {
    if (!writeLine(line)) return;
  }
  const std::size_t rowCount = source.RowCount();
  for (std::size_t row = 0; row < rowCount; ++row) {
    if (row + kRowsFetchedAhead < rowCount) FetchAhead(source.DisplayText(row + kRowsFetchedAhead));
    if (!writeLine(source.DisplayText(row))) return;
  }
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
  // A refused line stops the writing; Commit() reports why.
  ForEachReportLine(source, [&file](std::string_view line) {
    return file.Write(line) && file.Write(kLineEnd);
  });
  return file.Commit();
}

std::optional<std::string> WriteTextReport(const ReportSource& source, std::ostream& out) {
  errno = 0;
  ForEachReportLine(source, [&out](std::string_view line) {
    out.write(line.data(), static_cast<std::streamsize>(line.size()));
    out.write(kLineEnd.data(), static_cast<std::streamsize>(kLineEnd.size()));
    return out.good();
  });
  if (out.good()) out.flush();
  if (out.good()) return std::nullopt;
  // A stream keeps no reason of its own; the system's last error is the best account of it.
  return std::generic_category().message(errno != 0 ? errno : EIO);
}

}  // namespace telvoran
