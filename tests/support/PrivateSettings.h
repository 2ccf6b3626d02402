#pragma once

#include <QByteArray>
#include <QSettings>
#include <QString>

namespace telvoran::test {

// Sends the program's settings (its recently opened files) to `folder`, never to those of the
// person running the tests or benchmarks. Call before the QApplication is made: Qt reads the
// configuration folder once. Both ways are set: QSettings' user-scope path for the program's own
// settings, and XDG_CONFIG_HOME for whatever else Qt or a library keeps there.
inline void UsePrivateSettings(const QString& folder) {
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder);
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder);
  qputenv("XDG_CONFIG_HOME", folder.toLocal8Bit());
}

}  // namespace telvoran::test
