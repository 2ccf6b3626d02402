#include "app/QtText.h"

#include "core/text/Cp1250.h"

namespace telvoran {

QString FromCp1250(std::string_view text) {
  return QString::fromStdU16String(Cp1250ToUtf16(text));
}

std::string ToCp1250(const QString& text) {
  return Utf16ToCp1250(text.toStdU16String());
}

}  // namespace telvoran
