#include "core/sort/Collation.h"

#include <algorithm>
#include <string_view>

namespace telvoran {
namespace {

// The letters in alphabetical order, each as its lower-case and upper-case Windows-1250 byte.
constexpr std::string_view kLowerLetters =
    "a\xB9"
    "bc\xE6"
    "de\xEA"
    "fghijkl\xB3"
    "mn\xF1"
    "o\xF3"
    "pqrs\x9C"
    "tuvwxyz\x9F\xBF";
constexpr std::string_view kUpperLetters =
    "A\xA5"
    "BC\xC6"
    "DE\xCA"
    "FGHIJKL\xA3"
    "MN\xD1"
    "O\xD3"
    "PQRS\x8C"
    "TUVWXYZ\x8F\xAF";

constexpr bool IsAsciiPunctuation(unsigned byte) {
  return (byte >= 0x21 && byte <= 0x2F) || (byte >= 0x3A && byte <= 0x40) ||
         (byte >= 0x5B && byte <= 0x60) || (byte >= 0x7B && byte <= 0x7E);
}

constexpr std::array<std::uint8_t, 256> MakeWeights() {
  std::array<std::uint8_t, 256> weights{};
  std::uint8_t next = 1;
  weights[' '] = next++;
  for (unsigned byte = 0; byte < 256; ++byte)
    if (IsAsciiPunctuation(byte)) weights[byte] = next++;
  for (unsigned byte = '0'; byte <= '9'; ++byte) weights[byte] = next++;
  for (std::size_t i = 0; i < kLowerLetters.size(); ++i) {
    weights[static_cast<unsigned char>(kLowerLetters[i])] = next;
    weights[static_cast<unsigned char>(kUpperLetters[i])] = next;
    ++next;
  }
  for (unsigned byte = 0; byte < 256; ++byte)
    if (weights[byte] == 0) weights[byte] = next++;
  return weights;
}

}  // namespace

constinit const std::array<std::uint8_t, 256> Collation::kWeights = MakeWeights();

int Collation::Compare(std::string_view a, std::string_view b) {
  const std::size_t common = std::min(a.size(), b.size());
  std::size_t i = 0;
  while (true) {
    // Equal bytes have equal weights: skip them as fast as the library compares memory.
    i = static_cast<std::size_t>(
        std::mismatch(a.begin() + i, a.begin() + common, b.begin() + i).first - a.begin());
    if (i == common) break;
    const auto wa = Weight(static_cast<unsigned char>(a[i]));
    const auto wb = Weight(static_cast<unsigned char>(b[i]));
    if (wa != wb) return wa < wb ? -1 : 1;
    ++i;
  }
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  return 0;
}

bool Collation::RowLess(std::string_view a, std::string_view b) {
  const int order = Compare(a, b);
  if (order != 0) return order < 0;
  return a.compare(b) < 0;
}

}  // namespace telvoran
