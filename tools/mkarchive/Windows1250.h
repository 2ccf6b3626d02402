#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace telvoran {

// Converts UTF-8 text to Windows-1250, the single-byte code page of the archives. Returns
// nothing when the text holds a character that code page lacks. Text that is not valid UTF-8
// is taken to be Windows-1250 already (as a command line on a Central European Windows is)
// and returned unchanged.
std::optional<std::string> Utf8ToWindows1250(std::string_view text);

}  // namespace telvoran
