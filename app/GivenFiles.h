#pragma once

#include <QObject>
#include <QStringList>

class QMdiArea;

namespace telvoran {

class ProgramState;

// Opens the archives named from outside the program (on its command line, or handed over by a
// later copy) one after another through the open command, in the order given. A file is never
// opened while another is being opened or while a modal dialog is up: those share the one
// archive file of the program, or wait for the user. Such files wait their turn.
class GivenFiles : public QObject {
  Q_OBJECT

 public:
  GivenFiles(ProgramState& state, QMdiArea& area, QObject* parent = nullptr);

  void Open(const QStringList& files);
  bool HasWaitingFiles() const { return !waiting_.isEmpty(); }

 private:
  void OpenWaitingFiles();
  // Tries again a little later, once the dialog in the way may have gone.
  void RetryLater();

  ProgramState& state_;
  QMdiArea& area_;
  QStringList waiting_;
  bool opening_ = false;
  bool retryPending_ = false;
};

// Brings `window` before the user's other windows, restoring it when it was minimised.
void BringToFront(QWidget& window);

}  // namespace telvoran
