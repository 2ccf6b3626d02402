#include "app/commands/DailySummaryFiles.h"

#include <charconv>

#include "app/views/DataView.h"
#include "core/plant/SummaryDays.h"
#include "core/platform/Utf8Path.h"

namespace telvoran::commands {
namespace {

std::optional<SummaryFiles> SpanFiles(const DaySpan& span) {
  const std::optional<plant::Day> from = plant::DayFromText(span.from);
  const std::optional<plant::Day> to = plant::DayFromText(span.to);
  int unit = 0;
  const auto [end, error] =
      std::from_chars(span.unit.data(), span.unit.data() + span.unit.size(), unit);
  if (!from || !to || error != std::errc() || span.files.empty()) return std::nullopt;
  // The span's own days; only the event archives are looked for.
  SummaryFiles files;
  files.unit = unit;
  files.firstDay = plant::MidnightOf(*from);
  files.lastDay = plant::MidnightOf(*to);
  files.dayFiles = span.files;
  plant::AddEventArchives(files);
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
  // Only the unit's names of that month are taken from the folder.
  SummaryFiles files = plant::SummaryFilesOfFolder(path.parent_path(), named->unit, first, lastDay);
  if (files.dayFiles.empty()) {
    files.dayFiles.push_back(path);
    plant::AddEventArchives(files);
  }
  return files;
}

}  // namespace telvoran::commands
