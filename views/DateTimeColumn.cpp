#include "views/DateTimeColumn.h"

#include <string_view>

namespace telvoran {
namespace {

int Decoded(unsigned char byte) {
  return int{byte} - 10;
}

void AppendField(RowText& row, std::string_view shortLeadIn, std::string_view leadIn, int number) {
  row.Append(number < 10 ? shortLeadIn : leadIn);
  // The one or two digits of a date or time in range, written directly: a row is built for
  // every record read.
  if (number >= 0 && number < 100) {
    if (number >= 10) row.Append(static_cast<char>('0' + number / 10));
    row.Append(static_cast<char>('0' + number % 10));
  } else {
    row.AppendNumber(number);
  }
}

}  // namespace

void AppendDateTime(RowText& row, const unsigned char* bytes) {
  AppendField(row, "200", "20", Decoded(bytes[0]));
  AppendField(row, "-0", "-", Decoded(bytes[1]));
  AppendField(row, "-0", "-", Decoded(bytes[2]));
  AppendField(row, "  0", "  ", Decoded(bytes[3]));
  AppendField(row, ":0", ":", Decoded(bytes[4]));
  AppendField(row, ":0", ":", Decoded(bytes[5]));
}

}  // namespace telvoran
