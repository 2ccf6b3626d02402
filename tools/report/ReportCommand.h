#pragma once

#include <filesystem>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

namespace telvoran {

inline constexpr std::string_view kReportProgram = "telvoran-report: ";

// Exit statuses of telvoran-report.
inline constexpr int kReportDone = 0;
// The archive cannot be shown: the program's own message, a kind the tool does not read, or a
// column the view does not have.
inline constexpr int kReportRefused = 1;
// An unforeseen error in reading, writing or printing; no string library; a wrong command line.
inline constexpr int kReportFailed = 2;

// Runs telvoran-report with the given arguments (without the program's name): the text report
// goes to `out` unless a file is named for it, help to `out`, failures to `err` in UTF-8. The
// string library is read from `programDirectory`, which must be absolute. Returns the exit
// status.
int RunReport(std::span<const std::string> arguments, std::ostream& out, std::ostream& err,
              const std::filesystem::path& programDirectory);

}  // namespace telvoran
