#include "tools/mkarchive/ValueFormat.h"

#include <array>
#include <cstdio>

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
  const int width = static_cast<int>(kValueWidth);
  std::array<char, 32> buffer{};
  const int length =
      std::snprintf(buffer.data(), buffer.size(), "%*.*f", width, format.decimals, value);
  if (length < 0) return std::string(kValueWidth, '?');
  if (static_cast<std::size_t>(length) < buffer.size()) {
    return std::string(buffer.data(), static_cast<std::size_t>(length));
  }
  std::string wide(static_cast<std::size_t>(length), ' ');
  std::snprintf(wide.data(), wide.size() + 1, "%*.*f", width, format.decimals, value);
  return wide;
}

std::string RandomText(DeterministicRandom& random) {
  std::string text(kValueWidth, ' ');
  for (char& c : text) c = static_cast<char>(random.Between(' ', '~'));
  return text;
}

}  // namespace telvoran
