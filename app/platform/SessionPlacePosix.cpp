#include "app/platform/SessionPlacePosix.h"

#include <QDir>
#include <QGuiApplication>
#include <QStandardPaths>

namespace telvoran::platform {

QString DisplayPart(const QString& platformName) {
  QString display;
  if (platformName == QLatin1String("xcb")) {
    display = qEnvironmentVariable("DISPLAY");
    // ":71" and ":71.0" are one display: the screen number after the colon goes.
    const qsizetype colon = display.lastIndexOf(u':');
    const qsizetype dot = display.indexOf(u'.', colon + 1);
    if (colon >= 0 && dot > colon) display.truncate(dot);
  } else if (platformName.startsWith(QLatin1String("wayland"))) {
    display = qEnvironmentVariable("WAYLAND_DISPLAY", QStringLiteral("wayland-0"));
  }
  if (display.isEmpty()) return {};
  // Only characters that are safe in a file name, and no folder separator.
  for (QChar& c : display)
    if (!(c.isLetterOrNumber() || c == u'-' || c == u'.') || c.unicode() > 127) c = u'_';
  if (display.startsWith(u'_')) display.remove(0, 1);
  return u'-' + display;
}

QString SessionPlace(std::string_view guardName) {
  const QString runtimeDir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (runtimeDir.isEmpty()) return {};
  return QDir(runtimeDir)
      .filePath(QString::fromUtf8(guardName.data(), qsizetype(guardName.size())) +
                DisplayPart(QGuiApplication::platformName()));
}

}  // namespace telvoran::platform
