#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace telvoran {

// The order in which the views list their rows, compared position by position from the left:
// a space first; then ASCII punctuation in byte order; then the digits; then the letters
// without regard to case, alphabetically, each Polish letter right after its base letter
// (a ą b c ć ... z ź ż, Windows-1250); then every other byte in byte order. A text that is a
// prefix of another comes first.
class Collation {
 public:
  // The weight of a byte; 0 is never a byte's weight.
  static std::uint8_t Weight(unsigned char byte) { return kWeights[byte]; }

  // -1, 0 or 1 as `a` orders before, equal to or after `b`. Texts that differ only in the
  // case of letters compare equal here.
  static int Compare(std::string_view a, std::string_view b);

  // The total order of rows: the collation, then the exact bytes for texts it holds equal,
  // so that equal texts stand next to each other.
  static bool RowLess(std::string_view a, std::string_view b);

 private:
  static const std::array<std::uint8_t, 256> kWeights;
};

}  // namespace telvoran
