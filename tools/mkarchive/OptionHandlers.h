#pragma once

#include <span>
#include <string_view>

#include "tools/mkarchive/MkArchiveOptions.h"

namespace telvoran {

// Which archive kinds an option makes sense for.
enum class OptionScope { kBoth, kInterval, kEvent };

// One option of the command line and how its value changes the options.
struct OptionHandler {
  std::string_view name;  // without the leading "--"
  char shortName;         // '\0' when there is none
  bool takesValue;
  OptionScope scope;
  void (*apply)(MkArchiveOptions& options, std::string_view option, std::string_view value);
};

// Every option of telvoran-mkarchive.
std::span<const OptionHandler> MkArchiveOptionHandlers();

// Reads the value of --kind.
ArchiveKind ParseArchiveKind(std::string_view value);

}  // namespace telvoran
