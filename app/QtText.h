#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace telvoran {

// The program holds its texts in Windows-1250; the windows draw Unicode.
QString FromCp1250(std::string_view text);
// Characters Windows-1250 cannot hold become "?".
std::string ToCp1250(const QString& text);

}  // namespace telvoran
