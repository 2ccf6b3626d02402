#pragma once

#include <optional>
#include <string>

#include "tools/report/ReportOptions.h"

namespace telvoran {

// Why the files named for the report, the printout and the spreadsheet export cannot be written
// as asked: one of them is the archive itself, which it would replace, or two name the same
// file, so that one would replace the other. Nothing when they are distinct.
std::optional<std::string> FindOutputClash(const ReportOptions& options);

}  // namespace telvoran
