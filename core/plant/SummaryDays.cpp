#include "core/plant/SummaryDays.h"

#include <algorithm>
#include <map>
#include <set>
#include <string>

#include "core/archive/ArchiveKind.h"
#include "core/platform/Utf8Path.h"

namespace telvoran::plant {
namespace {

namespace fs = std::filesystem;

// Whether a folder is named as a year ("2005"), as a plant's folder of a year's days is.
bool IsYearFolder(const fs::path& folder) {
  const std::string name = Utf8FromPath(folder.filename());
  return name.size() == 4 &&
         std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The folders whose event archives go with the days: a plant keeps its days in a folder a year
// and the year's event archive beside those folders.
std::set<fs::path> EventFolders(const std::vector<fs::path>& dayFiles) {
  std::set<fs::path> folders;
  for (const fs::path& day : dayFiles) {
    folders.insert(day.parent_path());
    if (IsYearFolder(day.parent_path())) folders.insert(day.parent_path().parent_path());
  }
  return folders;
}

// The event archives directly in a folder; names only.
void ListEventArchives(const fs::path& folder, std::set<fs::path>& events) {
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    std::error_code typeError;
    if (ArchiveKindOfName(Utf8FromPath(it->path().filename())) == ArchiveKind::Event &&
        it->is_regular_file(typeError))
      events.insert(it->path());
  }
}

bool IsWithin(const fs::path& folder, const fs::path& root) {
  const auto [inRoot, inFolder] =
      std::mismatch(root.begin(), root.end(), folder.begin(), folder.end());
  return inRoot == root.end() || (std::next(inRoot) == root.end() && inRoot->empty());
}

}  // namespace

ArchiveSeconds MidnightOf(Day day) {
  using namespace std::chrono;
  constexpr sys_days kArchiveEpoch = year{2000} / January / 1;
  return static_cast<ArchiveSeconds>((day - kArchiveEpoch).count()) * 86400;
}

SummaryFiles SummaryFilesOfCatalogue(const FolderCatalogue& catalogue, int unit, Day from, Day to) {
  SummaryFiles files;
  files.unit = unit;
  files.firstDay = MidnightOf(from);
  files.lastDay = MidnightOf(to);
  for (const DayFile* day : catalogue.Span(unit, from, to)) files.dayFiles.push_back(day->path);
  std::set<fs::path> events;
  std::set<fs::path> listedFolders;
  for (const fs::path& folder : EventFolders(files.dayFiles)) {
    if (IsWithin(folder, catalogue.Folder()))
      listedFolders.insert(folder);
    else
      ListEventArchives(folder, events);
  }
  for (const CatalogueFile& file : catalogue.EventArchives())
    if (listedFolders.contains(file.path.parent_path())) events.insert(file.path);
  files.eventFiles.assign(events.begin(), events.end());
  return files;
}

SummaryFiles SummaryFilesOfFolder(const fs::path& folder, int unit, Day from, Day to) {
  SummaryFiles files;
  files.unit = unit;
  files.firstDay = MidnightOf(from);
  files.lastDay = MidnightOf(to);
  // Names first, sizes never: a day's file is told by its name alone.
  std::map<Day, std::pair<std::string, fs::path>> days;
  std::set<fs::path> events;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const std::string name = Utf8FromPath(it->path().filename());
    const std::optional<DayAndUnit> key = DayAndUnitOfName(name);
    if (key) {
      if (key->unit != unit || key->day < from || to < key->day) continue;
    } else if (ArchiveKindOfName(name) != ArchiveKind::Event) {
      continue;
    }
    std::error_code typeError;
    if (!it->is_regular_file(typeError)) continue;
    if (!key) {
      events.insert(it->path());
      continue;
    }
    const auto [at, added] = days.try_emplace(key->day, name, it->path());
    if (!added && name < at->second.first) at->second = {name, it->path()};
  }
  for (auto& [day, named] : days) files.dayFiles.push_back(std::move(named.second));
  for (const fs::path& above : EventFolders(files.dayFiles))
    if (above != folder) ListEventArchives(above, events);
  files.eventFiles.assign(events.begin(), events.end());
  return files;
}

void AddEventArchives(SummaryFiles& files) {
  std::set<fs::path> events(files.eventFiles.begin(), files.eventFiles.end());
  for (const fs::path& folder : EventFolders(files.dayFiles)) ListEventArchives(folder, events);
  files.eventFiles.assign(events.begin(), events.end());
}

}  // namespace telvoran::plant
