#pragma once

#include <span>
#include <string_view>

#include "tools/mkarchive/MkArchiveOptions.h"

namespace telvoran {

// Which archive kinds an option makes sense for.
enum class OptionScope { kBoth, kInterval, kEvent };

// One option of the command line, which always takes a value, and how that value changes the
// options. An option may be given more than once; each value is applied in turn.
struct OptionHandler {
  std::string_view name;  // without the leading "--"
  char shortName;         // '\0' when there is none
  OptionScope scope;
  void (*apply)(MkArchiveOptions& options, std::string_view option, std::string_view value);
};

// Every option of telvoran-mkarchive that takes a value; --help and --version take none.
std::span<const OptionHandler> MkArchiveOptionHandlers();

// Reads the value of --kind.
ArchiveKind ParseArchiveKind(std::string_view value);

}  // namespace telvoran
