#pragma once

#include <filesystem>

namespace telvoran {

// The absolute folder that holds the running program's own file, where its string library
// lies; empty when the system does not tell.
std::filesystem::path ProgramDirectory();

}  // namespace telvoran
