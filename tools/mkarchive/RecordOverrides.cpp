#include "tools/mkarchive/RecordOverrides.h"

#include "tools/mkarchive/RecordEncoding.h"

namespace telvoran {

void ApplyOverrides(const RecordOverrides& overrides, std::uint64_t recordNumber,
                    ArchiveRecord& record) {
  for (const KindOverride& kind : overrides.kinds) {
    if (kind.recordNumber == recordNumber) SetKind(record, kind.kind);
  }
  for (const ByteOverride& byte : overrides.bytes) {
    if (byte.recordNumber == recordNumber) record.bytes.at(byte.offset) = byte.value;
  }
}

}  // namespace telvoran
