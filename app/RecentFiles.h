#pragma once

#include <QString>
#include <QStringList>

namespace telvoran {

// The archives opened last, newest first, kept between runs in the user's settings of the
// program (organisation and application "Telvoran"): the one thing the program remembers.
class RecentFiles {
 public:
  static constexpr int kMaxFiles = 8;

  QStringList Files() const;
  // Puts the file first, once, and forgets the oldest beyond kMaxFiles.
  void Add(const QString& path);
  void Remove(const QString& path);
};

}  // namespace telvoran
