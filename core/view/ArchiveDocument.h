#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/archive/ArchiveFile.h"
#include "core/archive/HeldReporter.h"
#include "core/rows/AppendedRows.h"
#include "core/rows/RowReading.h"
#include "core/view/DaySpan.h"
#include "core/view/ViewContent.h"

namespace telvoran {

class FailureReporter;
class StringLookup;
class WorkProgress;

// Told by a document when its rows change, so that a window over them never draws a half-built
// list: between the two calls the rows must not be looked at.
class DocumentObserver {
 public:
  virtual void RowsAboutToChange() = 0;
  // The new rows are in place. Called before a failure of the same reading is told, so that a
  // window shows the rows read before the message.
  virtual void RowsChanged() = 0;
  // The same pair for rows appended to a followed file and merged in among the others: until
  // RowsInserted() the window keeps drawing the rows it had, and then takes the new ones at
  // `shownPlaces`, where the view shows them in the merged list (ascending). RowsChanged()
  // ends the pair instead when the rows changed otherwise (memory ran out while merging). A
  // window that knows no better takes all its rows anew.
  virtual void RowsAboutToBeInserted() { RowsAboutToChange(); }
  virtual void RowsInserted(std::span<const RowNumber> shownPlaces) {
    (void)shownPlaces;
    RowsChanged();
  }

 protected:
  ~DocumentObserver() = default;
};

// One archive as a view holds it: its file, kind, sort column, header texts and rows, and the
// three things done to it: open, read again by another column, and take what was appended.
// Each document reads through an archive file of its own, so a view that follows its file and
// another view's re-sort never share a reader. Every failure is told through the failure
// reporter, and the rows read before it stay.
class ArchiveDocument {
 public:
  // How an operation ended.
  enum class Outcome {
    kComplete,   // the whole file was read
    kStopped,    // reading stopped at a record of another kind, a read error or want of memory:
                 // the rows before it are kept, and the user has been told why
    kNotOpened,  // the file could not be opened or its header read; the user has been told why
    kCancelled,  // the work was asked to stop: the document is as it was before, nothing told
  };

  ArchiveDocument(const StringLookup& strings, FailureReporter& reporter);
  ArchiveDocument(const ArchiveDocument&) = delete;
  ArchiveDocument& operator=(const ArchiveDocument&) = delete;

  void SetObserver(DocumentObserver* observer) { observer_ = observer; }

  // Opening, in the steps a window may need between them.
  // 1. Opens the file at `path` with the messages `messages` and gives its kind, taken from its
  //    name; a name of neither kind is closed again without a word. Nothing when it could not be
  //    opened (told).
  std::optional<ArchiveKind> OpenFile(const std::filesystem::path& path,
                                      const ArchiveMessages& messages);
  // 2. Reads what the view's title and panels are made of: an interval archive's header, the
  //    title and the column captions. False, with the file closed, when the header could not
  //    be read (told).
  bool ReadHeader(const ArchiveMessages& messages);
  // 3. Reads the rows for `sortColumn` and closes the file. An event view's duplicate rows are
  //    dropped after a complete reading.
  Outcome ReadRows(int sortColumn);
  // The three steps at once, with the open messages; the caption is the file name after a
  // complete reading. `kNotOpened` too for a name of neither kind.
  Outcome Open(const std::filesystem::path& path, int sortColumn);

  // A central unit's span of days as one interval document, in the same steps as a file:
  // 1. and 2. Takes the span's header, title and panels from its first day whose header can be
  //    read; false when none can, or the span holds no file (told in one message).
  bool OpenSpan(DaySpan span);
  // 3. ReadRows() then reads every day of the span into one list. A day that cannot be read
  //    wholly keeps the rows read of it, and a day whose header differs from the span's is left
  //    out; after the reading one message names each of them, with the reason or difference.
  //    The outcome is kStopped when the newest day could not be read wholly (following it then
  //    reads the span again) or memory ran out. The span's caption is set at once. Following takes
  //    what is appended to the newest day and reads the whole span again when the next day's file
  //    appears within the span.
  Outcome OpenSpan(DaySpan span, int sortColumn);
  bool IsSpan() const { return span_.has_value(); }
  const DaySpan* Span() const { return span_ ? &*span_ : nullptr; }
  // The span's days the last reading could not read wholly.
  std::size_t DaysNotRead() const { return daysNotRead_; }

  // Reads the file again from its start for `sortColumn`, with the re-sort's messages. The
  // rows are emptied first (a file gone since leaves none); the title and panels stay. A span
  // reads each of its days again.
  Outcome Reread(int sortColumn);

  // Long readings in two halves. The first reads the rows into a store aside from the
  // document's own and touches nothing a window draws, so it may run on another thread while
  // nothing else uses the document; it tells `progress` (if any) how far it got and stops at its
  // next block once asked to, and the failures it meets are held back. The second, on the
  // window's thread, puts the rows in place and tells what was held back, with the steps,
  // observer calls and messages of ReadRows() or Reread(); after a cancelled reading it
  // changes nothing and tells nothing.
  // A span's days are read in the first half, their share read being the progress, and are
  // named in the second.
  // ReadRows() in halves: the file is open and its header read (steps 1 and 2).
  void ReadRowsAside(int sortColumn, WorkProgress* progress);
  // Reread() in halves: the old rows stay in place until the new ones are taken.
  void RereadAside(int sortColumn, WorkProgress* progress);
  Outcome TakeRowsReadAside();

  // What a look at a followed file did.
  enum class Appended {
    kNothingNew,  // nothing new, or nothing under the name just now
    kNewRows,     // records were appended and merged into their places
    kReadAgain,   // the file was changed otherwise and has been read again from its start
    kReplaced,    // the file was replaced by one that holds no record yet: the rows stay, and
                  // the next look reads the new file once records arrive
    kStopped,     // a failure was told: reading the file again or going on with it stopped
  };
  // Reads what was appended to the file since the last reading and puts each new row in its
  // place in the current order.
  Appended TakeAppended();
  // The first step of TakeAppended() for a span: takes the files of days that have appeared
  // within it (the next day's, a day written late). True when the span is to be read again for
  // them, until a reading of it is taken; a window may then read it aside (RereadAside()).
  bool TakeNewDays();

  ArchiveKind Kind() const { return content_.kind; }
  const std::filesystem::path& FilePath() const { return content_.filePath; }
  int SortColumn() const { return content_.sortColumn; }
  // The file name as the views hold it: Windows-1250, without its folder; a span's newest day.
  const std::string& FileName() const { return fileName_; }
  const ViewContent& Content() const { return content_; }
  // For a window that changes what only it shows: the filter, the caption.
  ViewContent& Content() { return content_; }
  // Whether the last reading read the whole file.
  bool ReadingComplete() const { return readingComplete_; }
  // The records of the file, shared with the rows rather than read again, as long as they are
  // all that the file holds now: the whole file was read and nothing has been appended or
  // changed since. Nothing otherwise (the file is then to be read anew); nothing is told.
  struct SharedRecords {
    ArraySnapshot<ArchiveRecord> records;
    std::string intervalHeader;  // an interval archive's header, as read with them
  };
  std::optional<SharedRecords> RecordsOfWholeFile();
  // The document's own reader, for a chart that reads the same file.
  ArchiveFile& File() { return file_; }
  // What the reader tells is kept from now on, for work done away from the window's thread, to
  // be told in order (ReleaseFailures) or forgotten (DropFailures) once the work has ended.
  void HoldFailures() { reporter_.Hold(); }
  void ReleaseFailures() { reporter_.Release(); }
  void DropFailures() { reporter_.Drop(); }
  const StringLookup& Strings() const { return file_.Strings(); }
  // The reporter the document was given.
  FailureReporter& Reporter() const { return reporter_.Target(); }

 private:
  // Reads the rows of the open file into `rows`, sorted for `sortColumn`.
  ReadStop ReadOpenFile(int sortColumn, RowStore& rows, WorkProgress* progress);
  Outcome FinishReading(ReadStop stop);
  // The reading of the first half, kept for the second.
  struct Aside {
    // Declared here and defaulted in the source: clang asks whether it can be made before this
    // class is complete, when default member initializers cannot be used yet.
    Aside();
    bool reread = false;
    bool oldRowsGone = false;
    bool opened = true;
    bool cancelled = false;
    int sortColumn = 1;
    ReadStop stop = ReadStop::EndOfFile;
    RowStore rows;
    // A span's reading: the days to be named after it, and how its newest day ended.
    std::vector<std::string> daysUnreadable;
    std::vector<std::string> daysDiffering;
    bool newestComplete = false;
    bool outOfMemory = false;
    std::optional<ReadingEnd> newestEnd;  // when the newest day was read
  };
  void ChangeRows(auto change);
  // Whether the file under the document's name holds too little to be read from its start:
  // a writer that rotates its archive leaves it empty for a moment.
  bool HoldsNoRecordYet() const;
  // The span's days read into the aside rows for its sort column, with what the one message of
  // the days that could not be read or were left out will name; tells nothing.
  void ReadSpanAside(const ArchiveMessages& messages, WorkProgress* progress);
  // Puts the span's rows read aside in place and tells the days.
  Outcome TakeSpanRows(Aside& aside);
  // Takes the newest day's file as the one followed, the one the views name as theirs.
  void FollowNewestDay();

  HeldReporter reporter_;  // what the file tells, held back while rows are read aside
  ArchiveFile file_;
  DocumentObserver* observer_ = nullptr;
  std::optional<Aside> aside_;
  ViewContent content_;
  std::string fileName_;
  ReadingEnd readingEnd_;
  bool readingComplete_ = false;
  std::optional<DaySpan> span_;
  std::size_t daysNotRead_ = 0;
  bool newDaysToRead_ = false;  // days taken into the span and not read yet
};

}  // namespace telvoran
