#include "core/plant/FolderSearch.h"

#include <algorithm>
#include <mutex>
#include <optional>
#include <thread>

#include "core/archive/ArchiveFile.h"
#include "core/archive/ArchiveKind.h"
#include "core/plant/CollectedFailures.h"
#include "core/platform/Utf8Path.h"
#include "core/rows/RowFilter.h"
#include "core/rows/RowFormat.h"
#include "core/rows/RowReading.h"
#include "core/sort/RowText.h"

namespace telvoran {
namespace {

bool Cancelled(const std::atomic<bool>* cancel) {
  return cancel && cancel->load(std::memory_order_relaxed);
}

// One thread's reader: an archive file of its own and what it found in the current file.
class FileSearcher {
 public:
  FileSearcher(const RowFilter& filter, const StringLookup& strings)
      : filter_(filter), strings_(strings), file_(strings, failures_) {}

  struct Result {
    std::vector<FoundRow> rows;
    std::optional<std::string> failure;
    std::uint64_t bytes = 0;
  };

  Result Search(std::size_t index, const std::filesystem::path& path,
                const std::atomic<bool>* cancel) {
    Result result;
    const ArchiveKind kind = ArchiveKindOfName(Utf8FromPath(path.filename()));
    if (!file_.OpenArchiveFile(path, kReloadMessages.missingFile, kReloadMessages.emptyFile))
      return Failed(std::move(result));
    std::optional<RowFormat> format;
    std::uint32_t recordKind = kEventKind;
    if (kind == ArchiveKind::Interval) {
      if (!file_.ReadIntervalHeader(kReloadMessages.shortHeader)) return Failed(std::move(result));
      const std::optional<int> channels = ChannelCount(file_.IntervalHeader());
      format = RowFormat::Interval(channels.value_or(0), 1);
      recordKind = kIntervalKind;
    } else {
      format = RowFormat::Event(1, strings_);
    }
    std::uint64_t record = 0;
    while (!file_.AtEnd()) {
      if ((record & 1023) == 0 && Cancelled(cancel)) break;
      if (!file_.ReadRecord()) {
        ReportReadStop(ReadStop::ReadError, file_);
        break;
      }
      if (file_.Record().Kind() != recordKind) {
        ReportReadStop(ReadStop::WrongKind, file_);
        break;
      }
      if (filter_.Keeps(file_.Record(), *format, text_))
        result.rows.push_back(
            {index, record, std::string(format->DisplayText(file_.Record(), text_))});
      ++record;
    }
    result.bytes = file_.RecordsRead() * kRecordSize;
    file_.Close();
    if (failures_.Any()) result.failure = failures_.Take();
    return result;
  }

 private:
  Result Failed(Result result) {
    file_.Close();
    result.failure = failures_.Take();
    return result;
  }

  const RowFilter& filter_;
  const StringLookup& strings_;
  CollectedFailures failures_;
  ArchiveFile file_;
  RowText text_;
};

}  // namespace

SearchOutcome SearchArchives(std::span<const std::filesystem::path> files,
                             std::string_view utf8Text, const StringLookup& strings,
                             const SearchListener& listener, const std::atomic<bool>* cancel,
                             unsigned threads) {
  RowFilter filter;
  filter.SetText(utf8Text);
  SearchOutcome outcome;
  std::mutex mutex;  // guards the outcome and the listener's calls
  std::atomic<std::size_t> next{0};
  std::size_t done = 0;

  auto work = [&] {
    FileSearcher searcher(filter, strings);
    for (;;) {
      const std::size_t index = next.fetch_add(1);
      if (index >= files.size() || Cancelled(cancel)) return;
      const std::filesystem::path& path = files[index];
      if (ArchiveKindOfName(Utf8FromPath(path.filename())) == ArchiveKind::Other) {
        std::lock_guard lock(mutex);
        if (listener.progress) listener.progress(++done);
        continue;
      }
      FileSearcher::Result result = searcher.Search(index, path, cancel);
      std::lock_guard lock(mutex);
      ++outcome.filesSearched;
      outcome.bytesSearched += result.bytes;
      if (result.failure) outcome.unreadable.emplace_back(path, std::move(*result.failure));
      if (!result.rows.empty() && listener.found) listener.found(std::move(result.rows));
      if (listener.progress) listener.progress(++done);
    }
  };

  std::vector<std::thread> helpers;
  for (unsigned i = 1; i < std::max(1u, threads); ++i) helpers.emplace_back(work);
  work();
  for (std::thread& helper : helpers) helper.join();
  outcome.cancelled = Cancelled(cancel);
  return outcome;
}

}  // namespace telvoran

namespace telvoran {

namespace {

// The regular files of a folder and its subfolders whose names `wanted` takes, by path in name
// order. The entry's own type is enough: no file is looked at beyond its name.
template <typename Wanted>
std::vector<std::filesystem::path> FilesInFolder(const std::filesystem::path& folder,
                                                 Wanted wanted) {
  namespace fs = std::filesystem;
  std::vector<fs::path> files;
  std::error_code error;
  fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied, error);
  for (; !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
    if (!wanted(Utf8FromPath(it->path().filename()))) continue;
    std::error_code typeError;
    if (it->is_regular_file(typeError)) files.push_back(it->path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace

std::vector<std::filesystem::path> ArchivesInFolder(const std::filesystem::path& folder) {
  return FilesInFolder(folder, [](const std::string& name) {
    return ArchiveKindOfName(name) != ArchiveKind::Other;
  });
}

std::vector<std::filesystem::path> UnitArchivesInFolder(const std::filesystem::path& folder,
                                                        int unit, plant::Day from, plant::Day to) {
  return FilesInFolder(folder, [unit, from, to](const std::string& name) {
    const std::optional<plant::DayAndUnit> key = plant::DayAndUnitOfName(name);
    return key && key->unit == unit && from <= key->day && key->day <= to;
  });
}

}  // namespace telvoran
