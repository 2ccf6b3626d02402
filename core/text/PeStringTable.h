#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "core/text/ByteSpan.h"

namespace telvoran {

// The string table of a PE file: text ID to its UTF-16 text. Only non-empty texts are present.
using StringTable = std::map<int, std::u16string>;

// Reads the string table resources of a PE file from its bytes. For each block of sixteen
// texts the first language present is taken. A file without resources gives an empty table;
// a malformed file gives none, never a read outside `file`.
std::optional<StringTable> ParsePeStringTable(ByteSpan file);

// The string table with the language of its texts: the Windows language id (primary language in
// the low ten bits, sub-language above) of the first block read; 0, the neutral language, when
// the table is empty.
struct StringResources {
  StringTable texts;
  std::uint16_t language = 0;
};
std::optional<StringResources> ParsePeStringResources(ByteSpan file);

}  // namespace telvoran
