#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace telvoran::plant {

// A calendar day, as the names of a unit's daily archives give it.
using Day = std::chrono::sys_days;

// The day and central unit a daily interval archive's name stands for: characters 1 to 10 are
// the day ("2005-03-14"), characters 13 and 14 the unit ("07"), as the interval view's title
// reads them. Nothing for a name that is not an interval archive's or whose pieces are not a
// real day and a two-digit unit.
struct DayAndUnit {
  Day day{};
  int unit = 0;
};
std::optional<DayAndUnit> DayAndUnitOfName(std::string_view fileName);

// "2005-03-14" for a day; the form the names and the command lines use.
std::string DayText(Day day);
// The day a "2005-03-14" text stands for; nothing for any other text.
std::optional<Day> DayFromText(std::string_view text);

// One file of a folder as the catalogue knows it: the name and size only.
struct CatalogueFile {
  std::filesystem::path path;  // the full path
  std::string name;            // relative to the folder, UTF-8, with '/' between folders
  std::uintmax_t size = 0;
};

// A unit's daily interval archive.
struct DayFile : CatalogueFile {
  int unit = 0;
  Day day{};
  // The interval records the size gives: whole records after the four header records.
  std::uint64_t Records() const;
};

// Why a file of the folder is listed under the other names.
enum class OtherReason {
  kNoPattern,   // neither a daily interval archive nor an event archive
  kSecondCopy,  // a daily archive of a unit and day another file of the folder already holds
};
struct OtherFile : CatalogueFile {
  OtherReason reason = OtherReason::kNoPattern;
};

// What a new look at the folder found changed since the one before.
// A file that grew is counted with one that shrank or was replaced by a shorter one: either way
// a view of it reads it again.
struct CatalogueChanges {
  std::vector<DayFile> daysAppeared;
  std::vector<DayFile> daysGrown;
  std::vector<CatalogueFile> eventsAppeared;
  std::vector<CatalogueFile> eventsGrown;
  std::vector<std::string> gone;  // names no longer there, of any kind
  bool othersChanged = false;
  bool Any() const {
    return !daysAppeared.empty() || !daysGrown.empty() || !eventsAppeared.empty() ||
           !eventsGrown.empty() || !gone.empty() || othersChanged;
  }
};

// The archives of a plant's folder and its subfolders, from their names and sizes alone: a
// unit's daily interval archives by day, the event archives by name, and every other name. The
// folder is only listed, never opened for writing, and nothing is kept on the disk.
class FolderCatalogue {
 public:
  explicit FolderCatalogue(std::filesystem::path folder);

  // Lists the folder anew. False, with the system's text in ErrorText(), when the folder itself
  // cannot be listed; a subfolder that cannot be is passed over.
  bool Read();
  // Lists the folder anew and tells what appeared, grew or went since the last listing.
  CatalogueChanges Refresh();

  const std::filesystem::path& Folder() const { return folder_; }
  const std::string& ErrorText() const { return errorText_; }

  // The units that have at least one day, in ascending order.
  std::vector<int> Units() const;
  // A unit's days in ascending order; empty for a unit without any.
  std::vector<const DayFile*> DaysOfUnit(int unit) const;
  // A unit's days from `from` to `to`, both included, in ascending order.
  std::vector<const DayFile*> Span(int unit, Day from, Day to) const;
  const DayFile* Find(int unit, Day day) const;
  // The first and last day of any unit; nothing when the folder holds no daily archive.
  std::optional<Day> FirstDay() const;
  std::optional<Day> LastDay() const;
  std::size_t DayCount() const;

  // Event archives and other names, sorted by name.
  const std::vector<CatalogueFile>& EventArchives() const { return events_; }
  const std::vector<OtherFile>& OtherFiles() const { return others_; }

 private:
  struct Listing {
    std::map<int, std::map<Day, DayFile>> days;
    std::vector<CatalogueFile> events;
    std::vector<OtherFile> others;
  };
  bool List(Listing& listing);

  std::filesystem::path folder_;
  std::string errorText_;
  std::map<int, std::map<Day, DayFile>> days_;
  std::vector<CatalogueFile> events_;
  std::vector<OtherFile> others_;
};

}  // namespace telvoran::plant
