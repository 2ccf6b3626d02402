#pragma once

#include <optional>
#include <string>

#include "tools/report/ReportOptions.h"

namespace telvoran {

// Why the files named for the report and the printout cannot be written as asked: one of them
// is the archive itself, which the report would replace, or both name the same file, so that
// one would replace the other. Nothing when they are distinct.
std::optional<std::string> FindOutputClash(const ReportOptions& options);

}  // namespace telvoran
