#pragma once

#include <filesystem>

#include "core/archive/ArchiveFile.h"
#include "core/rows/RowList.h"
#include "core/rows/RowReading.h"

namespace telvoran {

// What a look at a followed archive found.
enum class FollowLook {
  kNothingNew,  // no new whole record, or nothing under the name just now
  kNewRows,     // records were appended: `rows` holds their rows, in list order
  kReadAgain,   // the file shrank, was replaced or written anew: only a reading from the start
                // shows what it holds now
  kStopped,     // reading stopped at a record of another kind or at a read error; `rows` holds
                // the rows before it and ReportReadStop(stop, file) tells the user why
};

struct AppendedRows {
  FollowLook look = FollowLook::kNothingNew;
  RowList rows;
  ReadStop stop = ReadStop::EndOfFile;
  ReadingEnd end;  // where this reading ended: the place to go on from next time
};

// Reads the records appended to the archive at `path` since the reading that ended at `since`,
// and nothing before them, making their rows for `sortColumn`. Reports nothing; the file is
// closed again.
AppendedRows ReadAppendedIntervalRows(ArchiveFile& file, const std::filesystem::path& path,
                                      const ReadingEnd& since, int channelCount, int sortColumn);
AppendedRows ReadAppendedEventRows(ArchiveFile& file, const std::filesystem::path& path,
                                   const ReadingEnd& since, int sortColumn);

}  // namespace telvoran
