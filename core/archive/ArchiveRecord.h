#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/archive/RecordLayout.h"

namespace telvoran {

// The fixed 40-byte record of both archive kinds (RecordLayout.h): a payload in bytes 0 to 35
// and the record's kind, a 32-bit little-endian integer, in bytes 36 to 39.
struct ArchiveRecord {
  std::array<unsigned char, kRecordSize> bytes{};

  std::uint32_t Kind() const {
    return std::uint32_t{bytes[kKindOffset]} | std::uint32_t{bytes[kKindOffset + 1]} << 8 |
           std::uint32_t{bytes[kKindOffset + 2]} << 16 |
           std::uint32_t{bytes[kKindOffset + 3]} << 24;
  }

  // Bytes 0 to 32 as single-byte characters, up to the first zero byte.
  std::string_view RecordText() const {
    const char* text = reinterpret_cast<const char*>(bytes.data());
    std::size_t length = 0;
    while (length < kRecordTextLength && text[length] != '\0') ++length;
    return {text, length};
  }
};

// Stores `kind` as a 32-bit little-endian integer in bytes 36 to 39.
inline void SetKind(ArchiveRecord& record, std::uint32_t kind) {
  for (std::size_t i = 0; i < kKindWidth; ++i)
    record.bytes[kKindOffset + i] = static_cast<unsigned char>(kind >> (8 * i));
}

}  // namespace telvoran
