#include "app/RecentFiles.h"

#include <QDir>
#include <QFileInfo>

#include "app/ProgramSettings.h"

namespace telvoran {
namespace {

const QString kKey = QStringLiteral("RecentFiles");

#ifdef Q_OS_WIN
constexpr Qt::CaseSensitivity kFileNameCase = Qt::CaseInsensitive;
#else
constexpr Qt::CaseSensitivity kFileNameCase = Qt::CaseSensitive;
#endif

QString Normalised(const QString& path) {
  return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

void Store(QStringList files) {
  while (files.size() > RecentFiles::kMaxFiles) files.removeLast();
  QSettings settings = ProgramSettings();
  settings.setValue(kKey, files);
}

}  // namespace

QStringList RecentFiles::Files() const {
  QStringList files = ProgramSettings().value(kKey).toStringList();
  files.removeAll(QString());
  return files.mid(0, kMaxFiles);
}

void RecentFiles::Add(const QString& path) {
  const QString file = Normalised(path);
  QStringList files = Files();
  files.removeIf([&file](const QString& known) { return known.compare(file, kFileNameCase) == 0; });
  files.prepend(file);
  Store(files);
}

void RecentFiles::Remove(const QString& path) {
  const QString file = Normalised(path);
  QStringList files = Files();
  files.removeIf([&file](const QString& known) { return known.compare(file, kFileNameCase) == 0; });
  Store(files);
}

}  // namespace telvoran
