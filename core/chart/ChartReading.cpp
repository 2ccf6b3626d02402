#include "core/chart/ChartReading.h"

#include "core/archive/ArchiveFile.h"

namespace telvoran {
namespace {

// Hands every remaining record of the open file to `builder`, as long as each is of `kind`.
template <typename Builder>
ReadStop ReadRecords(ArchiveFile& file, std::uint32_t kind, Builder& builder) {
  while (!file.AtEnd()) {
    if (!file.ReadRecord()) return ReadStop::ReadError;
    if (file.Record().Kind() != kind) return ReadStop::WrongKind;
    builder.Add(file.Record());
  }
  return ReadStop::EndOfFile;
}

// Closes the file and tells the user why reading stopped early; true for a complete reading.
bool FinishReading(ArchiveFile& file, ReadStop stop) {
  ReportReadStop(stop, file);
  file.Close();
  return stop == ReadStop::EndOfFile;
}

}  // namespace

std::optional<IntervalSeries> ReadIntervalSeries(ArchiveFile& file,
                                                 const std::filesystem::path& path,
                                                 const ArchiveMessages& messages) {
  if (!file.OpenArchiveFile(path, messages.missingFile, messages.emptyFile)) return std::nullopt;
  if (!file.ReadIntervalHeader(messages.shortHeader)) return std::nullopt;
  IntervalSeriesBuilder builder(file.IntervalHeader());
  const ReadStop stop = ReadRecords(file, kIntervalKind, builder);
  if (!FinishReading(file, stop)) return std::nullopt;
  return std::move(builder).Finish();
}

std::optional<AlarmTimeline> ReadAlarmTimeline(ArchiveFile& file, const std::filesystem::path& path,
                                               const ArchiveMessages& messages) {
  if (!file.OpenArchiveFile(path, messages.missingFile, messages.emptyFile)) return std::nullopt;
  AlarmTimelineBuilder builder;
  const ReadStop stop = ReadRecords(file, kEventKind, builder);
  if (!FinishReading(file, stop)) return std::nullopt;
  return std::move(builder).Finish();
}

}  // namespace telvoran
