#pragma once

#include <QString>

#include <filesystem>
#include <string>
#include <string_view>

namespace telvoran {

// The program holds its texts in Windows-1250; the windows draw Unicode.
QString FromCp1250(std::string_view text);
// Characters Windows-1250 cannot hold become "?".
std::string ToCp1250(const QString& text);

// File names as the system takes them: UTF-16 on Windows, where the local 8-bit encoding (the
// ANSI code page) cannot spell every name; the local 8-bit encoding elsewhere.
std::filesystem::path ToFileSystemPath(const QString& name);
QString FromFileSystemPath(const std::filesystem::path& path);

}  // namespace telvoran
