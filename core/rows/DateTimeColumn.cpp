#include "core/rows/DateTimeColumn.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace telvoran {
namespace {

constexpr int kDateTimeFields = 6;

int Decoded(unsigned char byte) {
  return int{byte} - 10;
}

void AppendField(RowText& row, std::string_view shortLeadIn, std::string_view leadIn, int number) {
  row.Append(number < 10 ? shortLeadIn : leadIn);
  row.AppendNumber(number);
}

// Every field from 0 to 99: the column is "20YY-MM-DD  HH:MM:SS" with each number in two digits,
// which is what the lead-ins amount to then.
bool AllFieldsInTwoDigits(const unsigned char* bytes) {
  return std::all_of(bytes, bytes + kDateTimeFields,
                     [](unsigned char byte) { return Decoded(byte) >= 0 && Decoded(byte) < 100; });
}

void AppendTwoDigitDateTime(RowText& row, const unsigned char* bytes) {
  std::array<char, 20> text{'2', '0', 0, 0, '-', 0, 0, '-', 0, 0,
                            ' ', ' ', 0, 0, ':', 0, 0, ':', 0, 0};
  constexpr std::array<std::size_t, kDateTimeFields> kPositions{2, 5, 8, 12, 15, 18};
  for (int field = 0; field < kDateTimeFields; ++field) {
    const int number = Decoded(bytes[field]);
    text[kPositions[field]] = static_cast<char>('0' + number / 10);
    text[kPositions[field] + 1] = static_cast<char>('0' + number % 10);
  }
  row.Append(std::string_view(text.data(), text.size()));
}

}  // namespace

void AppendDateTime(RowText& row, const unsigned char* bytes) {
  // A row is built for every record read; nearly every record holds a date of this century.
  if (AllFieldsInTwoDigits(bytes)) {
    AppendTwoDigitDateTime(row, bytes);
    return;
  }
  AppendField(row, "200", "20", Decoded(bytes[0]));
  AppendField(row, "-0", "-", Decoded(bytes[1]));
  AppendField(row, "-0", "-", Decoded(bytes[2]));
  AppendField(row, "  0", "  ", Decoded(bytes[3]));
  AppendField(row, ":0", ":", Decoded(bytes[4]));
  AppendField(row, ":0", ":", Decoded(bytes[5]));
}

}  // namespace telvoran
