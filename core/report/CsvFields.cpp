#include "core/report/CsvFields.h"

#include <algorithm>
#include <cstdio>

#include "core/chart/ArchiveTime.h"
#include "core/chart/ChannelValue.h"
#include "core/rows/DateTimeColumn.h"
#include "core/rows/RowText.h"
#include "core/text/Cp1250.h"

namespace telvoran {
namespace {

bool IsPadding(char c) {
  return c == ' ' || c == '\0';
}

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

std::string CsvDateTime(const unsigned char* bytes) {
  if (const auto moment = RecordTime(bytes)) {
    const CivilTime time = ToCivilTime(*moment);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", time.year, time.month,
                  time.day, time.hour, time.minute, time.second);
    return text;
  }
  RowText row;
  AppendDateTime(row, bytes);
  std::string text(row.Row());
  // The row puts two spaces between the day and the hour, whatever the fields hold.
  if (const std::size_t gap = text.find("  "); gap != std::string::npos) text.replace(gap, 2, "T");
  return text;
}

std::string CsvText(std::string_view text) {
  while (!text.empty() && IsPadding(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsPadding(text.back())) text.remove_suffix(1);
  std::string inner(text);
  std::replace(inner.begin(), inner.end(), '\0', ' ');
  return Cp1250ToUtf8(inner);
}

std::string CsvValue(std::string_view text) {
  if (const auto number = ParseChannelValue(text))
    return FormatChannelNumber(number->value, number->decimals, false);
  return CsvText(text);
}

}  // namespace telvoran
