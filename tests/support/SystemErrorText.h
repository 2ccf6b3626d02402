#pragma once

// The words the platform gives for a failure: the C library's text of a POSIX error number, or
// the system's own text of a Windows error code.
#include <string>
#include <system_error>

#ifdef _WIN32
#include "core/platform/Win32ErrorText.h"
#endif

namespace telvoran::test {

// Windows error codes, named here since their header exists only there.
constexpr unsigned long kWindowsPathNotFound = 3;
constexpr unsigned long kWindowsAccessDenied = 5;

inline std::string SystemErrorText([[maybe_unused]] int posixError,
                                   [[maybe_unused]] unsigned long windowsError) {
#ifdef _WIN32
  return platform::Win32ErrorText(windowsError);
#else
  return std::generic_category().message(posixError);
#endif
}

}  // namespace telvoran::test
