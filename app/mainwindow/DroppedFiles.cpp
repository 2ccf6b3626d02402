#include "app/mainwindow/DroppedFiles.h"

#include <QMimeData>
#include <QUrl>

namespace telvoran {

QStringList DroppedLocalFiles(const QMimeData& data) {
  QStringList files;
  if (!data.hasUrls()) return files;
  for (const QUrl& url : data.urls()) {
    if (url.isLocalFile() && !url.toLocalFile().isEmpty()) files << url.toLocalFile();
  }
  return files;
}

}  // namespace telvoran
