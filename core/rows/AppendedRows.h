#pragma once

#include <filesystem>

#include "core/archive/ArchiveFile.h"
#include "core/rows/RowReading.h"
#include "core/rows/RowStore.h"

namespace telvoran {

// What a look at a followed archive found.
enum class FollowLook {
  kNothingNew,  // no new whole record, or nothing under the name just now
  kNewRows,     // records were appended and now stand at the end of the store
  kReadAgain,   // the file shrank, was replaced or written anew: only a reading from the start
                // shows what it holds now
  kStopped,     // reading stopped at a record of another kind or at a read error; the records
                // before it were appended and ReportReadStop(stop, file) tells the user why
};

struct AppendedRows {
  FollowLook look = FollowLook::kNothingNew;
  ReadStop stop = ReadStop::EndOfFile;
  ReadingEnd end;  // where this reading ended: the place to go on from next time
};

// Appends to `rows` the records appended to the archive at `path` since the reading that ended
// at `since`, and nothing before them; they stand at the end of the store until
// RowStore::MergeAppended() puts them in their places. `kind` is the record kind of the archive
// (an interval archive's header counts as read). Reports nothing; the file is closed again.
AppendedRows ReadAppendedRows(ArchiveFile& file, const std::filesystem::path& path,
                              const ReadingEnd& since, std::uint32_t kind, RowStore& rows);

}  // namespace telvoran
