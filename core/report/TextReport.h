#pragma once

#include <array>
#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>

#include "core/report/ReportSource.h"

namespace telvoran {

class StringLookup;
class WorkProgress;

// The heading block shared by the report and the printout: the view's title, a rule, the column
// titles, the sort mark line and a second rule.
std::array<std::string, 5> ReportHeadingLines(const ReportSource& source);

// Saves the report of `source` as `target`: the heading block, then (for a filtered view only)
// the printout's note line of how the filter chose the rows, in the words of `strings`, then
// every row's DisplayText in list order, each line's bytes followed by CR LF; no byte-order
// mark, no end marker. The file appears under its name only once complete and replaces an
// existing file then. Returns nothing on success, else the platform's text for the failure; the
// target is then left as it was. With `progress`, the rows written are told to it; asked to
// stop, it writes nothing: no file appears and an existing one stays as it was.
std::optional<std::string> WriteTextReport(const ReportSource& source, const StringLookup& strings,
                                           const std::filesystem::path& target,
                                           WorkProgress* progress = nullptr);

// Writes the same bytes to `out` as they come, and flushes it. Returns nothing on success, else
// the platform's text for the failure; what was written before it stays written.
std::optional<std::string> WriteTextReport(const ReportSource& source, const StringLookup& strings,
                                           std::ostream& out);

}  // namespace telvoran
