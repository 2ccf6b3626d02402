#include "tools/report/ProgramDirectory.h"

#include <iterator>
#include <system_error>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

namespace telvoran {

std::filesystem::path ProgramDirectory() {
#ifdef _WIN32
  wchar_t name[32768];
  const DWORD length = GetModuleFileNameW(nullptr, name, static_cast<DWORD>(std::size(name)));
  if (length == 0 || length >= std::size(name)) return {};
  return std::filesystem::path(std::wstring(name, length)).parent_path();
#else
  std::error_code unknown;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", unknown);
  if (unknown || !self.is_absolute()) return {};
  return self.parent_path();
#endif
}

}  // namespace telvoran
