#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "tools/mkarchive/MkArchiveOptions.h"

namespace telvoran {

// The first byte of a record field named on the command line, such as "month" or "address";
// nothing for a name that the archive kind's records do not have.
std::optional<std::size_t> FieldOffset(ArchiveKind kind, std::string_view name);

}  // namespace telvoran
