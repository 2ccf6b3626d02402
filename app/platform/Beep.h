#pragma once

namespace telvoran::platform {

// The platform's default message sound.
void Beep();

}  // namespace telvoran::platform
