#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace telvoran {

// A channel value read as a number.
struct ChannelNumber {
  double value = 0;
  int decimals = 0;    // digits after the decimal sign, as written
  bool comma = false;  // written with a decimal comma
};

// Reads a channel's value text as a number: spaces (and zero bytes) around it, an optional
// sign, digits with at most one decimal sign, a dot or a comma ("21.5", " -3,25", "7").
// A blank text, or anything else ("ERR", "1.2.3", "--", "1e5"), is not a number and leaves a
// gap in the chart, never a zero.
std::optional<ChannelNumber> ParseChannelValue(std::string_view text);

// A number as a channel's values are written: `decimals` digits after the decimal sign, a comma
// or a dot ("21.5", "-3,25", "7").
std::string FormatChannelNumber(double value, int decimals, bool comma);

}  // namespace telvoran
