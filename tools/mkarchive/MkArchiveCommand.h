#pragma once

#include <ostream>
#include <span>
#include <string>

namespace telvoran {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitWriteFailed = 1;
inline constexpr int kExitUsage = 2;

// Runs telvoran-mkarchive with the given arguments (without the program's name), printing
// help to `out` and failures to `err`. Returns the exit status.
int RunMkArchive(std::span<const std::string> arguments, std::ostream& out, std::ostream& err);

}  // namespace telvoran
