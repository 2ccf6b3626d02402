#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

#include "core/archive/DateTime.h"

namespace telvoran {

// A command line that cannot be carried out as written. The message names the option.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Each reader below takes the option's name for its message and throws UsageError.

std::uint64_t ParseWholeNumber(std::string_view option, std::string_view text, std::uint64_t min,
                               std::uint64_t max);
double ParseDecimalNumber(std::string_view option, std::string_view text);

// "YYYY-MM-DD", optionally followed by "T" or a space and "HH:MM" or "HH:MM:SS".
DateTime ParseDateTime(std::string_view option, std::string_view text);

// A number of seconds, or of minutes, hours or days with the suffix m, h or d: "90", "15m".
std::int64_t ParseDuration(std::string_view option, std::string_view text);

// Splits "left<separator>right" at the first separator; throws when there is none.
std::pair<std::string_view, std::string_view> SplitPair(std::string_view option,
                                                        std::string_view text, char separator,
                                                        std::string_view expectedForm);

}  // namespace telvoran
