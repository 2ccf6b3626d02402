#include "core/view/ArchiveDocument.h"

#include <new>
#include <system_error>

#include "core/archive/FailureReporter.h"
#include "core/platform/RecordFile.h"
#include "core/platform/Utf8Path.h"
#include "core/text/Cp1250.h"
#include "core/work/WorkProgress.h"

namespace telvoran {
namespace {

// An interval archive is read from its start only when its four header records and one more
// are there.
constexpr std::uint64_t kIntervalRecordsToRead = 5;

}  // namespace

ArchiveDocument::ArchiveDocument(const StringLookup& strings, FailureReporter& reporter)
    : reporter_(reporter), file_(strings, reporter_) {}

void ArchiveDocument::ChangeRows(auto change) {
  if (observer_) observer_->RowsAboutToChange();
  change();
  content_.ReselectShown();
  if (observer_) observer_->RowsChanged();
}

std::optional<ArchiveKind> ArchiveDocument::OpenFile(const std::filesystem::path& path,
                                                     const ArchiveMessages& messages) {
  if (!file_.OpenArchiveFile(path, messages.missingFile, messages.emptyFile)) return std::nullopt;
  fileName_ = Utf8ToCp1250(Utf8FromPath(path.filename()));
  content_.kind = ArchiveKindOfName(fileName_);
  content_.filePath = path;
  if (content_.kind == ArchiveKind::Other) file_.Close();
  return content_.kind;
}

bool ArchiveDocument::ReadHeader(const ArchiveMessages& messages) {
  const StringLookup& strings = file_.Strings();
  if (content_.kind == ArchiveKind::Event) {
    content_.title = EventViewTitle(strings, fileName_);
    content_.columnCaptions = EventColumnCaptions(strings);
    return true;
  }
  if (!file_.ReadIntervalHeader(messages.shortHeader)) return false;
  content_.title = IntervalViewTitle(strings, fileName_);
  content_.intervalHeader = file_.IntervalHeader();
  content_.columnCaptions = IntervalColumnCaptions(strings, content_.intervalHeader);
  return true;
}

ReadStop ArchiveDocument::ReadOpenFile(int sortColumn, RowStore& rows, WorkProgress* progress) {
  if (content_.kind == ArchiveKind::Event) {
    const ReadStop stop = ReadEventRows(file_, sortColumn, rows, progress);
    if (stop == ReadStop::EndOfFile) rows.RemoveDuplicateRows();
    return stop;
  }
  // A re-read goes by the header the file has now.
  return ReadIntervalRows(file_, *ChannelCount(file_.IntervalHeader()), sortColumn, rows,
                          progress);
}

ArchiveDocument::Outcome ArchiveDocument::FinishReading(ReadStop stop) {
  // The rows show before the reason reading stopped is told.
  ReportReadStop(stop, file_);
  file_.Close();
  readingEnd_ = file_.LastReadingEnd();
  readingComplete_ = stop == ReadStop::EndOfFile;
  return readingComplete_ ? Outcome::kComplete : Outcome::kStopped;
}

ArchiveDocument::Outcome ArchiveDocument::ReadRows(int sortColumn) {
  ReadRowsAside(sortColumn, nullptr);
  return TakeRowsReadAside();
}

void ArchiveDocument::ReadRowsAside(int sortColumn, WorkProgress* progress) {
  aside_.emplace();
  aside_->sortColumn = sortColumn;
  aside_->stop = ReadOpenFile(sortColumn, aside_->rows, progress);
  aside_->cancelled = StopAsked(progress);
}

void ArchiveDocument::RereadAside(int sortColumn, WorkProgress* progress) {
  aside_.emplace();
  aside_->reread = true;
  aside_->sortColumn = sortColumn;
  // Told once the old rows have gone, as the one-step Reread() tells them.
  reporter_.Hold();
  aside_->opened = file_.OpenArchiveFile(content_.filePath, kReloadMessages.missingFile,
                                         kReloadMessages.emptyFile) &&
                   (content_.kind != ArchiveKind::Interval ||
                    file_.ReadIntervalHeader(kReloadMessages.shortHeader));
  if (aside_->opened) aside_->stop = ReadOpenFile(sortColumn, aside_->rows, progress);
  aside_->cancelled = StopAsked(progress);
}

ArchiveDocument::Outcome ArchiveDocument::TakeRowsReadAside() {
  Aside aside = std::move(*aside_);
  aside_.reset();
  if (aside.cancelled) {
    reporter_.Drop();
    file_.Close();
    return Outcome::kCancelled;
  }
  content_.sortColumn = aside.sortColumn;
  if (aside.reread) {
    // The old rows go before the failures of opening are told.
    if (!aside.oldRowsGone) ChangeRows([&] { content_.rows = RowStore(); });
    readingComplete_ = false;
    reporter_.Release();
    if (!aside.opened) return Outcome::kNotOpened;
  }
  ChangeRows([&] { content_.rows = std::move(aside.rows); });
  return FinishReading(aside.stop);
}

ArchiveDocument::Outcome ArchiveDocument::Open(const std::filesystem::path& path,
                                               int sortColumn) {
  const std::optional<ArchiveKind> kind = OpenFile(path, kOpenMessages);
  if (kind.value_or(ArchiveKind::Other) == ArchiveKind::Other || !ReadHeader(kOpenMessages))
    return Outcome::kNotOpened;
  const Outcome outcome = ReadRows(sortColumn);
  if (outcome == Outcome::kComplete) content_.caption = fileName_;
  return outcome;
}

ArchiveDocument::Outcome ArchiveDocument::Reread(int sortColumn) {
  // The old rows go before the file is read again, so that memory holds one set of them.
  ChangeRows([&] { content_.rows = RowStore(); });
  readingComplete_ = false;
  RereadAside(sortColumn, nullptr);
  aside_->oldRowsGone = true;
  return TakeRowsReadAside();
}

std::optional<ArchiveDocument::SharedRecords> ArchiveDocument::RecordsOfWholeFile() {
  if (!readingComplete_) return std::nullopt;
  const bool same = file_.ContinueAfter(content_.filePath, readingEnd_) ==
                        ArchiveFile::Continuation::kContinued &&
                    file_.AtEnd();
  file_.Close();
  if (!same) return std::nullopt;
  return SharedRecords{content_.rows.ShareRecords(), file_.IntervalHeader()};
}

bool ArchiveDocument::HoldsNoRecordYet() const {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(content_.filePath, error);
  if (error) return false;
  const std::uint64_t needed = content_.kind == ArchiveKind::Interval ? kIntervalRecordsToRead : 1;
  return size < needed * kRecordSize;
}

ArchiveDocument::Appended ArchiveDocument::TakeAppended() {
  auto readAgain = [this] {
    // A writer that rotates its archive leaves an empty file under the name for a moment.
    if (HoldsNoRecordYet()) return Appended::kReplaced;
    return Reread(content_.sortColumn) == Outcome::kComplete ? Appended::kReadAgain
                                                             : Appended::kStopped;
  };
  if (!readingComplete_) return readAgain();
  const std::uint32_t kind = content_.kind == ArchiveKind::Event ? kEventKind : kIntervalKind;
  // The records appended stand at the end of the store, out of the list's sight, until they are
  // merged in below.
  const AppendedRows appended =
      ReadAppendedRows(file_, content_.filePath, readingEnd_, kind, content_.rows);
  auto merge = [this] {
    if (observer_) observer_->RowsAboutToBeInserted();
    std::vector<RowNumber> shownPlaces;
    try {
      const std::vector<RowNumber> places = content_.rows.MergeAppended();
      shownPlaces = content_.shown.MergeInserted(content_.rows, places);
    } catch (const std::bad_alloc&) {
      content_.ReselectShown();
      if (observer_) observer_->RowsChanged();
      return false;
    }
    if (observer_) observer_->RowsInserted(shownPlaces);
    return true;
  };
  switch (appended.look) {
    case FollowLook::kNothingNew:
      return Appended::kNothingNew;
    case FollowLook::kNewRows:
      if (!merge()) {
        ReportReadStop(ReadStop::OutOfMemory, file_);
        readingComplete_ = false;
        return Appended::kStopped;
      }
      readingEnd_ = appended.end;
      return Appended::kNewRows;
    case FollowLook::kReadAgain:
      return readAgain();
    case FollowLook::kStopped:
      // The rows before the record that stopped the reading show; the reason is told once.
      merge();
      readingEnd_ = appended.end;
      readingComplete_ = false;
      ReportReadStop(appended.stop, file_);
      return Appended::kStopped;
  }
  return Appended::kNothingNew;
}

}  // namespace telvoran
