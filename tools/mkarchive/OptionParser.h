#pragma once

#include <span>
#include <string>

#include "tools/mkarchive/ArgumentParsing.h"
#include "tools/mkarchive/MkArchiveOptions.h"

namespace telvoran {

// Reads the tool's command line, without the program's name, and checks that the archive it
// asks for can be written. Throws UsageError with a message that names the option at fault.
MkArchiveOptions ParseMkArchiveOptions(std::span<const std::string> arguments);

}  // namespace telvoran
