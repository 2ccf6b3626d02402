#include "tools/mkarchive/ArgumentParsing.h"

#include <charconv>
#include <cmath>

namespace telvoran {
namespace {

std::string Quoted(std::string_view text) {
  return "'" + std::string(text) + "'";
}

std::string Named(std::string_view option) {
  return std::string(option) + ": ";
}

bool ReadWhole(std::string_view text, std::uint64_t& value) {
  const char* end = text.data() + text.size();
  const auto result = std::from_chars(text.data(), end, value);
  return !text.empty() && result.ec == std::errc{} && result.ptr == end;
}

// Reads exactly `digits` decimal digits from the front of `text` and moves past them.
bool ReadFixedDigits(std::string_view& text, std::size_t digits, int& value) {
  if (text.size() < digits) return false;
  std::uint64_t number = 0;
  if (!ReadWhole(text.substr(0, digits), number)) return false;
  value = static_cast<int>(number);
  text.remove_prefix(digits);
  return true;
}

bool ReadSeparator(std::string_view& text, char separator) {
  if (text.empty() || text.front() != separator) return false;
  text.remove_prefix(1);
  return true;
}

bool ReadDateTime(std::string_view text, DateTime& time) {
  if (!ReadFixedDigits(text, 4, time.year) || !ReadSeparator(text, '-') ||
      !ReadFixedDigits(text, 2, time.month) || !ReadSeparator(text, '-') ||
      !ReadFixedDigits(text, 2, time.day)) {
    return false;
  }
  if (text.empty()) return true;
  if (!ReadSeparator(text, 'T') && !ReadSeparator(text, ' ')) return false;
  if (!ReadFixedDigits(text, 2, time.hour) || !ReadSeparator(text, ':') ||
      !ReadFixedDigits(text, 2, time.minute)) {
    return false;
  }
  if (text.empty()) return true;
  return ReadSeparator(text, ':') && ReadFixedDigits(text, 2, time.second) && text.empty();
}

// Seconds in one unit of a duration's suffix; 0 for an unknown suffix.
std::uint64_t SecondsPerUnit(char suffix) {
  switch (suffix) {
    case 's':
      return 1;
    case 'm':
      return 60;
    case 'h':
      return 3600;
    case 'd':
      return 86400;
    default:
      return 0;
  }
}

}  // namespace

std::uint64_t ParseWholeNumber(std::string_view option, std::string_view text, std::uint64_t min,
                               std::uint64_t max) {
  std::uint64_t value = 0;
  if (!ReadWhole(text, value) || value < min || value > max) {
    throw UsageError(Named(option) + Quoted(text) + " is not a whole number from " +
                     std::to_string(min) + " to " + std::to_string(max));
  }
  return value;
}

double ParseDecimalNumber(std::string_view option, std::string_view text) {
  double value = 0;
  const char* end = text.data() + text.size();
  const auto result = std::from_chars(text.data(), end, value);
  if (text.empty() || result.ec != std::errc{} || result.ptr != end || !std::isfinite(value)) {
    throw UsageError(Named(option) + Quoted(text) + " is not a number");
  }
  return value;
}

DateTime ParseDateTime(std::string_view option, std::string_view text) {
  DateTime time;
  if (!ReadDateTime(text, time) || !IsValidDateTime(time)) {
    throw UsageError(Named(option) + Quoted(text) +
                     " is not a date and time like 2005-03-14 or 2005-03-14T08:05:00");
  }
  return time;
}

std::int64_t ParseDuration(std::string_view option, std::string_view text) {
  constexpr std::uint64_t kMaxSeconds = 100ull * 366 * 86400;
  std::string_view digits = text;
  std::uint64_t secondsPerUnit = 1;
  if (!text.empty() && (text.back() < '0' || text.back() > '9')) {
    secondsPerUnit = SecondsPerUnit(text.back());
    digits.remove_suffix(1);
  }
  std::uint64_t count = 0;
  if (secondsPerUnit == 0 || !ReadWhole(digits, count) || count > kMaxSeconds / secondsPerUnit) {
    throw UsageError(Named(option) + Quoted(text) +
                     " is not a duration like 90, 90s, 15m, 2h or 1d (up to 100 years)");
  }
  return static_cast<std::int64_t>(count * secondsPerUnit);
}

std::pair<std::string_view, std::string_view> SplitPair(std::string_view option,
                                                        std::string_view text, char separator,
                                                        std::string_view expectedForm) {
  const auto at = text.find(separator);
  if (at == std::string_view::npos) {
    throw UsageError(Named(option) + Quoted(text) + " is not of the form " +
                     std::string(expectedForm));
  }
  return {text.substr(0, at), text.substr(at + 1)};
}

}  // namespace telvoran
