#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/plant/FolderCatalogue.h"

namespace telvoran {

class StringLookup;

// A row of an archive that holds the text looked for.
struct FoundRow {
  std::size_t file = 0;      // its archive, by place in the list searched
  std::uint64_t record = 0;  // the record behind the row, counted from 0 in reading order
  std::string text;          // the row as a view sorted by date draws it (Windows-1250)
};

struct SearchOutcome {
  std::size_t filesSearched = 0;
  std::uint64_t bytesSearched = 0;
  // Files that could not be read (to their end), with the failure's text (Windows-1250); the
  // rows found before the failure are kept.
  std::vector<std::pair<std::filesystem::path, std::string>> unreadable;
  bool cancelled = false;
};

// What the search tells as it goes, from the thread it runs on: the rows found in a file once
// that file is done (none: nothing is told), and after each file how many are done.
struct SearchListener {
  std::function<void(std::vector<FoundRow>)> found;
  std::function<void(std::size_t filesDone)> progress;
};

// Looks for `utf8Text` in the rows of every archive of `files` (interval and event archives, by
// their names; other names are passed over), as a view's filter line finds it: in the row as
// drawn, a letter matching its other case. The files are shared out among `threads` threads;
// each file's rows come in reading order. `cancel`, set from any thread, stops the search
// between two blocks of records.
SearchOutcome SearchArchives(std::span<const std::filesystem::path> files,
                             std::string_view utf8Text, const StringLookup& strings,
                             const SearchListener& listener,
                             const std::atomic<bool>* cancel = nullptr, unsigned threads = 1);

}  // namespace telvoran

namespace telvoran {

// The interval and event archives in `folder` and its subfolders, by path in name order; only
// names are read. Folders that cannot be listed are passed over.
std::vector<std::filesystem::path> ArchivesInFolder(const std::filesystem::path& folder);

// The daily interval archives of `unit` from `from` to `to` (both included) in `folder` and its
// subfolders, as their names give unit and day, by path in name order; only names are read.
std::vector<std::filesystem::path> UnitArchivesInFolder(const std::filesystem::path& folder,
                                                        int unit, plant::Day from, plant::Day to);

}  // namespace telvoran
