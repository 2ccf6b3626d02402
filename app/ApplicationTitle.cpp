#include "app/ApplicationTitle.h"

#include <QFileInfo>

namespace telvoran {

QString FileMessageCaption(const QString& path) {
  return QFileInfo(path).fileName() + QStringLiteral(" - ") + kApplicationTitle;
}

QString DefaultApplicationTitle(const QString& programFilePath) {
  const QString fileName = QFileInfo(programFilePath).fileName();
  const QString stem = fileName.left(fileName.indexOf(u'.'));
  return stem.left(1) + stem.mid(1).toLower();
}

}  // namespace telvoran
