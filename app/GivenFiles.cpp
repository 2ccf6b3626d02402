#include "app/GivenFiles.h"

#include <QApplication>
#include <QMdiArea>
#include <QTimer>
#include <QWidget>

#include "app/commands/OpenGivenFile.h"
#include "app/work/LongWork.h"

namespace telvoran {

GivenFiles::GivenFiles(ProgramState& state, QMdiArea& area, QObject* parent)
    : QObject(parent), state_(state), area_(area) {}

void GivenFiles::Open(const QStringList& files) {
  waiting_ += files;
  OpenWaitingFiles();
}

void GivenFiles::OpenWaitingFiles() {
  // A file opened from within another one's opening (say, under its failure message) goes on
  // the list the outer opening is working through.
  if (opening_) return;
  // Nor while long work holds the windows' input.
  if (QApplication::activeModalWidget() || LongWork::Running()) {
    RetryLater();
    return;
  }
  opening_ = true;
  while (!waiting_.isEmpty()) commands::OpenGivenFile(state_, area_, waiting_.takeFirst());
  opening_ = false;
}

void GivenFiles::RetryLater() {
  if (retryPending_) return;
  retryPending_ = true;
  constexpr int kRetryPauseMs = 250;
  QTimer::singleShot(kRetryPauseMs, this, [this] {
    retryPending_ = false;
    OpenWaitingFiles();
  });
}

void BringToFront(QWidget& window) {
  window.setWindowState((window.windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
  window.show();
  window.raise();
  window.activateWindow();
}

}  // namespace telvoran
