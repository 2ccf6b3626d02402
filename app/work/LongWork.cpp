#include "app/work/LongWork.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMainWindow>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QThread>
#include <QTimer>

#include <cstdio>
#include <exception>
#include <memory>

#include "app/QtText.h"
#include "core/text/StringIds.h"
#include "core/text/StringLookup.h"
#include "core/work/WorkProgress.h"

namespace telvoran {
namespace {

bool running = false;
bool cancelNext = false;

// How often the progress bar follows the work, and how often the gaps are measured.
constexpr int kUpdateMs = 100;
constexpr int kGapTickMs = 5;

QMainWindow* MainWindowNear(QWidget* near) {
  if (near) {
    if (auto* main = qobject_cast<QMainWindow*>(near->window())) return main;
  }
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (auto* main = qobject_cast<QMainWindow*>(widget)) return main;
  }
  return nullptr;
}

// Holds the program's input off while work runs: Esc asks the work to stop, the Cancel button
// takes its clicks, everything else a user could start waits for nothing and is dropped.
bool InModalWidget(QObject* watched) {
  QWidget* modal = QApplication::activeModalWidget();
  auto* widget = qobject_cast<QWidget*>(watched);
  return modal && widget && (widget == modal || modal->isAncestorOf(widget));
}

class InputHold : public QObject {
 public:
  explicit InputHold(WorkProgress& progress) : progress_(progress) {
    qApp->installEventFilter(this);
  }
  ~InputHold() override { qApp->removeEventFilter(this); }

  void SetCancelButton(QWidget* button) { button_ = button; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    // Input is held at the widgets it is handed on to, not at the window that takes it from
    // the system first; a dialog that came up meanwhile (none of the work's) takes it as ever.
    if (watched->isWindowType() || InModalWidget(watched)) return false;
    switch (event->type()) {
      // Esc comes as a key, or, where a view's own Esc shortcut takes it, as a shortcut.
      case QEvent::KeyPress:
      case QEvent::ShortcutOverride:
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) progress_.Cancel();
        return true;
      case QEvent::Shortcut:
        if (static_cast<QShortcutEvent*>(event)->key() == QKeySequence(Qt::Key_Escape))
          progress_.Cancel();
        return true;
      case QEvent::KeyRelease:
      case QEvent::Wheel:
      case QEvent::ContextMenu:
      case QEvent::DragEnter:
      case QEvent::DragMove:
      case QEvent::Drop:
        return true;
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
        return watched != button_.data();
      case QEvent::Close:
        // A window closed now would take the work's data with it.
        if (auto* widget = qobject_cast<QWidget*>(watched); widget && widget->isWindow()) {
          event->ignore();
          return true;
        }
        return false;
      default:
        return false;
    }
  }

 private:
  WorkProgress& progress_;
  QPointer<QWidget> button_;
};

// The status bar's part: the step in words, the bar and the Cancel button, shown once the work
// has lasted kShowAfterMs, under a busy cursor, and gone with the work.
class ProgressDisplay {
 public:
  ProgressDisplay(QWidget* near, const StringLookup& strings, WorkProgress& progress,
                  InputHold& hold)
      : main_(MainWindowNear(near)), strings_(strings), progress_(progress), hold_(hold) {
    QObject::connect(&showTimer_, &QTimer::timeout, [this] { Show(); });
    showTimer_.setSingleShot(true);
    showTimer_.start(LongWork::kShowAfterMs);
    QObject::connect(&updateTimer_, &QTimer::timeout, [this] { Update(); });
  }
  ~ProgressDisplay() {
    if (cursorSet_) QApplication::restoreOverrideCursor();
    delete panel_.data();
  }
  bool Shown() const { return cursorSet_; }

 private:
  void Show() {
    QApplication::setOverrideCursor(Qt::BusyCursor);
    cursorSet_ = true;
    if (main_) {
      panel_ = new QWidget;
      auto* layout = new QHBoxLayout(panel_);
      layout->setContentsMargins(0, 0, 0, 0);
      step_ = new QLabel(panel_);
      bar_ = new QProgressBar(panel_);
      bar_->setFixedWidth(160);
      auto* cancel = new QPushButton(FromCp1250(strings_.Text(sid::kWorkCancel)), panel_);
      cancel->setToolTip(FromCp1250(strings_.Text(sid::kWorkCancelHint)));
      cancel->setFocusPolicy(Qt::NoFocus);
      QObject::connect(cancel, &QPushButton::clicked, [this] { progress_.Cancel(); });
      hold_.SetCancelButton(cancel);
      layout->addWidget(step_);
      layout->addWidget(bar_);
      layout->addWidget(cancel);
      main_->statusBar()->addPermanentWidget(panel_);
      panel_->show();
    }
    Update();
    updateTimer_.start(kUpdateMs);
  }

  void Update() {
    if (!panel_) return;
    const int step = progress_.StepText();
    if (step != 0) step_->setText(FromCp1250(strings_.Text(step)));
    const std::uint64_t total = progress_.Total();
    if (total == 0) {
      bar_->setRange(0, 0);  // a step of unknown length: the bar only moves
    } else {
      constexpr int kParts = 1000;
      bar_->setRange(0, kParts);
      bar_->setValue(static_cast<int>(std::min(total, progress_.DoneCount()) * kParts / total));
    }
  }

  QPointer<QMainWindow> main_;
  const StringLookup& strings_;
  WorkProgress& progress_;
  InputHold& hold_;
  QTimer showTimer_;
  QTimer updateTimer_;
  QPointer<QWidget> panel_;
  QLabel* step_ = nullptr;
  QProgressBar* bar_ = nullptr;
  bool cursorSet_ = false;
};

// The longest wait of the window's events while work runs, measured by a short timer.
class GapMeter {
 public:
  GapMeter() {
    if (qEnvironmentVariableIsEmpty("TELVORAN_WORK_GAPS")) return;
    on_ = true;
    clock_.start();
    QObject::connect(&tick_, &QTimer::timeout, [this] {
      const qint64 now = clock_.elapsed();
      longest_ = std::max(longest_, now - last_);
      last_ = now;
    });
    tick_.start(kGapTickMs);
  }
  void Report(const ProgressDisplay& display, qint64 shownAt) {
    if (!on_) return;
    std::fprintf(stderr, "long work: %lld ms, progress shown: %s at %lld ms, longest gap %lld ms\n",
                 static_cast<long long>(clock_.elapsed()), display.Shown() ? "yes" : "no",
                 static_cast<long long>(shownAt), static_cast<long long>(longest_));
  }

 private:
  bool on_ = false;
  QElapsedTimer clock_;
  QTimer tick_;
  qint64 last_ = 0;
  qint64 longest_ = 0;
};

}  // namespace

void LongWork::Run(QWidget* near, const StringLookup& strings, const Work& work) {
  WorkProgress progress;
  if (cancelNext) {
    cancelNext = false;
    progress.Cancel();
  }
  if (running) {
    work(progress);
    return;
  }
  running = true;
  struct Ending {
    ~Ending() { running = false; }
  } ending;

  std::exception_ptr failure;
  std::unique_ptr<QThread> thread(QThread::create([&] {
    try {
      work(progress);
    } catch (...) {
      failure = std::current_exception();
    }
  }));
  QEventLoop loop;
  QObject::connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit);
  InputHold hold(progress);
  ProgressDisplay display(near, strings, progress, hold);
  GapMeter gaps;
  thread->start();
  if (thread->isRunning() || thread->isFinished()) {
    loop.exec();
    thread->wait();
  } else {
    // No thread to be had: the work runs here, as it always did.
    work(progress);
  }
  gaps.Report(display, LongWork::kShowAfterMs);
  if (failure) std::rethrow_exception(failure);
}

bool LongWork::Running() {
  return running;
}

void LongWork::CancelNext() {
  cancelNext = true;
}

}  // namespace telvoran
