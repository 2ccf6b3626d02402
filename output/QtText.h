#pragma once

#include <QString>

#include <string_view>

namespace telvoran {

// A Windows-1250 text of the core as a QString.
QString FromWindows1250(std::string_view text);

}  // namespace telvoran
