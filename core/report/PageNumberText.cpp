#include "core/report/PageNumberText.h"

#include <cstdint>
#include <optional>

namespace telvoran {
namespace {

// Wider fields than this make no sense on a page and are taken as a malformed pattern.
constexpr int kMaxFieldWidth = 255;

struct IntegerPlaceholder {
  bool leftAligned = false;
  bool plusSign = false;
  bool spaceSign = false;
  bool zeroFilled = false;
  int width = 0;
  std::optional<int> precision;
  bool isUnsigned = false;
};

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Reads a run of decimal digits at `pos`; none reads as 0. Empty when it exceeds the limit.
std::optional<int> ReadNumber(std::string_view pattern, std::size_t& pos) {
  int value = 0;
  while (pos < pattern.size() && IsDigit(pattern[pos])) {
    value = value * 10 + (pattern[pos++] - '0');
    if (value > kMaxFieldWidth) return std::nullopt;
  }
  return value;
}

// Reads the placeholder after its "%" at `pos`, leaving `pos` after the conversion letter.
std::optional<IntegerPlaceholder> ReadPlaceholder(std::string_view pattern, std::size_t& pos) {
  IntegerPlaceholder placeholder;
  for (; pos < pattern.size(); ++pos) {
    const char flag = pattern[pos];
    if (flag == '-') {
      placeholder.leftAligned = true;
    } else if (flag == '+') {
      placeholder.plusSign = true;
    } else if (flag == ' ') {
      placeholder.spaceSign = true;
    } else if (flag == '0') {
      placeholder.zeroFilled = true;
    } else {
      break;
    }
  }
  const std::optional<int> width = ReadNumber(pattern, pos);
  if (!width) return std::nullopt;
  placeholder.width = *width;
  if (pos < pattern.size() && pattern[pos] == '.') {
    ++pos;
    placeholder.precision = ReadNumber(pattern, pos);
    if (!placeholder.precision) return std::nullopt;
  }
  if (pos < pattern.size() && pattern[pos] == 'l') ++pos;
  if (pos == pattern.size()) return std::nullopt;
  const char conversion = pattern[pos++];
  if (conversion == 'u') {
    placeholder.isUnsigned = true;
  } else if (conversion != 'd' && conversion != 'i') {
    return std::nullopt;
  }
  return placeholder;
}

// The number as printf writes it for the placeholder.
std::string FormatInteger(const IntegerPlaceholder& placeholder, int value) {
  const bool negative = !placeholder.isUnsigned && value < 0;
  const std::uint64_t magnitude = placeholder.isUnsigned
                                      ? static_cast<unsigned int>(value)
                                      : (negative ? -static_cast<std::int64_t>(value) : value);
  std::string digits = std::to_string(magnitude);
  if (placeholder.precision) {
    const auto precision = static_cast<std::size_t>(*placeholder.precision);
    if (precision == 0 && magnitude == 0) digits.clear();
    if (digits.size() < precision) digits.insert(0, precision - digits.size(), '0');
  }

  std::string sign;
  if (negative) {
    sign = "-";
  } else if (!placeholder.isUnsigned && placeholder.plusSign) {
    sign = "+";
  } else if (!placeholder.isUnsigned && placeholder.spaceSign) {
    sign = " ";
  }

  const std::size_t length = sign.size() + digits.size();
  const std::size_t fill =
      static_cast<std::size_t>(placeholder.width) > length ? placeholder.width - length : 0;
  if (placeholder.leftAligned) return sign + digits + std::string(fill, ' ');
  if (placeholder.zeroFilled && !placeholder.precision) {
    return sign + std::string(fill, '0') + digits;
  }
  return std::string(fill, ' ') + sign + digits;
}

}  // namespace

std::string PageNumberText(std::string_view pattern, int pageNumber) {
  std::string text;
  bool placeholderSeen = false;
  std::size_t pos = 0;
  while (pos < pattern.size()) {
    const char c = pattern[pos++];
    if (c != '%') {
      text += c;
    } else if (pos < pattern.size() && pattern[pos] == '%') {
      text += '%';
      ++pos;
    } else {
      const std::optional<IntegerPlaceholder> placeholder = ReadPlaceholder(pattern, pos);
      if (!placeholder || placeholderSeen) return std::string(pattern);
      text += FormatInteger(*placeholder, pageNumber);
      placeholderSeen = true;
    }
  }
  return text;
}

}  // namespace telvoran
