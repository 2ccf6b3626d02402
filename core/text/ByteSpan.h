#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace telvoran {

using ByteSpan = std::span<const unsigned char>;

// The `size` bytes at `offset`, or none when any of them lies outside `bytes`. Offsets and sizes
// come from untrusted files; 64-bit arithmetic keeps 32-bit fields from overflowing.
inline std::optional<ByteSpan> Slice(ByteSpan bytes, std::uint64_t offset, std::uint64_t size) {
  if (offset > bytes.size() || size > bytes.size() - offset) return std::nullopt;
  return bytes.subspan(static_cast<std::size_t>(offset), static_cast<std::size_t>(size));
}

// Little-endian fields at a fixed `offset` of a slice that is known to hold them.
inline std::uint16_t ReadU16(ByteSpan bytes, std::size_t offset) {
  return static_cast<std::uint16_t>(bytes[offset] | bytes[offset + 1] << 8);
}

inline std::uint32_t ReadU32(ByteSpan bytes, std::size_t offset) {
  return static_cast<std::uint32_t>(ReadU16(bytes, offset)) |
         static_cast<std::uint32_t>(ReadU16(bytes, offset + 2)) << 16;
}

}  // namespace telvoran
