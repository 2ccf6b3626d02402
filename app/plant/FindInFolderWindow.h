#pragma once

#include <QMdiSubWindow>
#include <QTimer>

#include <atomic>
#include <filesystem>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "core/plant/FolderSearch.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QMdiArea;
class QDateEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace telvoran {

class ProgramState;

// Finding a text in every archive of a folder, or in a central unit's daily archives of a span
// of days: a folder and a text, the choice of archives, a button that starts the search (and
// stops it while it runs), a progress bar and the rows found, listed by file and
// row as they are found. The search runs on threads of its own; the window takes what they
// found a few times a second, so it never waits for a file. Choosing a row found opens its
// archive with that row the current one.
class FindInFolderWindow : public QMdiSubWindow {
  Q_OBJECT

 public:
  FindInFolderWindow(ProgramState& state, QMdiArea& area, const QString& folder);
  ~FindInFolderWindow() override;

  QLineEdit* FolderLine = nullptr;
  QLineEdit* TextLine = nullptr;
  QPushButton* FindButton = nullptr;
  // Every archive of the folder, or the unit's days from one day to another.
  QRadioButton* AllArchives = nullptr;
  QRadioButton* UnitDays = nullptr;
  QSpinBox* UnitBox = nullptr;
  QDateEdit* FromDate = nullptr;
  QDateEdit* ToDate = nullptr;
  QProgressBar* Progress = nullptr;
  QLabel* CountLabel = nullptr;
  QListWidget* Results = nullptr;

  // Starts a search for the text in the folder as they stand; stops one that runs.
  void StartOrStop();
  // Chooses the unit's days from `from` to `to` as what is searched.
  void ChooseUnitDays(int unit, const QDate& from, const QDate& to);
  bool Searching() const { return worker_.joinable(); }
  // Waits until the search has ended and its last findings are shown (tests and closing).
  void WaitUntilDone();
  // Opens the archive of the row found at `index` of the list, that row the current one.
  void OpenFound(int index);

  // At most this many rows are listed; those beyond are counted only.
  static constexpr std::size_t kListedRows = 100'000;

 signals:
  void searchFinished();

 private:
  void OfferActiveDays(QMdiArea& area);
  void TakeFindings();
  void Finish();
  void ShowCounts();

  ProgramState& state_;
  QMdiArea& area_;
  QTimer poll_;
  std::thread worker_;
  std::atomic<bool> cancel_{false};
  bool searchedUnitDays_ = false;

  // Shared with the search's threads, under the mutex.
  std::mutex mutex_;
  std::vector<std::filesystem::path> files_;
  std::vector<FoundRow> pending_;
  std::size_t filesDone_ = 0;
  std::size_t fileCount_ = 0;
  bool listed_ = false;
  std::optional<SearchOutcome> outcome_;

  // The window's own copies.
  std::vector<std::filesystem::path> shownFiles_;
  std::vector<FoundRow> found_;
  std::size_t foundCount_ = 0;
  std::size_t searchedShown_ = 0;
};

}  // namespace telvoran
