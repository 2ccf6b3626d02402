#pragma once

#include <cstdint>
#include <filesystem>

#include "core/rows/RowStore.h"

namespace telvoran {

class ArchiveFile;
class StringLookup;
class WorkProgress;

// Why reading the records of an open archive stopped. Out of memory, the rows read before the
// store could grow no more are kept.
// Cancelled, the work was asked to stop: what was read is no reading of the file.
enum class ReadStop { EndOfFile, WrongKind, ReadError, OutOfMemory, Cancelled };

// Fills `rows` with the rows of every remaining record of the open file, made for a view sorted
// by `sortColumn`, until the end of the file, a record of another kind or a read error. Nothing
// is reported; the rows read are left in list order either way. The situation texts of event
// rows are looked up once. With `progress`, the records read and the sort are told to it, and
// reading stops (Cancelled) at the next block once it is asked to stop.
ReadStop ReadIntervalRows(ArchiveFile& file, int channelCount, int sortColumn, RowStore& rows,
                          WorkProgress* progress = nullptr);
ReadStop ReadEventRows(ArchiveFile& file, int sortColumn, RowStore& rows,
                       WorkProgress* progress = nullptr);

// Appends the rows of every remaining record of the open file to `rows`, in the format the
// store has, until the end of the file, a record of another kind than `kind` or a read error:
// records read from a later point of a file that has grown. They stand at the end of the list
// until RowStore::MergeAppended() puts them in their places. Nothing is reported.
ReadStop AppendRows(ArchiveFile& file, std::uint32_t kind, RowStore& rows);

// Tells the user why reading stopped early: the wrong-kind message, or the platform's text
// for a read error or for want of memory. Nothing for the end of the file.
void ReportReadStop(ReadStop stop, const ArchiveFile& file);

// The library texts shown when an archive is missing, holds no whole record, or ends inside
// the header of an interval archive.
struct ArchiveMessages {
  int missingFile;
  int emptyFile;
  int shortHeader;
};
extern const ArchiveMessages kOpenMessages;    // opening a file
extern const ArchiveMessages kReloadMessages;  // reading a view's file again to re-sort it

// Empties `rows` and fills them from the archive at `path`, reporting every failure. The rows
// read before a failure stay. True when the whole file was read.
bool ReloadIntervalRows(ArchiveFile& file, const std::filesystem::path& path, int sortColumn,
                        const ArchiveMessages& messages, RowStore& rows);
// The same for an event archive; duplicate rows are removed after a complete reading.
bool ReloadEventRows(ArchiveFile& file, const std::filesystem::path& path, int sortColumn,
                     const ArchiveMessages& messages, RowStore& rows);

}  // namespace telvoran
