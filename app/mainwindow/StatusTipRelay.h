#pragma once

#include <QObject>
#include <QPointer>

class QStatusBar;

namespace telvoran {

// Shows the status tips of every window of the program in one status bar. A status tip
// travels up its widget's parents only as far as its own window, so the tips of widgets in
// other top-level windows (the help window, pop-up menus) would never reach the main window;
// this application-wide filter carries them there. It also clears the status bar when a modal
// dialog opens, so that no hint stands for a command while its dialog is up.
class StatusTipRelay : public QObject {
 public:
  // `home` is the window that holds `statusBar`; tips arising inside it find it on their own.
  StatusTipRelay(QWidget* home, QStatusBar* statusBar);
  ~StatusTipRelay() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QPointer<QWidget> home_;
  QPointer<QStatusBar> statusBar_;
};

}  // namespace telvoran
