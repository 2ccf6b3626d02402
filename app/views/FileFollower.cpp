#include "app/views/FileFollower.h"

#include <QFile>
#include <QFileInfo>

namespace telvoran {
namespace {

QString QtPath(const std::filesystem::path& path) {
#ifdef Q_OS_WIN
  return QString::fromStdWString(path.wstring());
#else
  return QFile::decodeName(path.c_str());
#endif
}

}  // namespace

FileFollower::FileFollower(const std::filesystem::path& path, QObject* parent)
    : QObject(parent), path_(QtPath(path)) {
  connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &FileFollower::FileChanged);
  poll_.setInterval(kPollMilliseconds);
  connect(&poll_, &QTimer::timeout, this, &FileFollower::Poll);
  settle_.setSingleShot(true);
  settle_.setInterval(kSettleMilliseconds);
  connect(&settle_, &QTimer::timeout, this, &FileFollower::mayHaveChanged);
  Watch();
  poll_.start();
}

void FileFollower::FileChanged() {
  Watch();
  if (!settle_.isActive()) settle_.start();
}

void FileFollower::Poll() {
  Watch();
  emit mayHaveChanged();
}

void FileFollower::Watch() {
  if (!watcher_.files().contains(path_) && QFileInfo::exists(path_)) watcher_.addPath(path_);
}

}  // namespace telvoran
