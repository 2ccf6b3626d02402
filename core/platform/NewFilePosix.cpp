#include <cstdio>

#include "core/platform/NewFile.h"

namespace telvoran::platform {

std::FILE* CreateNewFile(const std::filesystem::path& path) {
  return std::fopen(path.c_str(), "wbx");
}

}  // namespace telvoran::platform
