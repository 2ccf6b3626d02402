#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include "core/platform/NewFile.h"

namespace telvoran::platform {

std::FILE* CreateNewFile(const std::filesystem::path& path) {
  // The C runtime ignores the "x" of "wbx" and would empty a file of the same name; the
  // exclusive creation is asked of the system itself, by the wide name.
  const int fd =
      _wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
  if (fd < 0) return nullptr;
  std::FILE* file = _fdopen(fd, "wb");
  if (file == nullptr) _close(fd);
  return file;
}

}  // namespace telvoran::platform
