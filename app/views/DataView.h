#pragma once

#include <QFont>
#include <QMdiSubWindow>

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/views/RowListView.h"
#include "core/view/ArchiveDocument.h"
#include "core/view/ViewContent.h"

class QLabel;

namespace telvoran {

class FileFollower;
class FilterBar;
class HeaderPanel;
class RowDelegate;
class RowListModel;

// What both data views share: a child window of the main window with a title panel, a row of
// column panels that choose the sort column, and a list that draws the rows of its content.
// The view draws its archive document: a panel click has the document read the file again, and
// while the view follows its file the document takes what is appended. The view keeps the list
// position across those changes.
class DataView : public QMdiSubWindow, private DocumentObserver {
  Q_OBJECT

 public:
  struct Layout {
    ArchiveKind kind;
    const char* caption;                         // the built-in window caption
    int panelHeight;                             // height of the column panels
    std::span<const int> panelSpans;             // characters of the rows under each panel
    std::span<const char* const> panelCaptions;  // built-in captions, Windows-1250
    std::string_view situationCodes = {};        // situations the filter line can hide
  };

  // The list font's size in points; the printout uses it at the printer's resolution.
  static constexpr int kListFontPoints = 8;
  static constexpr int kListFontPixels = 11;
  static constexpr int kItemHeight = 14;

  // A view of `document`, whose file is open and whose header has been read: the title and the
  // panels are taken from it. The rows follow as the document reads them.
  DataView(std::unique_ptr<ArchiveDocument> document, const Layout& layout);
  ~DataView() override;

  ArchiveKind ViewKind() const { return viewKind_; }
  ArchiveDocument& Document() const { return *document_; }
  const ViewContent& Content() const { return content_; }
  // The report and printout of this view.
  const ReportSource& Report() const { return report_; }
  int SortColumn() const { return content_.sortColumn; }
  const std::filesystem::path& FilePath() const { return content_.filePath; }

  // Controls, named by role. Panel(1) is the date and time column. The list is given out for
  // the commands and tests that move through it or look at it; the view alone sets them up.
  QLabel* Title() const { return titlePanel_; }
  RowListView* List() const { return listBox_; }
  HeaderPanel* Panel(int number) const;
  int PanelCount() const { return static_cast<int>(panels_.size()); }

  void SetPanelHint(int number, std::string_view hint);
  // The window caption: the file name once the view is complete.
  void SetCaption(std::string_view caption);
  // Reads the rows of the document's open file (or span) for the sort column as long work
  // (LongWork), the list showing them once read; kComplete when the whole file was read,
  // otherwise the user has been told why, or cancelled the reading (kCancelled).
  ArchiveDocument::Outcome ReadRows();
  // The width of one character of the rows in the list's font, in pixels, as the list draws it.
  // Panels and list are both measured in it, so each panel stands over its column at any font
  // and scale.
  double CharacterAdvance() const;

  // Gives the panel of the sort column lowered bevels and every other panel raised ones.
  void ShowSortColumn();
  // Re-reads the file from disk and rebuilds the list for the current sort column, from its
  // first row. True when the whole file was read; otherwise the user has been told why.
  bool ReloadRows();
  // What a click on the panel of `column` does: makes it the sort column and reads the file
  // again, unless it already is the sort column or cannot be one.
  void SortBy(int column);

  // Following the file: while on, the records appended to the file show as they arrive, each
  // row at its place in the current order. Off when a view is made; a failure that the user is
  // told about turns it off.
  bool IsFollowing() const { return follower_ != nullptr; }
  void SetFollowing(bool follow);
  // Looks at the file now and shows what has been appended since the last reading, keeping the
  // current row and the rows in sight (a list scrolled to its end stays at its end). A file that
  // shrank or was replaced is read again from its start; one emptied by a writer that rotates
  // its archive keeps the rows shown until records arrive. What the file follower runs.
  void FollowFile();

  // The filter line above the rows. Showing it puts the keyboard in it; while it is shown the
  // list holds only the rows it keeps, in the current order. Hiding it (Esc) brings every row
  // back. Filtering looks at the rows in memory and reads nothing from the file.
  FilterBar* FilterLine() const { return filterBar_; }
  void ShowFilter();
  void HideFilter();
  bool FilterShown() const;
  // How many rows the list shows, and how many the view holds.
  std::size_t ShownRowCount() const { return content_.ShownCount(); }
  std::size_t AllRowCount() const { return content_.rows.Size(); }

 signals:
  void followingChanged(bool following);
  // The rows shown changed: another filter, or rows read, merged or removed.
  void shownRowsChanged();
  // A passing note for the status bar (Unicode).
  void statusNote(const QString& note);

 protected:
  // Whether a panel's column can become the sort column.
  virtual bool CanSortBy(int column) const;
  // The delegate that draws the rows; the view sets its width.
  void SetRowDelegate(RowDelegate* delegate);

 private:
  QWidget* BuildPanelStrip(const Layout& layout);
  // Panel widths from the character spans, measured in the list's font.
  void FitPanelsToColumns();
  void FitRowWidth();
  void ShowFirstRow();
  // What the list shows, by the texts of its rows, to be found again after the rows changed.
  struct ListPlace {
    std::optional<std::string> current;
    bool currentSelected = false;
    std::optional<std::string> top;
    bool atEnd = false;
    int horizontal = 0;
  };
  ListPlace SavePlace() const;
  void RestorePlace(const ListPlace& place);
  // The list's row nearest to the row whose text is `rowText`, shown or filtered out.
  QModelIndex NearestShownIndex(const std::optional<std::string>& rowText) const;
  // Selects the rows shown anew for the filter line as it stands.
  void ApplyFilter();
  // For keystrokes taken together: the rows of a big view are chosen on other threads, the
  // window going on meanwhile; a filter that looks at no row is applied at once.
  void ApplyPendingFilter();
  static constexpr int kPendingFilterRetryMs = 50;
  // What a change of the filter line does: a view of few rows is filtered at once. In a big one
  // the filter waits until the event loop has delivered the keystrokes typed meanwhile, and is
  // then worked out aside for the text as it stands: a keystroke typed while the one before is
  // being worked out stops it and replaces it instead of waiting behind it.
  void FilterChanged();
  static constexpr std::size_t kRowsFilteredAtOnce = 100'000;
  bool filterPending_ = false;
  // The rows of the filter line's text being chosen on a thread of its own, which reads the
  // view's rows and the rows shown: while it runs, they do not change.
  struct FilterWork;
  std::unique_ptr<FilterWork> filterWork_;
  std::uint64_t filterWorkNumber_ = 0;
  // A keystroke came while the filter work ran: the work is worked out again for it.
  bool filterAgain_ = false;
  void StartFilterWork();
  // Takes the rows the work `number` chose, once no long work reads the shown rows.
  void FilterWorked(std::uint64_t number);
  // Stops the filter work and waits for its thread; true when one was running.
  bool StopFilterWork();
  QString ReplacedFileNote() const;
  // Reads the file again for `column` as long work; the view stays as it was when cancelled.
  ArchiveDocument::Outcome ReloadRowsBy(int column);

  // What the list does when the document's rows have changed.
  enum class AfterChange { kStayAtTop, kShowFirstRow, kKeepPlace };
  void RowsAboutToChange() override;
  void RowsChanged() override;
  void RowsAboutToBeInserted() override;
  void RowsInserted(std::span<const RowNumber> shownPlaces) override;
  // Keeps the list's place after rows changed, as afterChange_ says.
  void ShowChangedRows();

  FileFollower* follower_ = nullptr;
  bool lookingAtFile_ = false;
  // The last look found the file emptied by a writer that rotates it; said once.
  bool waitingForReplacedFile_ = false;
  AfterChange afterChange_ = AfterChange::kStayAtTop;
  bool insertingRows_ = false;
  ListPlace placeBeforeChange_;

  std::unique_ptr<ArchiveDocument> document_;
  const ArchiveKind viewKind_;
  ViewContent& content_;
  ViewReport report_{content_};
  std::vector<int> panelSpans_;
  QLabel* titlePanel_ = nullptr;
  RowListView* listBox_ = nullptr;
  std::vector<HeaderPanel*> panels_;
  // The panels sit side by side on a row that follows the list's horizontal scrolling.
  QWidget* panelRow_ = nullptr;
  RowListModel* model_ = nullptr;
  RowDelegate* delegate_ = nullptr;
  FilterBar* filterBar_ = nullptr;
  // CharacterAdvance() as last measured, with the font and resolution it was measured at.
  struct MeasuredAdvance {
    QFont font;
    int dpi = 0;
    double pixelRatio = 0;
    double advance = 0;
  };
  mutable std::optional<MeasuredAdvance> measuredAdvance_;
};

}  // namespace telvoran
