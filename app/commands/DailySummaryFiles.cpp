#include "app/commands/DailySummaryFiles.h"

#include "app/views/DataView.h"
#include "core/plant/FolderCatalogue.h"
#include "core/platform/Utf8Path.h"

namespace telvoran::commands {
namespace {

ArchiveSeconds MidnightOf(plant::Day day) {
  using namespace std::chrono;
  constexpr sys_days kArchiveEpoch = year{2000} / January / 1;
  return static_cast<ArchiveSeconds>((day - kArchiveEpoch).count()) * 86400;
}

}  // namespace

std::optional<SummaryFiles> SummaryFilesOf(const DataView& view) {
  using namespace std::chrono;
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
    for (const plant::CatalogueFile& file : catalogue.EventArchives())
      files.eventFiles.push_back(file.path);
  }
  if (files.dayFiles.empty()) files.dayFiles.push_back(path);
  return files;
}

}  // namespace telvoran::commands
