#pragma once

#include <string_view>

namespace telvoran {

// What `telvoran-mkarchive --help` prints.
std::string_view MkArchiveUsageText();

}  // namespace telvoran
