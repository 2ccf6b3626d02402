#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "tools/report/ReportOptions.h"

namespace telvoran {

// Why the files named for the report, the printout and the spreadsheet export cannot be written
// as asked: one of them is the archive itself, which it would replace, or a file of the program
// in `programDirectory` (its string library, or a program or module there), without which the
// programs would not start; or two name the same file, so that one would replace the other.
// Each is compared as the file it is, through links too. Nothing when they are distinct.
std::optional<std::string> FindOutputClash(const ReportOptions& options,
                                           const std::filesystem::path& programDirectory);

}  // namespace telvoran
