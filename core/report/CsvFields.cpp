#include "core/report/CsvFields.h"

#include <algorithm>
#include <iterator>

#include "core/chart/ArchiveTime.h"
#include "core/chart/ChannelValue.h"
#include "core/rows/DateTimeColumn.h"
#include "core/sort/RowText.h"
#include "core/text/Cp1250.h"

namespace telvoran {
namespace {

bool IsPadding(char c) {
  return c == ' ' || c == '\0';
}

// The apostrophe that marks a field as text in a spreadsheet.
constexpr char kTextMark = '\'';

}  // namespace

// Written by hand: the quoting is a few lines, and the CSV library Debian has quotes every
// field and has no Windows build here.
void AppendCsvField(std::string& line, std::string_view field) {
  if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
    line += field;
    return;
  }
  line += '"';
  for (const char c : field) {
    if (c == '"') line += '"';
    line += c;
  }
  line += '"';
}

std::string CsvTextField(std::string text) {
  if (text.empty() || std::string_view("=+-@\t\r").find(text.front()) == std::string_view::npos)
    return text;
  text.insert(text.begin(), kTextMark);
  return text;
}

std::string CsvDateTime(const unsigned char* bytes) {
  if (RecordTime(bytes)) {
    // Every field of a real moment lies from 0 to 99, the year counted from 2000: two digits
    // each, put in place by hand, as an export writes one date for every record.
    std::string text = "20yy-mm-ddThh:mm:ss";
    constexpr std::size_t kPlaces[] = {2, 5, 8, 11, 14, 17};
    for (std::size_t field = 0; field < std::size(kPlaces); ++field) {
      const int number = int{bytes[field]} - 10;
      text[kPlaces[field]] = static_cast<char>('0' + number / 10);
      text[kPlaces[field] + 1] = static_cast<char>('0' + number % 10);
    }
    return text;
  }
  RowText row;
  AppendDateTime(row, bytes);
  const std::string_view text = row.Row();
  std::string dateTime(1, kTextMark);
  // The row puts two spaces between the day and the hour, whatever the fields hold.
  const std::size_t gap = text.find("  ");
  if (gap == std::string_view::npos) return dateTime += text;
  dateTime += text.substr(0, gap);
  dateTime += 'T';
  dateTime += text.substr(gap + 2);
  return dateTime;
}

std::string CsvText(std::string_view text) {
  while (!text.empty() && IsPadding(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsPadding(text.back())) text.remove_suffix(1);
  std::string inner(text);
  std::replace(inner.begin(), inner.end(), '\0', ' ');
  return CsvTextField(Cp1250ToUtf8(inner));
}

std::string CsvValue(std::string_view text) {
  if (const auto number = ParseChannelValue(text))
    return FormatChannelNumber(number->value, number->decimals, false);
  return CsvText(text);
}

}  // namespace telvoran
