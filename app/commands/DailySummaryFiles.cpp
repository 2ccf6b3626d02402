#include "app/commands/DailySummaryFiles.h"

#include <algorithm>
#include <charconv>
#include <set>

#include "app/views/DataView.h"
#include "core/archive/ArchiveKind.h"
#include "core/plant/FolderCatalogue.h"
#include "core/platform/Utf8Path.h"

namespace telvoran::commands {
namespace {

ArchiveSeconds MidnightOf(plant::Day day) {
  using namespace std::chrono;
  constexpr sys_days kArchiveEpoch = year{2000} / January / 1;
  return static_cast<ArchiveSeconds>((day - kArchiveEpoch).count()) * 86400;
}

// Whether a folder is named as a year ("2005"), as a plant's folder of a year's days is.
bool IsYearFolder(const std::filesystem::path& folder) {
  const std::string name = Utf8FromPath(folder.filename());
  return name.size() == 4 &&
         std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The event archives beside the day files and, for days in a year's folder, in the folder above
// it: a plant keeps its days in a folder a year and the year's event archive beside those
// folders. Only names are read.
void AddEventArchives(SummaryFiles& files) {
  std::set<std::filesystem::path> folders;
  for (const std::filesystem::path& day : files.dayFiles) {
    folders.insert(day.parent_path());
    if (IsYearFolder(day.parent_path())) folders.insert(day.parent_path().parent_path());
  }
  std::set<std::filesystem::path> events;
  for (const std::filesystem::path& folder : folders) {
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
      std::error_code typeError;
      if (it->is_regular_file(typeError) &&
          ArchiveKindOfName(Utf8FromPath(it->path().filename())) == ArchiveKind::Event)
        events.insert(it->path());
    }
  }
  files.eventFiles.assign(events.begin(), events.end());
}

std::optional<SummaryFiles> SpanFiles(const DaySpan& span) {
  const std::optional<plant::Day> from = plant::DayFromText(span.from);
  const std::optional<plant::Day> to = plant::DayFromText(span.to);
  int unit = 0;
  const auto [end, error] =
      std::from_chars(span.unit.data(), span.unit.data() + span.unit.size(), unit);
  if (!from || !to || error != std::errc() || span.files.empty()) return std::nullopt;
  SummaryFiles files;
  files.unit = unit;
  files.firstDay = MidnightOf(*from);
  files.lastDay = MidnightOf(*to);
  files.dayFiles = span.files;
  AddEventArchives(files);
  return files;
}

}  // namespace

std::optional<SummaryFiles> SummaryFilesOf(const DataView& view) {
  using namespace std::chrono;
  if (const DaySpan* span = view.Document().Span()) return SpanFiles(*span);
  const std::filesystem::path& path = view.FilePath();
  const std::optional<plant::DayAndUnit> named =
      plant::DayAndUnitOfName(Utf8FromPath(path.filename()));
  if (!named) return std::nullopt;
  const year_month_day day{named->day};
  const plant::Day first = day.year() / day.month() / 1;
  const plant::Day lastDay = day.year() / day.month() / std::chrono::last;
  SummaryFiles files;
  files.unit = named->unit;
  files.firstDay = MidnightOf(first);
  files.lastDay = MidnightOf(lastDay);
  plant::FolderCatalogue catalogue(path.parent_path());
  if (catalogue.Read()) {
    for (const plant::DayFile* file : catalogue.Span(named->unit, first, lastDay))
      files.dayFiles.push_back(file->path);
  }
  if (files.dayFiles.empty()) files.dayFiles.push_back(path);
  AddEventArchives(files);
  return files;
}

}  // namespace telvoran::commands
