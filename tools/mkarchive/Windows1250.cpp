#include "tools/mkarchive/Windows1250.h"

#include "core/text/Cp1250.h"

namespace telvoran {

std::optional<std::string> Utf8ToWindows1250(std::string_view text) {
  if (!IsValidUtf8(text)) return std::string(text);
  return Utf8ToCp1250Exactly(text);
}

}  // namespace telvoran
