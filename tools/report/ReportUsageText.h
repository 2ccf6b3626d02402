#pragma once

#include <string_view>

namespace telvoran {

// The text of "telvoran-report --help".
std::string_view ReportUsageText();

}  // namespace telvoran
