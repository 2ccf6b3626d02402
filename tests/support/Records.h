#pragma once

#include <cstring>
#include <string_view>

#include "core/archive/ArchiveRecord.h"

namespace telvoran::test {

// A record whose payload starts with `payload` (the rest zero) and whose kind is `kind`.
inline ArchiveRecord MakeRecord(std::string_view payload, std::uint32_t kind) {
  ArchiveRecord record;
  std::memcpy(record.bytes.data(), payload.data(), std::min(payload.size(), std::size_t{36}));
  for (int i = 0; i < 4; ++i) record.bytes[36 + i] = static_cast<unsigned char>(kind >> (8 * i));
  return record;
}

// The six date and time bytes of 2000+year-month-day hour:minute:second as a record holds them.
inline std::string DateBytes(int year, int month, int day, int hour, int minute, int second) {
  std::string bytes;
  for (int value : {year, month, day, hour, minute, second}) bytes += static_cast<char>(value + 10);
  return bytes;
}

}  // namespace telvoran::test
