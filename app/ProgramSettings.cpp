#include "app/ProgramSettings.h"

namespace telvoran {

QSettings ProgramSettings() {
  return QSettings(QSettings::NativeFormat, QSettings::UserScope, "Telvoran", "Telvoran");
}

}  // namespace telvoran
