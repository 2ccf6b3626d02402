// On POSIX the name is a socket file in the user's runtime folder, which only the user may
// enter (Qt makes a private one in the temp folder when the session has none).
#include <QDir>
#include <QStandardPaths>

#include "app/platform/HandOverName.h"

namespace telvoran::platform {

QString HandOverName(std::string_view guardName) {
  const QString runtimeDir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (runtimeDir.isEmpty()) return {};
  return QDir(runtimeDir)
      .filePath(QString::fromUtf8(guardName.data(), guardName.size()) + QStringLiteral(".files"));
}

}  // namespace telvoran::platform
