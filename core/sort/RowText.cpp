#include "core/sort/RowText.h"

#include <algorithm>
#include <charconv>

namespace telvoran {

void RowText::AppendNumber(int number) {
  char digits[12];
  const auto result = std::to_chars(std::begin(digits), std::end(digits), number);
  Append(std::string_view(digits, static_cast<std::size_t>(result.ptr - digits)));
}

void RowText::PrefixWithCopy(std::size_t offset, std::size_t width) {
  const std::string_view row = Row();
  const std::size_t length = offset < row.size() ? std::min(width, row.size() - offset) : 0;
  start_ = kPrefixRoom - std::min(length, kPrefixRoom);
  std::copy_n(row.data() + offset, kPrefixRoom - start_, buffer_.data() + start_);
}

std::size_t StoredPrefixLength(std::size_t storedLength, std::size_t offset, std::size_t width) {
  if (storedLength >= offset + 2 * width) return width;
  if (storedLength > offset) return (storedLength - offset) / 2;
  return 0;
}

}  // namespace telvoran
