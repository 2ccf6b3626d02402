#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "tools/mkarchive/DeterministicRandom.h"

namespace telvoran {

// How the tool writes a channel's value or an event's reading into its 5 characters.
struct ValueFormat {
  enum class Style {
    kFixed,  // a number right-aligned with a fixed count of decimals, like " 21.5"
    kText,   // 5 random printable characters, for views that must cope with anything
  };
  Style style = Style::kFixed;
  int decimals = 1;

  friend bool operator==(const ValueFormat&, const ValueFormat&) = default;
};

// Reads "fixed:D" (D from 0 to 3), "int" (no decimals), "text", or the printf forms "%5.Df"
// and "%5d". Nothing for any other text.
std::optional<ValueFormat> ParseValueFormat(std::string_view text);

// `value` right-aligned in 5 characters; longer when it does not fit.
std::string FormatNumber(double value, const ValueFormat& format);

// 5 printable ASCII characters, spaces included.
std::string RandomText(DeterministicRandom& random);

}  // namespace telvoran
