#pragma once

#include <QMdiSubWindow>

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/archive/ArchiveFile.h"
#include "core/rows/AppendedRows.h"
#include "core/rows/RowReading.h"
#include "core/view/ViewContent.h"

class QLabel;
class QListView;

namespace telvoran {

class FileFollower;
class FilterBar;
class HeaderPanel;
class RowDelegate;
class RowListModel;

// The kind of a data view, as the main window records the kind activated last.
enum ViewKindValue { kNoViewKind = 0, kIntervalViewKind = 1, kEventViewKind = 2 };

// What both data views share: a child window of the main window with a title panel, a row of
// column panels that choose the sort column, and a list that draws the rows of its content.
// A view knows its file, its rows and its panels; it reads its file again through the
// program's one archive file when a panel is clicked, and, while it follows its file, reads
// what is appended to it.
class DataView : public QMdiSubWindow {
  Q_OBJECT

 public:
  struct Layout {
    ArchiveKind kind;
    int viewKind;
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

  DataView(ArchiveFile& archive, const Layout& layout);
  ~DataView() override;

  int ViewKind() const { return viewKind_; }
  ArchiveFile& Archive() const { return archive_; }
  const ViewContent& Content() const { return content_; }
  // The report and printout of this view.
  const ReportSource& Report() const { return report_; }
  int SortColumn() const { return content_.sortColumn; }
  void SetSortColumn(int column) { content_.sortColumn = column; }
  const std::filesystem::path& FilePath() const { return content_.filePath; }
  void SetFilePath(std::filesystem::path path) { content_.filePath = std::move(path); }

  // Controls, named by role. Panel(1) is the date and time column.
  QLabel* TitlePanel = nullptr;
  QListView* ListBox = nullptr;
  HeaderPanel* Panel(int number) const;
  int PanelCount() const { return static_cast<int>(panels_.size()); }

  void SetTitle(std::string_view title);
  void SetPanelCaption(int number, std::string_view caption);
  void SetPanelHint(int number, std::string_view hint);
  // The interval header the channel panels were titled from, for exports of the records' fields.
  void SetIntervalHeader(std::string_view header) { content_.intervalHeader = header; }
  // The window caption: the file name once the view is complete.
  void SetCaption(std::string_view caption);
  // Replaces the rows the list shows; the list is as wide as its widest row.
  void SetRows(RowStore rows);
  void RemoveDuplicateRows();
  // The width of one character of the rows in the list's font, in pixels, as the list draws it.
  // Panels and list are both measured in it, so each panel stands over its column at any font
  // and scale.
  double CharacterAdvance() const;

  // Gives the panel of the sort column lowered bevels and every other panel raised ones.
  void ShowSortColumn();
  // Re-reads the file from disk and rebuilds the list for the current sort column. True when
  // the whole file was read; otherwise the user has been told why.
  virtual bool ReloadRows() = 0;
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
  // shrank or was replaced is read again from its start. What the file follower runs.
  void FollowFile();
  // Where the view's last reading of its file ended, and whether it read the whole file.
  void SetReadingEnd(const ReadingEnd& end, bool complete);

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

 protected:
  // Whether a panel's column can become the sort column.
  virtual bool CanSortBy(int column) const;
  // The delegate that draws the rows; the view sets its width.
  void SetRowDelegate(RowDelegate* delegate);
  // Rebuilds the rows through `read`, which opens the file and reads its rows into an empty
  // list: nothing when the file could not be opened or its header read (those failures are told
  // by then), else why reading stopped. The list is empty while the file is read; the rows read
  // are shown, from the first, before a stop short of the end is told; the bevels follow the new
  // column only after a full read. True when the whole file was read.
  template <typename Read>
  bool Reload(Read read) {
    SetRows(RowStore());
    RowStore rows;
    const std::optional<ReadStop> stop = read(rows);
    SetRows(std::move(rows));
    ShowFirstRow();
    const bool complete = stop == ReadStop::EndOfFile;
    if (stop) {
      ReportReadStop(*stop, archive_);
      archive_.Close();
    }
    SetReadingEnd(archive_.LastReadingEnd(), complete);
    if (complete) ShowSortColumn();
    return complete;
  }

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
  // Puts the records appended to the store since its last order in their places.
  void MergeAppendedRows();
  // Selects the rows shown anew for the filter line as it stands.
  void ApplyFilter();
  void ReadAgainForFollowing();

  FileFollower* follower_ = nullptr;
  ReadingEnd readingEnd_;
  bool readingComplete_ = false;
  bool lookingAtFile_ = false;

  ArchiveFile& archive_;
  const int viewKind_;
  ViewContent content_;
  ViewReport report_{content_};
  std::vector<int> panelSpans_;
  std::vector<HeaderPanel*> panels_;
  // The panels sit side by side on a row that follows the list's horizontal scrolling.
  QWidget* panelRow_ = nullptr;
  RowListModel* model_ = nullptr;
  RowDelegate* delegate_ = nullptr;
  FilterBar* filterBar_ = nullptr;
};

}  // namespace telvoran
