#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

#include <filesystem>

namespace telvoran {

// Tells when a followed file may have changed: soon after the file system reports a change,
// and every second besides, for file systems that report none (network shares, some mounts).
// A burst of changes (a writer appending record by record) is told once.
class FileFollower : public QObject {
  Q_OBJECT

 public:
  static constexpr int kPollMilliseconds = 1000;
  static constexpr int kSettleMilliseconds = 50;

  FileFollower(const std::filesystem::path& path, QObject* parent);

  // What the file system's report and the poll run; a test may run them without waiting.
  void FileChanged();
  void Poll();

 signals:
  void mayHaveChanged();

 private:
  // Watches the file again once it is back after a rename or removal; the watch ends with them.
  void Watch();

  QString path_;
  QFileSystemWatcher watcher_;
  QTimer poll_;
  QTimer settle_;
};

}  // namespace telvoran
