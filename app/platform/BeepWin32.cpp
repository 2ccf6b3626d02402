#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include "app/platform/Beep.h"

namespace telvoran::platform {

void Beep() {
  MessageBeep(0);
}

}  // namespace telvoran::platform
