#pragma once

#include "tools/mkarchive/MkArchiveOptions.h"

namespace telvoran {

// Writes the archive the options describe: the header of an interval archive, the data
// records, the requested faults and a trailing partial record. The same options give the
// same bytes. Throws std::system_error when the file cannot be written, and then leaves no
// file behind.
void WriteArchive(const MkArchiveOptions& options);

}  // namespace telvoran
