#pragma once

#include <atomic>
#include <cstdint>

namespace telvoran {

// What a long piece of work tells whoever waits for it, and how that one asks it to stop. The
// work names its step (a library text id) and counts what it has done between blocks; another
// thread reads that as it likes and may ask the work to stop, which the work sees at its next
// block. A stopped work leaves what it works on as it was before it began.
class WorkProgress {
 public:
  // Begins a step of `total` units (0 where the total is not known).
  void Step(int textId, std::uint64_t total) {
    done_.store(0, std::memory_order_relaxed);
    total_.store(total, std::memory_order_relaxed);
    step_.store(textId, std::memory_order_release);
  }
  void Done(std::uint64_t done) { done_.store(done, std::memory_order_relaxed); }

  // Asks the work to stop; from any thread.
  void Cancel() { cancelled_.store(true, std::memory_order_relaxed); }
  bool Cancelled() const { return cancelled_.load(std::memory_order_relaxed); }

  // The step's text id (0 before the first step), its units done and its total.
  int StepText() const { return step_.load(std::memory_order_acquire); }
  std::uint64_t DoneCount() const { return done_.load(std::memory_order_relaxed); }
  std::uint64_t Total() const { return total_.load(std::memory_order_relaxed); }

 private:
  std::atomic<int> step_{0};
  std::atomic<std::uint64_t> done_{0};
  std::atomic<std::uint64_t> total_{0};
  std::atomic<bool> cancelled_{false};
};

// Whether work told by `progress` (none: work nobody waits for) has been asked to stop.
inline bool StopAsked(const WorkProgress* progress) {
  return progress && progress->Cancelled();
}

}  // namespace telvoran
