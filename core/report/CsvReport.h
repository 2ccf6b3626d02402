#pragma once

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>

#include "core/report/ReportSource.h"

namespace telvoran {

// The spreadsheet export of a data view: a CSV file as RFC 4180 has it, in UTF-8 without a
// byte-order mark, fields separated by commas, every line ended by CR LF. A view over a span of
// days begins with a line of one field naming the span. One heading line,
// then one line for each row in list order, made from the row's record:
// - interval view: date_time, then one column for each channel the header names, headed
//   "NAME [UNIT]", holding the channel's value;
// - event view: date_time, central_unit, channel, medium, value, unit, situation (the colour
//   digit) and situation_text (the row's situation text); the five fields from central_unit
//   to unit are empty for a situation whose row leaves them blank.
// Values are numbers with a dot as the decimal sign where they are numbers, otherwise the text
// as written; a blank value is an empty field.

// The heading line and the line of row `row`, without their line end.
std::string CsvHeadingLine(const ReportSource& source);
std::string CsvRowLine(const ReportSource& source, std::size_t row);

// Saves the spreadsheet export of `source` as `target`, which appears under its name only once
// complete and replaces an existing file then. Returns nothing on success, else the platform's
// text for the failure; the target is then left as it was.
std::optional<std::string> WriteCsvReport(const ReportSource& source,
                                          const std::filesystem::path& target);

// Writes the same bytes to `out` and flushes it. Returns nothing on success, else the
// platform's text for the failure; what was written before it stays written.
std::optional<std::string> WriteCsvReport(const ReportSource& source, std::ostream& out);

}  // namespace telvoran
