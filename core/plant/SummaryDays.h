#pragma once

#include <filesystem>

#include "core/plant/DailySummary.h"
#include "core/plant/FolderCatalogue.h"

namespace telvoran::plant {

// The midnight of a day, in the seconds the archives count from.
ArchiveSeconds MidnightOf(Day day);

// What the daily summary of `unit` from `from` to `to` (both included) reads, from a catalogue
// that has listed the folder already: its days of the unit, and the event archives beside
// those days' files and, for days in a year's folder ("2005"), in the folder above it. Folders
// outside the catalogue's are listed by name.
SummaryFiles SummaryFilesOfCatalogue(const FolderCatalogue& catalogue, int unit, Day from, Day to);

// The same without a catalogue: only `folder` itself (not its subfolders) is listed, and only
// names are read, the unit's days taken from them as the catalogue takes them (of two names of
// one day, the first in name order).
SummaryFiles SummaryFilesOfFolder(const std::filesystem::path& folder, int unit, Day from, Day to);

// Adds to `files` the event archives that go with its days (as above), listing folders by name.
void AddEventArchives(SummaryFiles& files);

}  // namespace telvoran::plant
