#pragma once

#include <QMdiSubWindow>

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/archive/ArchiveFile.h"
#include "core/rows/AppendedRows.h"
#include "core/view/ViewContent.h"

class QLabel;
class QListView;

namespace telvoran {

class FileFollower;
class HeaderPanel;
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
    std::span<const int> panelWidths;            // one per column
    std::span<const char* const> panelCaptions;  // built-in captions, Windows-1250
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
  // The window caption: the file name once the view is complete.
  void SetCaption(std::string_view caption);
  // Replaces the rows the list shows.
  void SetRows(RowList rows);
  void RemoveDuplicateRows();

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

 signals:
  void followingChanged(bool following);

 protected:
  // Whether a panel's column can become the sort column.
  virtual bool CanSortBy(int column) const;
  // Rebuilds the rows through `read`, which fills an empty list from the file; the list is
  // empty while the file is read, and the bevels follow the new column only after a full read.
  // True when the whole file was read.
  template <typename Read>
  bool Reload(Read read) {
    SetRows(RowList());
    RowList rows;
    const bool complete = read(rows);
    SetRows(std::move(rows));
    SetReadingEnd(archive_.LastReadingEnd(), complete);
    if (complete) ShowSortColumn();
    return complete;
  }
  // The rows of the records appended to the file since `since`, for the current sort column.
  virtual AppendedRows ReadAppendedRows(const ReadingEnd& since) = 0;
  // Whether the list keeps one of equal rows only (the event view).
  virtual bool KeepsOneOfEqualRows() const { return false; }

 private:
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
  void AddRows(const RowList& rows);
  void ReadAgainForFollowing();

  FileFollower* follower_ = nullptr;
  ReadingEnd readingEnd_;
  bool readingComplete_ = false;
  bool lookingAtFile_ = false;

  ArchiveFile& archive_;
  const int viewKind_;
  ViewContent content_;
  ViewReport report_{content_};
  std::vector<HeaderPanel*> panels_;
  RowListModel* model_ = nullptr;
};

}  // namespace telvoran
