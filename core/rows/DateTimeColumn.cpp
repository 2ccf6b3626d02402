#include "core/rows/DateTimeColumn.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "core/archive/RecordLayout.h"

namespace telvoran {
namespace {

constexpr int kDateTimeFields = static_cast<int>(kDateTimeBytes);

int Decoded(unsigned char byte) {
  return DecodedByte(byte);
}

void AppendField(RowText& row, std::string_view shortLeadIn, std::string_view leadIn, int number) {
  row.Append(number < 10 ? shortLeadIn : leadIn);
  row.AppendNumber(number);
}

// The two digits of every number from 0 to 99.
constexpr std::array<std::array<char, 2>, 100> kTwoDigits = [] {
  std::array<std::array<char, 2>, 100> digits{};
  for (int n = 0; n < 100; ++n)
    digits[static_cast<std::size_t>(n)] = {static_cast<char>('0' + n / 10),
                                           static_cast<char>('0' + n % 10)};
  return digits;
}();

// The two digits of every number from 0 to 99 as they lie in memory, the first in the low byte.
constexpr std::array<std::uint16_t, 100> kDigitPairs = [] {
  std::array<std::uint16_t, 100> pairs{};
  for (std::size_t n = 0; n < 100; ++n)
    pairs[n] = static_cast<std::uint16_t>(kTwoDigits[n][0] | kTwoDigits[n][1] << 8);
  return pairs;
}();

void AppendTwoDigitDateTime(RowText& row, const unsigned char* bytes) {
  if (char* out = row.Extend(kDateTimeColumnWidth)) {
    WriteTwoDigitDateTime(out, bytes);
    return;
  }
  char text[kDateTimeColumnWidth];
  WriteTwoDigitDateTime(text, bytes);
  row.AppendWhole(text, kDateTimeColumnWidth);
}

// The characters of a field: its lead-in and its number.
std::size_t FieldWidth(std::size_t leadIn, unsigned char byte) {
  const int number = Decoded(byte);
  return (number < 10 ? leadIn + 1 : leadIn) + NumberWidth(number);
}

}  // namespace

// A row is built for every record written or sorted: the text is assembled in three words and
// stored in three moves, where storing the fields one by one into a copy that was then copied
// again made this the costliest step of a row.
void WriteTwoDigitDateTime(char* out, const unsigned char* bytes) {
  if constexpr (std::endian::native == std::endian::little) {
    auto pair = [bytes](int field) -> std::uint64_t { return kDigitPairs[bytes[field] - 10]; };
    const std::uint64_t minute = pair(4);
    // "20YY-MM-", "DD  hh:m" and "m:ss", each word's first character in its low byte.
    const std::uint64_t first = 0x3032u | pair(0) << 16 | std::uint64_t{'-'} << 32 | pair(1) << 40 |
                                std::uint64_t{'-'} << 56;
    const std::uint64_t second = pair(2) | std::uint64_t{0x2020} << 16 | pair(3) << 32 |
                                 std::uint64_t{':'} << 48 | (minute & 0xFF) << 56;
    const auto third =
        static_cast<std::uint32_t>(minute >> 8 | std::uint64_t{':'} << 8 | pair(5) << 16);
    std::memcpy(out, &first, 8);
    std::memcpy(out + 8, &second, 8);
    std::memcpy(out + 16, &third, 4);
  } else {
    std::memcpy(out, "20YY-MM-DD  hh:mm:ss", kDateTimeColumnWidth);
    constexpr std::array<std::size_t, kDateTimeFields> kPositions{2, 5, 8, 12, 15, 18};
    for (int field = 0; field < kDateTimeFields; ++field) {
      const auto& digits = kTwoDigits[static_cast<std::size_t>(bytes[field] - 10)];
      std::memcpy(out + kPositions[field], digits.data(), 2);
    }
  }
}

void AppendDateTime(RowText& row, const unsigned char* bytes) {
  // A row is built for every record read; nearly every record holds a date of this century.
  if (DateTimeInTwoDigits(bytes)) {
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

void AppendDateTimeBeginning(RowText& row, const unsigned char* bytes, std::size_t characters) {
  constexpr std::size_t kYearWidth = 4;
  if (characters == 0) return;
  if (characters > kYearWidth || !DateTimeInTwoDigits(bytes)) {
    AppendDateTime(row, bytes);
    return;
  }
  const auto& year = kTwoDigits[static_cast<std::size_t>(Decoded(bytes[0]))];
  if (char* out = row.Extend(kYearWidth)) {
    out[0] = '2';
    out[1] = '0';
    std::memcpy(out + 2, year.data(), 2);
    return;
  }
  const char text[kYearWidth] = {'2', '0', year[0], year[1]};
  row.AppendWhole(text, kYearWidth);
}

std::size_t DateTimeWidth(const unsigned char* bytes) {
  if (DateTimeInTwoDigits(bytes)) return kDateTimeColumnWidth;
  // Lead-ins as AppendDateTime() writes them: "20", "-", "-", "  ", ":", ":".
  return FieldWidth(2, bytes[0]) + FieldWidth(1, bytes[1]) + FieldWidth(1, bytes[2]) +
         FieldWidth(2, bytes[3]) + FieldWidth(1, bytes[4]) + FieldWidth(1, bytes[5]);
}

std::size_t NumberWidth(int number) {
  std::size_t width = number < 0 ? 2 : 1;
  for (unsigned magnitude = number < 0 ? 0u - static_cast<unsigned>(number)
                                       : static_cast<unsigned>(number);
       magnitude >= 10; magnitude /= 10)
    ++width;
  return width;
}

}  // namespace telvoran
