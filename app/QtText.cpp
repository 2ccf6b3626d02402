#include "app/QtText.h"

#include <QFile>

#include "core/text/Cp1250.h"

namespace telvoran {

QString FromCp1250(std::string_view text) {
  return QString::fromStdU16String(Cp1250ToUtf16(text));
}

std::string ToCp1250(const QString& text) {
  return Utf16ToCp1250(text.toStdU16String());
}

std::filesystem::path ToFileSystemPath(const QString& name) {
#ifdef Q_OS_WIN
  return std::filesystem::path(name.toStdWString());
#else
  return std::filesystem::path(QFile::encodeName(name).toStdString());
#endif
}

QString FromFileSystemPath(const std::filesystem::path& path) {
#ifdef Q_OS_WIN
  return QString::fromStdWString(path.native());
#else
  return QFile::decodeName(QByteArray::fromStdString(path.native()));
#endif
}

}  // namespace telvoran
