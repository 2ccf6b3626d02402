#pragma once

#include <QMdiSubWindow>

#include <functional>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

#include "core/plant/DailySummary.h"
#include "core/plant/FolderCatalogue.h"
#include "core/view/DaySpan.h"

class QComboBox;
class QDateEdit;
class QPushButton;
class QTableView;
class QTimer;
class QTreeWidget;

namespace telvoran {

class CalendarModel;
class StringLookup;

// The catalogue of a plant's folder in a child window: a calendar of days against central
// units, each cell holding the records of that unit's archive of the day; the event archives by
// name and size; the other names. A unit and span chosen by a drag over the calendar or in the
// fields below it open as one view. The folder is listed off the window's thread, first at once
// and then every few seconds, so that days that appear or grow show.
class CatalogueWindow : public QMdiSubWindow {
  Q_OBJECT

 public:
  using SpanOpener = std::function<void(DaySpan span)>;
  // Charts a span with the alarms of the folder's event archives.
  using SpanCharter =
      std::function<void(DaySpan span, std::vector<std::filesystem::path> eventArchives)>;
  using SummaryOpener = std::function<void(SummaryFiles files)>;
  static constexpr int kFollowMilliseconds = 5000;

  CatalogueWindow(const StringLookup& strings, const std::filesystem::path& folder,
                  SpanOpener openSpan, QWidget* parent = nullptr);
  ~CatalogueWindow() override;

  // Lists the folder again unless a listing is under way; what it finds shows when it ends.
  void Refresh();
  bool Listing() const { return listing_; }
  bool Listed() const { return catalogue_ != nullptr; }
  const plant::FolderCatalogue* Catalogue() const { return catalogue_.get(); }

  // The unit and days of the fields, and opening them.
  void ChooseSpan(int unit, plant::Day from, plant::Day to);
  void OpenChosenSpan();
  // Gives the window its chart button; a build without charts has none.
  void SetSpanCharter(SpanCharter chartSpan);
  void ChartChosenSpan();
  // Shows a button that summarizes the chosen span from the days the catalogue holds, without
  // listing the folder again.
  void SetSummaryOpener(SummaryOpener openSummary);
  void SummarizeChosenSpan();

  QTableView* Calendar = nullptr;
  QTreeWidget* EventList = nullptr;
  QTreeWidget* OtherList = nullptr;

 signals:
  // A listing has ended and shows; `listed` is false when the folder could not be listed.
  void listingShown(bool listed);
  // The folder could not be listed: the system's words.
  void listingFailed(const QString& reason);

 private:
  struct Result;
  void StartListing();
  void ShowListing(std::shared_ptr<Result> result);
  void FillNamedLists();
  void FillUnits();
  // The chosen unit and days, in order; false when none is chosen.
  bool ChosenDays(int& unit, plant::Day& from, plant::Day& to) const;
  // The calendar's selection, as a unit and days in the fields.
  void TakeSelection();
  // The chosen days and the catalogue's files of them.
  std::optional<DaySpan> ChosenSpan() const;

  const StringLookup& strings_;
  std::filesystem::path folder_;
  SpanOpener openSpan_;
  SummaryOpener openSummary_;
  std::shared_ptr<const plant::FolderCatalogue> catalogue_;
  CalendarModel* model_ = nullptr;
  QComboBox* unit_ = nullptr;
  QDateEdit* from_ = nullptr;
  QDateEdit* to_ = nullptr;
  QPushButton* open_ = nullptr;
  QPushButton* chart_ = nullptr;
  SpanCharter chartSpan_;
  QPushButton* summarize_ = nullptr;
  QTimer* follow_ = nullptr;
  std::thread worker_;
  bool listing_ = false;
};

}  // namespace telvoran
