#include "core/plant/FolderCatalogue.h"

#include <algorithm>
#include <system_error>
#include <utility>

#include "core/archive/ArchiveKind.h"
#include "core/archive/ArchiveRecord.h"
#include "core/platform/Utf8Path.h"

namespace telvoran::plant {
namespace {

namespace fs = std::filesystem;

constexpr std::uint64_t kHeaderRecords = 4;

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

std::optional<int> Number(std::string_view digits) {
  int value = 0;
  for (char c : digits) {
    if (!IsDigit(c)) return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

// The last piece of a name relative to the folder.
std::string_view FileNameOf(std::string_view name) {
  const std::size_t slash = name.rfind('/');
  return slash == std::string_view::npos ? name : name.substr(slash + 1);
}

template <typename File>
bool HasName(const std::vector<File>& files, const std::string& name) {
  const auto found = std::lower_bound(
      files.begin(), files.end(), name,
      [](const File& file, const std::string& wanted) { return file.name < wanted; });
  return found != files.end() && found->name == name;
}

template <typename File>
void SortByName(std::vector<File>& files) {
  std::sort(files.begin(), files.end(),
            [](const File& a, const File& b) { return a.name < b.name; });
}

}  // namespace

std::optional<Day> DayFromText(std::string_view text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
  const std::optional<int> year = Number(text.substr(0, 4));
  const std::optional<int> month = Number(text.substr(5, 2));
  const std::optional<int> day = Number(text.substr(8, 2));
  if (!year || !month || !day) return std::nullopt;
  const std::chrono::year_month_day date{std::chrono::year(*year),
                                         std::chrono::month(static_cast<unsigned>(*month)),
                                         std::chrono::day(static_cast<unsigned>(*day))};
  if (!date.ok()) return std::nullopt;
  return Day(date);
}

std::string DayText(Day day) {
  const std::chrono::year_month_day date(day);
  const int year = static_cast<int>(date.year());
  const unsigned month = static_cast<unsigned>(date.month());
  const unsigned dayOfMonth = static_cast<unsigned>(date.day());
  std::string text(10, '0');
  auto put = [&text](std::size_t at, unsigned value, std::size_t width) {
    for (std::size_t k = width; k-- > 0; value /= 10)
      text[at + k] = static_cast<char>('0' + value % 10);
  };
  put(0, static_cast<unsigned>(year), 4);
  text[4] = '-';
  put(5, month, 2);
  text[7] = '-';
  put(8, dayOfMonth, 2);
  return text;
}

std::optional<DayAndUnit> DayAndUnitOfName(std::string_view fileName) {
  if (ArchiveKindOfName(fileName) != ArchiveKind::Interval) return std::nullopt;
  // The pieces the title reads must stand before the extension.
  if (fileName.size() < 14 + 4) return std::nullopt;
  const std::optional<Day> day = DayFromText(fileName.substr(0, 10));
  const std::optional<int> unit = Number(fileName.substr(12, 2));
  if (!day || !unit) return std::nullopt;
  return DayAndUnit{*day, *unit};
}

std::uint64_t DayFile::Records() const {
  const std::uint64_t records = size / kRecordSize;
  return records > kHeaderRecords ? records - kHeaderRecords : 0;
}

FolderCatalogue::FolderCatalogue(fs::path folder) : folder_(std::move(folder)) {}

bool FolderCatalogue::List(Listing& listing) {
  errorText_.clear();
  std::error_code error;
  fs::recursive_directory_iterator entries(folder_, fs::directory_options::skip_permission_denied,
                                           error);
  if (error) {
    errorText_ = error.message();
    return false;
  }
  // Names relative to the folder are the path's text after the folder's and a separator.
  const std::size_t folderLength = folder_.native().size();
  std::vector<CatalogueFile> files;
  for (; entries != fs::recursive_directory_iterator(); entries.increment(error)) {
    if (error) break;
    const fs::directory_entry& entry = *entries;
    std::error_code entryError;
    if (!entry.is_regular_file(entryError)) continue;
    const std::uintmax_t size = entry.file_size(entryError);
    // A file that went between listing and looking is not there.
    if (entryError) continue;
    std::string name = Utf8FromPath(entry.path().native().substr(folderLength));
    const std::size_t first = name.find_first_not_of("/\\");
    name.erase(0, first == std::string::npos ? name.size() : first);
    if constexpr (fs::path::preferred_separator != '/')
      std::replace(name.begin(), name.end(), static_cast<char>(fs::path::preferred_separator), '/');
    files.push_back({entry.path(), std::move(name), size});
  }
  // Names in one order, so that of two copies of a day the same one is taken each time.
  SortByName(files);
  for (CatalogueFile& file : files) {
    const std::string_view fileName = FileNameOf(file.name);
    if (const std::optional<DayAndUnit> key = DayAndUnitOfName(fileName)) {
      std::map<Day, DayFile>& unitDays = listing.days[key->unit];
      if (unitDays.contains(key->day)) {
        listing.others.push_back({std::move(file), OtherReason::kSecondCopy});
      } else {
        DayFile day;
        static_cast<CatalogueFile&>(day) = std::move(file);
        day.unit = key->unit;
        day.day = key->day;
        unitDays.emplace(key->day, std::move(day));
      }
    } else if (ArchiveKindOfName(fileName) == ArchiveKind::Event) {
      listing.events.push_back(std::move(file));
    } else {
      listing.others.push_back({std::move(file), OtherReason::kNoPattern});
    }
  }
  return true;
}

bool FolderCatalogue::Read() {
  Listing listing;
  if (!List(listing)) return false;
  days_ = std::move(listing.days);
  events_ = std::move(listing.events);
  others_ = std::move(listing.others);
  return true;
}

CatalogueChanges FolderCatalogue::Refresh() {
  CatalogueChanges changes;
  Listing listing;
  if (!List(listing)) return changes;

  for (const auto& [unit, unitDays] : listing.days) {
    for (const auto& [day, file] : unitDays) {
      const DayFile* before = Find(unit, day);
      if (!before || before->name != file.name)
        changes.daysAppeared.push_back(file);
      else if (file.size != before->size)
        changes.daysGrown.push_back(file);
    }
  }
  for (const CatalogueFile& file : listing.events) {
    const auto before = std::lower_bound(
        events_.begin(), events_.end(), file.name,
        [](const CatalogueFile& a, const std::string& name) { return a.name < name; });
    if (before == events_.end() || before->name != file.name)
      changes.eventsAppeared.push_back(file);
    else if (file.size != before->size)
      changes.eventsGrown.push_back(file);
  }
  auto sameOther = [](const OtherFile& a, const OtherFile& b) {
    return a.name == b.name && a.size == b.size && a.reason == b.reason;
  };
  changes.othersChanged = !std::equal(others_.begin(), others_.end(), listing.others.begin(),
                                      listing.others.end(), sameOther);

  // A name is gone when it is none of the new listing's, whatever it is taken for now.
  auto isListed = [&listing](const std::string& name) {
    if (HasName(listing.events, name)) return true;
    if (std::any_of(listing.others.begin(), listing.others.end(),
                    [&name](const OtherFile& other) { return other.name == name; }))
      return true;
    if (const std::optional<DayAndUnit> key = DayAndUnitOfName(FileNameOf(name))) {
      const auto unit = listing.days.find(key->unit);
      if (unit == listing.days.end()) return false;
      const auto day = unit->second.find(key->day);
      return day != unit->second.end() && day->second.name == name;
    }
    return false;
  };
  for (const auto& [unit, unitDays] : days_)
    for (const auto& [day, file] : unitDays)
      if (!isListed(file.name)) changes.gone.push_back(file.name);
  for (const CatalogueFile& file : events_)
    if (!isListed(file.name)) changes.gone.push_back(file.name);
  for (const OtherFile& file : others_)
    if (!isListed(file.name)) changes.gone.push_back(file.name);

  days_ = std::move(listing.days);
  events_ = std::move(listing.events);
  others_ = std::move(listing.others);
  return changes;
}

std::vector<int> FolderCatalogue::Units() const {
  std::vector<int> units;
  for (const auto& [unit, unitDays] : days_)
    if (!unitDays.empty()) units.push_back(unit);
  return units;
}

std::vector<const DayFile*> FolderCatalogue::DaysOfUnit(int unit) const {
  std::vector<const DayFile*> files;
  const auto found = days_.find(unit);
  if (found == days_.end()) return files;
  for (const auto& [day, file] : found->second) files.push_back(&file);
  return files;
}

std::vector<const DayFile*> FolderCatalogue::Span(int unit, Day from, Day to) const {
  std::vector<const DayFile*> files;
  const auto found = days_.find(unit);
  if (found == days_.end() || to < from) return files;
  const auto end = found->second.upper_bound(to);
  for (auto day = found->second.lower_bound(from); day != end; ++day) files.push_back(&day->second);
  return files;
}

const DayFile* FolderCatalogue::Find(int unit, Day day) const {
  const auto found = days_.find(unit);
  if (found == days_.end()) return nullptr;
  const auto file = found->second.find(day);
  return file == found->second.end() ? nullptr : &file->second;
}

std::optional<Day> FolderCatalogue::FirstDay() const {
  std::optional<Day> first;
  for (const auto& [unit, unitDays] : days_)
    if (!unitDays.empty() && (!first || unitDays.begin()->first < *first))
      first = unitDays.begin()->first;
  return first;
}

std::optional<Day> FolderCatalogue::LastDay() const {
  std::optional<Day> last;
  for (const auto& [unit, unitDays] : days_)
    if (!unitDays.empty() && (!last || unitDays.rbegin()->first > *last))
      last = unitDays.rbegin()->first;
  return last;
}

std::size_t FolderCatalogue::DayCount() const {
  std::size_t count = 0;
  for (const auto& [unit, unitDays] : days_) count += unitDays.size();
  return count;
}

}  // namespace telvoran::plant
