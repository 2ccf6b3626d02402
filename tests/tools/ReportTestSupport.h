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

namespace telvoran::test {

struct ReportRun {
  int exitStatus;
  std::string out;
  std::string err;
};

// Runs telvoran-report in-process with the Polish string library of the build.
inline ReportRun RunReportWith(const std::vector<std::string>& arguments,
                               const std::filesystem::path& programDirectory = TELVORAN_BUILD_DIR) {
  std::ostringstream out;
  std::ostringstream err;
  const int status = RunReport(arguments, out, err, programDirectory);
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
