// On POSIX the name is a socket file beside the single-instance guard's lock file (see
// SessionPlace), in a folder only the user may enter.
#include "app/platform/HandOverName.h"
#include "app/platform/SessionPlacePosix.h"

namespace telvoran::platform {

QString HandOverName(std::string_view guardName) {
  const QString place = SessionPlace(guardName);
  return place.isEmpty() ? QString() : place + QStringLiteral(".files");
}

}  // namespace telvoran::platform
