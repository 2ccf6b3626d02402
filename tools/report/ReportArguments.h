#pragma once

#include <span>
#include <stdexcept>
#include <string>

#include "tools/report/ReportOptions.h"

namespace telvoran {

// A command line that telvoran-report cannot carry out as written. The message names the fault.
class ReportUsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reads the command line, without the program's name: "--sort N" ("-s N"), "--output FILE"
// ("-o FILE") and "--pdf FILE", long names also as "--name=value", the last one given counting;
// "-h" or "--help"; "--version"; and exactly one archive unless help or the version is asked
// for. "--" ends the options. Throws ReportUsageError.
ReportOptions ParseReportArguments(std::span<const std::string> arguments);

}  // namespace telvoran
