// On Windows the name is a pipe, and pipe names are shared by every user and every session of
// the machine: the user's name goes into it, and the server lets only that user connect. The
// guard's mutex is one per session (its name is in the session's own namespace), so the pipe
// carries the session too: a copy started in another session of the same user runs there and
// does not hand its files to a screen the user cannot see.
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
  DWORD session = 0;
  if (!ProcessIdToSessionId(GetCurrentProcessId(), &session)) session = 0;
  return QString::fromUtf8(guardName.data(), static_cast<qsizetype>(guardName.size())) +
         QStringLiteral(".files.") + QString::fromWCharArray(user, static_cast<int>(length - 1)) +
         u'.' + QString::number(session);
}

}  // namespace telvoran::platform
