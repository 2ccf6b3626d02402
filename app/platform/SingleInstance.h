#pragma once

#include <string_view>

namespace telvoran::platform {

// The name under which a running copy of the program announces itself.
inline constexpr std::string_view kSingleInstanceName = "Program_Telvoran";

enum class InstanceClaim {
  kFirstCopy,           // the guard is ours, or could not be set up at all
  kAnotherCopyRunning,  // another process holds the guard
};

// Claims the system-wide guard `name` for the rest of the process's life. The guard is never
// released by the program; the system drops it when the process ends, however it ends. Only a
// guard held by someone else counts as another copy: any other failure lets this copy run
// without the guard. A second claim of the same name within one process finds it taken.
InstanceClaim ClaimSingleInstance(std::string_view name);

}  // namespace telvoran::platform
