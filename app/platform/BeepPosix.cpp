#include <QApplication>

#include "app/platform/Beep.h"

namespace telvoran::platform {

void Beep() {
  QApplication::beep();
}

}  // namespace telvoran::platform
