#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace telvoran {

// File names travel through the tools as UTF-8 text (command lines, messages) and reach the
// system as paths. A path built from a narrow string would be read in the ANSI code page on
// Windows, which cannot spell every name; these conversions never go through it. Elsewhere the
// bytes pass unchanged.
inline std::filesystem::path PathFromUtf8(std::string_view text) {
  return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

inline std::string Utf8FromPath(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

}  // namespace telvoran
