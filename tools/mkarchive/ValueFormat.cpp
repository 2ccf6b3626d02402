#include "tools/mkarchive/ValueFormat.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "tools/mkarchive/RecordEncoding.h"

namespace telvoran {
namespace {

constexpr int kMaxDecimals = 3;

std::optional<ValueFormat> Fixed(std::string_view decimals) {
  if (decimals.size() != 1 || decimals[0] < '0' || decimals[0] > '0' + kMaxDecimals) {
    return std::nullopt;
  }
  return ValueFormat{ValueFormat::Style::kFixed, decimals[0] - '0'};
}

}  // namespace

std::optional<ValueFormat> ParseValueFormat(std::string_view text) {
  if (text == "text") return ValueFormat{ValueFormat::Style::kText, 0};
  if (text == "int" || text == "%5d") return ValueFormat{ValueFormat::Style::kFixed, 0};
  if (text.starts_with("fixed:")) return Fixed(text.substr(6));
  if (text.starts_with("%5.") && text.ends_with("f")) return Fixed(text.substr(3, text.size() - 4));
  return std::nullopt;
}

std::string FormatNumber(double value, const ValueFormat& format) {
  // Large enough for any double in fixed notation with up to three decimals.
  std::array<char, 320> digits{};
  const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), value,
                                    std::chars_format::fixed, format.decimals);
  const std::string_view number(digits.data(),
                                static_cast<std::size_t>(result.ptr - digits.data()));
  std::string text(kValueWidth - std::min(number.size(), kValueWidth), ' ');
  text += number;
  return text;
}

std::string RandomText(DeterministicRandom& random) {
  std::string text(kValueWidth, ' ');
  for (char& c : text) c = static_cast<char>(random.Between(' ', '~'));
  return text;
}

}  // namespace telvoran
