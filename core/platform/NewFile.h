#pragma once

#include <cstdio>
#include <filesystem>

namespace telvoran::platform {

// Creates a file that does not exist yet and opens it for binary writing. When the name is
// taken, returns null with errno set to EEXIST and leaves the file of that name as it was.
std::FILE* CreateNewFile(const std::filesystem::path& path);

}  // namespace telvoran::platform
