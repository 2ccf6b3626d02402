#pragma once

#include <QMdiSubWindow>

#include <memory>

#include "core/plant/DailySummary.h"
#include "core/plant/SummaryReport.h"

class QLabel;
class QTableWidget;
class QThread;

namespace telvoran {

class ProgramState;

// The daily summary of a unit's days in a window of its own: a table of days and channels with
// count, minimum and its time, maximum and its time, mean, and the day's alarms of each
// situation. The files are read on a thread of their own; the table fills once they are. The
// file menu saves it (text report or CSV) and prints it as it does a view.
class DailySummaryWindow : public QMdiSubWindow {
  Q_OBJECT

 public:
  DailySummaryWindow(ProgramState& state, SummaryFiles files);
  ~DailySummaryWindow() override;

  QLabel* WaitLabel = nullptr;
  QTableWidget* Table = nullptr;

  bool Ready() const { return report_ != nullptr; }
  // Waits for the reading to end and shows its outcome (tests).
  void WaitUntilReady();
  const DailySummary& Summary() const { return summary_; }
  // The text report and printout; nothing until Ready().
  const SummaryReport* Report() const { return report_.get(); }

 signals:
  void ready();

 private:
  void Show();

  ProgramState& state_;
  SummaryFiles files_;
  DailySummary summary_;
  std::unique_ptr<SummaryReport> report_;
  QThread* worker_ = nullptr;
  std::atomic<bool> cancel_{false};
};

}  // namespace telvoran
