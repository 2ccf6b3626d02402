#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/archive/ArchiveRecord.h"

namespace telvoran {

// Deliberate damage to an archive: raw changes made to records after they were encoded.
// Records are numbered from 1 in file order, header records included.

// Replaces the kind (bytes 36 to 39) of one record.
struct KindOverride {
  std::uint64_t recordNumber = 1;
  std::uint32_t kind = 0;
};

// Sets one byte of one record to a raw value.
struct ByteOverride {
  std::uint64_t recordNumber = 1;
  std::size_t offset = 0;
  unsigned char value = 0;
};

struct RecordOverrides {
  std::vector<KindOverride> kinds;
  std::vector<ByteOverride> bytes;
};

// Applies every override aimed at `recordNumber`: kinds first, then bytes in the order given,
// so that a byte override can still change a single byte of the kind.
void ApplyOverrides(const RecordOverrides& overrides, std::uint64_t recordNumber,
                    ArchiveRecord& record);

}  // namespace telvoran
