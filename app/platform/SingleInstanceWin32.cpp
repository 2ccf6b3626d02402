// The guard on Windows: a named mutex. Its handle is never closed, so the mutex exists until
// the process ends; a second copy finds the name taken.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include <string>

#include "app/platform/SingleInstance.h"

namespace telvoran::platform {

InstanceClaim ClaimSingleInstance(std::string_view name) {
  const std::string mutexName(name);
  SetLastError(ERROR_SUCCESS);
  CreateMutexA(nullptr, FALSE, mutexName.c_str());
  // A failed creation (for any reason other than an existing mutex) lets the program run.
  return GetLastError() == ERROR_ALREADY_EXISTS ? InstanceClaim::kAnotherCopyRunning
                                                : InstanceClaim::kFirstCopy;
}

}  // namespace telvoran::platform
