#pragma once

#include <vector>

#include "archive/ArchiveRecord.h"
#include "tools/mkarchive/MkArchiveOptions.h"

namespace telvoran {

// The header records an interval archive is asked to have: as many as requested, of the
// requested kind, with the channel-count character replaced if asked.
std::vector<ArchiveRecord> RequestedIntervalHeader(const MkArchiveOptions& options);

// Writes the archive the options describe: the header of an interval archive, the data
// records, the requested faults and a trailing partial record. The same options give the
// same bytes. Throws std::system_error when the file cannot be written, and then leaves no
// file behind.
void WriteArchive(const MkArchiveOptions& options);

}  // namespace telvoran
