#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

namespace telvoran {

class ReportSource;
class StringLookup;

inline constexpr std::string_view kReportProgram = "telvoran-report: ";

// Exit statuses of telvoran-report.
inline constexpr int kReportDone = 0;
// The archive cannot be shown: the program's own message, a kind the tool does not read, or a
// column the view does not have; or the printout is asked of a build that cannot make it.
inline constexpr int kReportRefused = 1;
// An unforeseen error in reading, writing or printing; no string library; a wrong command line.
inline constexpr int kReportFailed = 2;

// Prints the view of a report into a PDF file: nothing on success, else the text of the failure.
using PdfPrinter = std::optional<std::string> (*)(const ReportSource& report,
                                                  const StringLookup& strings,
                                                  const std::filesystem::path& target);

// Runs telvoran-report with the given arguments (without the program's name): the text report
// goes to `out` unless a file is named for it, help to `out`, failures to `err` in UTF-8. The
// string library is read from `programDirectory`, which must be absolute. `printPdf` makes the
// printout; without one (a build without the desktop program) --pdf is refused before anything
// is read or written. Returns the exit status.
int RunReport(std::span<const std::string> arguments, std::ostream& out, std::ostream& err,
              const std::filesystem::path& programDirectory, PdfPrinter printPdf);

}  // namespace telvoran
