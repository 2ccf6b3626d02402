#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace telvoran {

inline constexpr std::size_t kRecordSize = 40;
inline constexpr std::size_t kRecordTextLength = 33;
inline constexpr std::uint32_t kIntervalKind = 26;
inline constexpr std::uint32_t kEventKind = 33;

// The fixed 40-byte record of both archive kinds: a payload in bytes 0 to 35 and the
// record's kind, a 32-bit little-endian integer, in bytes 36 to 39.
struct ArchiveRecord {
  std::array<unsigned char, kRecordSize> bytes{};

  std::uint32_t Kind() const {
    return std::uint32_t{bytes[36]} | std::uint32_t{bytes[37]} << 8 |
           std::uint32_t{bytes[38]} << 16 | std::uint32_t{bytes[39]} << 24;
  }

  // Bytes 0 to 32 as single-byte characters, up to the first zero byte.
  std::string_view RecordText() const {
    const char* text = reinterpret_cast<const char*>(bytes.data());
    std::size_t length = 0;
    while (length < kRecordTextLength && text[length] != '\0') ++length;
    return {text, length};
  }
};

}  // namespace telvoran
