#pragma once

#include <functional>

class QWidget;

namespace telvoran {

class StringLookup;
class WorkProgress;

// The one way the program runs work that may take long (reading, sorting, saving, printing):
// on a thread of its own, so that the windows keep painting, while the caller waits for it as
// for a plain call. The caller's steps, messages and results stay in the order they had: the
// work itself shows nothing and touches no widget; what it finds goes back through what it
// captures, and the caller applies it on the window's thread once Run() has returned.
//
// While work runs the program's windows take no input but Esc and the Cancel button, which ask
// the work to stop (WorkProgress::Cancel): nothing else can change what the work reads. After
// kShowAfterMs the status bar shows the work's step in words, a progress bar and the Cancel
// button, under a busy cursor.
class LongWork {
 public:
  static constexpr int kShowAfterMs = 300;

  using Work = std::function<void(WorkProgress&)>;

  // Runs `work` and returns once it has ended; an exception it throws is thrown here again.
  // `near` is a widget of the window whose status bar shows the progress (the program's main
  // window when it has none); `strings` words the steps. Work asked for while other work runs
  // (a file handed over meanwhile) runs at once on the calling thread.
  static void Run(QWidget* near, const StringLookup& strings, const Work& work);
  // Whether work runs now: what would change its data (a followed file's look) waits.
  static bool Running();
  // For scripted runs and tests: the next work is asked to stop before it begins, as Esc
  // pressed at once would.
  static void CancelNext();

  // With TELVORAN_WORK_GAPS set in the environment, each work prints to standard error how
  // long it took, when its progress showed and the longest time the window's events waited:
  // the measure of a window that never freezes.
};

}  // namespace telvoran
