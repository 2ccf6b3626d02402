#include "core/view/ArchiveDocument.h"

#include <algorithm>
#include <new>
#include <system_error>

#include "core/archive/FailureReporter.h"
#include "core/platform/RecordFile.h"
#include "core/platform/Utf8Path.h"
#include "core/sort/CollationOrder.h"
#include "core/sort/SortMemory.h"
#include "core/text/Cp1250.h"
#include "core/text/StringIds.h"
#include "core/text/StringLookup.h"
#include "core/work/WorkProgress.h"

namespace telvoran {
namespace {

// An interval archive is read from its start only when its four header records and one more
// are there.
constexpr std::uint64_t kIntervalRecordsToRead = 5;
// A span's message names this many days at most, and how many more there are.
constexpr std::size_t kDaysNamed = 20;

// Keeps what the reading of one day of a span would have told, to be told for the whole span.
class DayReporter final : public FailureReporter {
 public:
  void Beep() override {}
  void ShowMessage(std::string_view text) override { Keep(text); }
  void ShowError(std::string_view platformText) override { Keep(platformText); }
  void ShowErrorMessage(std::string_view text) override { Keep(text); }
  // What was told since the last call, on one line.
  std::string Take() { return std::exchange(text_, {}); }

 private:
  void Keep(std::string_view text) {
    if (!text_.empty()) text_ += ' ';
    text_ += text;
    std::replace(text_.begin(), text_.end(), '\r', ' ');
  }
  std::string text_;
};

std::string FileNameOf(const std::filesystem::path& path) {
  return Utf8ToCp1250(Utf8FromPath(path.filename()));
}

// Tells `lines` under the library text `heading` in one message, when there are any.
void ReportDays(FailureReporter& reporter, const StringLookup& strings, int heading,
                const std::vector<std::string>& lines) {
  if (lines.empty()) return;
  std::string text(strings.Text(heading));
  for (std::size_t k = 0; k < lines.size() && k < kDaysNamed; ++k) text += '\r' + lines[k];
  if (lines.size() > kDaysNamed) text += "\r+" + std::to_string(lines.size() - kDaysNamed);
  reporter.Beep();
  reporter.ShowMessage(text);
}

}  // namespace

ArchiveDocument::Aside::Aside() = default;

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
  return ReadIntervalRows(file_, *ChannelCount(file_.IntervalHeader()), sortColumn, rows, progress);
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
  if (span_) return ReadSpanAside(kOpenMessages, progress);
  aside_->stop = ReadOpenFile(sortColumn, aside_->rows, progress);
  aside_->cancelled = StopAsked(progress);
}

void ArchiveDocument::RereadAside(int sortColumn, WorkProgress* progress) {
  aside_.emplace();
  aside_->reread = true;
  aside_->sortColumn = sortColumn;
  if (span_) return ReadSpanAside(kReloadMessages, progress);
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
  if (span_) return TakeSpanRows(aside);
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

ArchiveDocument::Outcome ArchiveDocument::Open(const std::filesystem::path& path, int sortColumn) {
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
  // A span's records come from many files; its chart reads them itself.
  if (!readingComplete_ || span_) return std::nullopt;
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

bool ArchiveDocument::OpenSpan(DaySpan span) {
  const StringLookup& strings = file_.Strings();
  content_.kind = ArchiveKind::Interval;
  span_ = std::move(span);
  FollowNewestDay();
  DayReporter told;
  std::vector<std::string> unreadable;
  for (const std::filesystem::path& path : span_->files) {
    ArchiveFile day(strings, told);
    if (day.OpenArchiveFile(path, kOpenMessages.missingFile, kOpenMessages.emptyFile) &&
        day.ReadIntervalHeader(kOpenMessages.shortHeader)) {
      day.Close();
      content_.intervalHeader = day.IntervalHeader();
      content_.title = SpanViewTitle(strings, *span_);
      content_.caption = SpanCaption(strings, *span_);
      content_.spanHeading = content_.title;
      content_.columnCaptions = IntervalColumnCaptions(strings, content_.intervalHeader);
      return true;
    }
    unreadable.push_back(FileNameOf(path) + ": " + told.Take());
  }
  if (unreadable.empty())
    ReportMessage(Reporter(), strings, sid::kSpanNoDay);
  else
    ReportDays(Reporter(), strings, sid::kSpanUnreadable, unreadable);
  return false;
}

ArchiveDocument::Outcome ArchiveDocument::OpenSpan(DaySpan span, int sortColumn) {
  if (!OpenSpan(std::move(span))) return Outcome::kNotOpened;
  return ReadRows(sortColumn);
}

void ArchiveDocument::FollowNewestDay() {
  if (span_->files.empty()) return;
  content_.filePath = span_->files.back();
  fileName_ = FileNameOf(content_.filePath);
}

void ArchiveDocument::ReadSpanAside(const ArchiveMessages& messages, WorkProgress* progress) {
  const StringLookup& strings = file_.Strings();
  Aside& aside = *aside_;
  // Every day is read in the format of the span's header, which the panels were titled from.
  aside.rows = RowStore(
      RowFormat::Interval(ChannelCount(content_.intervalHeader).value_or(0), aside.sortColumn));
  RowStore& rows = aside.rows;
  // The days are many small files: their share read is the progress, and a stop is seen
  // between two of them.
  if (progress) progress->Step(sid::kWorkReading, span_->files.size());
  std::uint64_t daysRead = 0;
  DayReporter told;
  for (const std::filesystem::path& path : span_->files) {
    if (StopAsked(progress)) break;
    if (progress) progress->Done(daysRead++);
    const bool newest = &path == &span_->files.back();
    ArchiveFile day(strings, told);
    if (!day.OpenArchiveFile(path, messages.missingFile, messages.emptyFile) ||
        !day.ReadIntervalHeader(messages.shortHeader)) {
      aside.daysUnreadable.push_back(FileNameOf(path) + ": " + told.Take());
      continue;
    }
    const std::string difference =
        HeaderDifference(strings, content_.intervalHeader, day.IntervalHeader());
    if (!difference.empty()) {
      day.Close();
      aside.daysDiffering.push_back(FileNameOf(path) + ": " + difference);
      continue;
    }
    const ReadStop stop = AppendRows(day, kIntervalKind, rows);
    ReportReadStop(stop, day);
    day.Close();
    if (stop != ReadStop::EndOfFile)
      aside.daysUnreadable.push_back(FileNameOf(path) + ": " + told.Take());
    if (newest) {
      aside.newestEnd = day.LastReadingEnd();
      aside.newestComplete = stop == ReadStop::EndOfFile;
    }
    if (stop == ReadStop::OutOfMemory) {
      aside.outOfMemory = true;
      break;
    }
  }
  aside.cancelled = StopAsked(progress);
  if (aside.cancelled) return;
  if (progress) progress->Step(sid::kWorkSorting, 0);
  try {
    SortMemory memory;
    rows.Sort(memory, progress);
  } catch (const SortCancelled&) {
    aside.cancelled = true;
  } catch (const std::bad_alloc&) {
    // Rows that cannot be put in order are not shown out of it.
    rows.Clear();
    aside.outOfMemory = true;
    aside.daysUnreadable.push_back(platform::OutOfMemoryText());
  }
}

ArchiveDocument::Outcome ArchiveDocument::TakeSpanRows(Aside& aside) {
  if (aside.cancelled) return Outcome::kCancelled;
  newDaysToRead_ = false;
  content_.sortColumn = aside.sortColumn;
  if (aside.reread && !aside.oldRowsGone) {
    // The old rows go before the new ones come, as when the span is read again in one go.
    ChangeRows([&] { content_.rows = RowStore(); });
    readingComplete_ = false;
  }
  ChangeRows([&] { content_.rows = std::move(aside.rows); });
  if (aside.newestEnd) readingEnd_ = *aside.newestEnd;
  daysNotRead_ = aside.daysUnreadable.size();
  // The rows show before the days are told.
  const StringLookup& strings = file_.Strings();
  ReportDays(Reporter(), strings, sid::kSpanDiffering, aside.daysDiffering);
  ReportDays(Reporter(), strings, sid::kSpanUnreadable, aside.daysUnreadable);
  readingComplete_ = aside.newestComplete && !aside.outOfMemory;
  return readingComplete_ ? Outcome::kComplete : Outcome::kStopped;
}

bool ArchiveDocument::TakeNewDays() {
  // A span that reaches beyond its newest day takes the next day's file when it appears: what
  // is left of the newest day is read with the whole span.
  // A day written late, between two days read already, is read with the whole span too.
  if (!span_ || span_->files.empty()) return false;
  std::error_code error;
  const std::optional<std::filesystem::path> next = NextDayFile(span_->files.back(), span_->to);
  const bool nextThere = next && std::filesystem::is_regular_file(*next, error);
  const std::vector<std::filesystem::path> late = LateDayFiles(*span_);
  if (nextThere || !late.empty()) {
    if (nextThere) span_->files.push_back(*next);
    span_->files.insert(span_->files.end(), late.begin(), late.end());
    // The names begin with their days, so that their order is the days' order.
    std::stable_sort(span_->files.begin(), span_->files.end(),
                     [](const std::filesystem::path& a, const std::filesystem::path& b) {
                       return Utf8FromPath(a.filename()).substr(0, 10) <
                              Utf8FromPath(b.filename()).substr(0, 10);
                     });
    FollowNewestDay();
    newDaysToRead_ = true;
  }
  return newDaysToRead_;
}

ArchiveDocument::Appended ArchiveDocument::TakeAppended() {
  if (TakeNewDays())
    return Reread(content_.sortColumn) == Outcome::kComplete ? Appended::kReadAgain
                                                             : Appended::kStopped;
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
