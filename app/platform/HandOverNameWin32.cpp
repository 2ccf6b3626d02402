// On Windows the name is a pipe, and pipe names are shared by every user of the machine: the
// user's name goes into it, and the server lets only that user connect.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include <iterator>

#include "app/platform/HandOverName.h"

namespace telvoran::platform {

QString HandOverName(std::string_view guardName) {
  wchar_t user[257];
  DWORD length = static_cast<DWORD>(std::size(user));
  if (!GetUserNameW(user, &length) || length == 0) return {};
  return QString::fromUtf8(guardName.data(), static_cast<qsizetype>(guardName.size())) +
         QStringLiteral(".files.") + QString::fromWCharArray(user, static_cast<int>(length - 1));
}

}  // namespace telvoran::platform
