#include "core/chart/ChannelValue.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace telvoran {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\0';
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Powers of ten up to 10^22 are exact doubles; looking them up keeps the reading of a million
// records cheap.
double PowerOfTen(int exponent) {
  static constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                       1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                       1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  return exponent < 23 ? kPowers[exponent] : std::pow(10.0, exponent);
}

}  // namespace

// Written by hand rather than with strtod or from_chars: those also take exponents, "inf",
// "nan" and hexadecimal forms, follow the locale's decimal sign or know only the dot.
std::optional<ChannelNumber> ParseChannelValue(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);

  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }

  ChannelNumber number;
  // Every digit, the decimal sign left out: counted in a whole number while that is exact and
  // quicker (a record's value has a few digits), in a double beyond, exact up to 15 digits.
  constexpr int kWholeDigits = 15;
  std::uint64_t whole = 0;
  double digitsValue = 0;
  int digits = 0;
  bool afterSign = false;
  for (const char c : text) {
    if (IsDigit(c)) {
      ++digits;
      if (digits <= kWholeDigits) {
        whole = whole * 10 + static_cast<std::uint64_t>(c - '0');
        if (digits == kWholeDigits) digitsValue = static_cast<double>(whole);
      } else {
        digitsValue = digitsValue * 10 + (c - '0');
      }
      if (afterSign) ++number.decimals;
    } else if ((c == '.' || c == ',') && !afterSign) {
      afterSign = true;
      number.comma = c == ',';
    } else {
      return std::nullopt;
    }
  }
  if (digits == 0) return std::nullopt;
  if (digits < kWholeDigits) digitsValue = static_cast<double>(whole);
  // One division by a power of ten rounds once: "21.5" gives exactly the double nearest 21.5.
  number.value = digitsValue / PowerOfTen(number.decimals);
  if (negative) number.value = -number.value;
  return number;
}

// std::to_chars writes what printf's "%.*f" writes, many times faster: a spreadsheet export
// formats every value of an archive.
std::string FormatChannelNumber(double value, int decimals, bool comma) {
  char text[352];  // the widest double in fixed notation with 15 decimals, its sign included
  const std::to_chars_result written = std::to_chars(
      text, text + sizeof text, value, std::chars_format::fixed, std::clamp(decimals, 0, 15));
  std::string number(text, written.ptr);
  // A value rounded to zero is written without a sign: "0.0", never "-0.0".
  if (number.starts_with('-') && number.find_first_not_of("-0.") == std::string::npos)
    number.erase(0, 1);
  if (comma) std::replace(number.begin(), number.end(), '.', ',');
  return number;
}

}  // namespace telvoran
