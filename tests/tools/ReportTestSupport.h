#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "support/ArchiveRecords.h"
#include "support/TempDir.h"
#include "tools/report/ReportCommand.h"
#ifdef TELVORAN_REPORT_PDF
#include "tools/report/PdfPrintout.h"
#endif

namespace telvoran::test {

struct ReportRun {
  int exitStatus;
  std::string out;
  std::string err;
};

// The printer of this build's telvoran-report: none without the desktop program.
#ifdef TELVORAN_REPORT_PDF
inline constexpr PdfPrinter kBuildsPdfPrinter = &PrintToPdf;
inline constexpr bool kBuildPrints = true;
#else
inline constexpr PdfPrinter kBuildsPdfPrinter = nullptr;
inline constexpr bool kBuildPrints = false;
#endif

// Runs telvoran-report in-process with the Polish string library of the build.
inline ReportRun RunReportWith(const std::vector<std::string>& arguments,
                               const std::filesystem::path& programDirectory = TELVORAN_BUILD_DIR,
                               PdfPrinter printPdf = kBuildsPdfPrinter) {
  std::ostringstream out;
  std::ostringstream err;
  const int status = RunReport(arguments, out, err, programDirectory, printPdf);
  return {status, out.str(), err.str()};
}

inline std::string ReadFileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The report's lines joined, each followed by CR LF.
inline std::string CrLfLines(const std::vector<std::string>& lines) {
  std::string bytes;
  for (const std::string& line : lines) bytes += line + "\r\n";
  return bytes;
}

// The line that marks the sorted column: "<>" ending at column `end`.
inline std::string SortMark(std::size_t end) {
  return std::string(end - 2, ' ') + "<>";
}

inline const std::string kRule(92, '-');

}  // namespace telvoran::test
