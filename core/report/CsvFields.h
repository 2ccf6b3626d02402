#pragma once

#include <string>
#include <string_view>

namespace telvoran {

// The fields of a spreadsheet file (CSV as RFC 4180 has it, in UTF-8), made from the texts of
// archive records (Windows-1250).

// Appends `field` (UTF-8) to a CSV line as it stands, or between double quotes with each quote
// doubled when it holds a comma, a double quote, a carriage return or a line feed.
void AppendCsvField(std::string& line, std::string_view field);

// A text field (UTF-8) as a spreadsheet keeps it, as text: one that begins with a character a
// spreadsheet takes for the start of a formula (=, +, -, @) or drops (a tab, a carriage
// return) is led by an apostrophe, the usual mark of text; any other stays as it is.
std::string CsvTextField(std::string text);

// The date and time of six record bytes (year, month, day, hour, minute, second, each its
// number plus 10, the year counted from 2000) in ISO 8601, "2005-03-14T08:05:00", when they
// name a real moment. Otherwise the date and time as the row shows them, with a "T" in place
// of the two spaces between date and time, led by an apostrophe ("'2005-13-14T08:05:00",
// "'2005-03-14T30:15:00"): a spreadsheet keeps that as text, where it would count an hour 30
// on into the next day, and the reader sees what the archive holds.
std::string CsvDateTime(const unsigned char* bytes);

// A fixed-width text field of a record in UTF-8, without the spaces (and zero bytes) that pad
// it; a zero byte inside it becomes a space, as in the row. Given as CsvTextField.
std::string CsvText(std::string_view text);

// A value field: a number written with a dot or a comma as the decimal sign becomes the same
// number with a dot ("21,5" and " 21.5" give "21.5", "-1,5" gives "-1.5"); a blank field stays
// empty; anything else is given as CsvText.
std::string CsvValue(std::string_view text);

}  // namespace telvoran
