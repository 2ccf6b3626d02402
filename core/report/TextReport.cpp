#include "core/report/TextReport.h"

#include <cerrno>
#include <ostream>
#include <string_view>
#include <system_error>

#include "core/platform/ReplacingFile.h"
#include "core/report/ReportLines.h"

namespace telvoran {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
// Lines are collected into pieces of about this size before they are written: a large report
// then costs a few thousand writes, not two for every row.
constexpr std::size_t kPieceBytes = std::size_t{64} << 10;
// Writes the report's bytes through `write`, which takes a piece of them and returns false once
// writing has failed: the heading block first, then each row's DisplayText, every line followed
// by CR LF. Stops at the first refused piece.
template <typename Write>
void WriteReportLines(const ReportSource& source, Write write) {
  std::string piece;
  piece.reserve(kPieceBytes + 256);
  auto add = [&](std::string_view line) {
    piece += line;
    piece += kLineEnd;
    if (piece.size() < kPieceBytes) return true;
    const bool written = write(std::string_view(piece));
    piece.clear();
    return written;
  };

  for (const std::string& line : ReportHeadingLines(source)) {
    if (!add(line)) return;
  }
  const std::size_t rowCount = source.RowCount();
  for (std::size_t row = 0; row < rowCount; ++row) {
    if (!add(source.DisplayText(row))) return;
  }
  if (!piece.empty()) write(std::string_view(piece));
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
  // A refused piece stops the writing; Commit() reports why.
  WriteReportLines(source, [&file](std::string_view piece) { return file.Write(piece); });
  return file.Commit();
}

std::optional<std::string> WriteTextReport(const ReportSource& source, std::ostream& out) {
  errno = 0;
  WriteReportLines(source, [&out](std::string_view piece) {
    out.write(piece.data(), static_cast<std::streamsize>(piece.size()));
    return out.good();
  });
  if (out.good()) out.flush();
  if (out.good()) return std::nullopt;
  // A stream keeps no reason of its own; the system's last error is the best account of it.
  return std::generic_category().message(errno != 0 ? errno : EIO);
}

}  // namespace telvoran
